// The click picks the cell drawn under the pointer. The reference is an id buffer made here from
// the scene's own drawing calls: every triangle and sphere the build emitted, tagged with the
// tile it belongs to, met by the ray of each pixel as the window's matrices unproject it
// (gluPerspective and gluLookAt written out and inverted). The program's answer, cast through
// its own camera model against its own record of the relief, must name the same cell for every
// pixel of a grid, over several views, window sizes, detail levels and relief.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <string>
#include <utility>
#include <vector>

#include "commun/monde_test.h"
#include "graphique/fenetre_test.h"
#include "commun/tribus_test.h"
#include "commun/reinitialisation_test.h"
#include "commun/capture.h"
#include "graphique/clavier.h"
#include "graphique/console_gl.h"
#include "graphique/enregistreur.h"
#include "graphique/pointage.h"
#include "graphique/scene.h"
#include "graphique/textes_dessines.h"
#include "graphique/vue.h"
#include "graphique/vue_gl.h"
#include "monde/carte.h"
#include "monde/generation.h"
#include "monde/terrain.h"
#include "observation/avancee.h"
#include "observation/statistiques.h"
#include "population/civ.h"
#include "population/placement.h"
#include "population/unites.h"
#include "socle/alea.h"

namespace {

using vec3 = std::array<double, 3>;
using mat4 = std::array<double, 16>;  // column-major, as GL keeps it

// What the scene drew, in world coordinates: triangles and spheres, each with its tile's cell
// (-1, -1 for the border ring and the plate).
struct objet {
  bool sphere;
  vec3 a, b, c;  // triangle corners, or the sphere's centre in a and its radius in b[0]
  int x, y;
};

// Replays the recorded calls of one build: translations and the matrix stack, triangles, quads
// (split 0-1-2, 0-2-3 as GL does) and fans, spheres at the current translation.
std::vector<objet> scene_tracee(const enregistreur& e, float c, int X, int Y) {
  std::vector<objet> objets;
  vec3 decalage{0, 0, 0};
  std::vector<vec3> pile;
  int mode = -1;
  std::vector<vec3> sommets;
  const auto cellule = [&](double cx, double cy, int& x, int& y) {
    const int i = static_cast<int>(std::floor(cx / c)), j = static_cast<int>(std::floor(-cy / c));
    const bool dedans = i >= 1 && i <= X && j >= 1 && j <= Y;
    x = dedans ? i - 1 : -1;
    y = dedans ? j - 1 : -1;
  };
  const auto triangle = [&](const vec3& a, const vec3& b, const vec3& d) {
    objet o{false, a, b, d, -1, -1};
    cellule((a[0] + b[0] + d[0]) / 3, (a[1] + b[1] + d[1]) / 3, o.x, o.y);
    objets.push_back(o);
  };
  for (const appel& a : e.appels) {
    if (a.nom == "translater") {
      for (int i = 0; i < 3; ++i) decalage[i] += a.valeurs[i];
    } else if (a.nom == "empiler_matrice") {
      pile.push_back(decalage);
    } else if (a.nom == "depiler_matrice") {
      decalage = pile.back();
      pile.pop_back();
    } else if (a.nom == "debut") {
      mode = static_cast<int>(a.valeurs[0]);
      sommets.clear();
    } else if (a.nom == "sommet") {
      sommets.push_back(
          {a.valeurs[0] + decalage[0], a.valeurs[1] + decalage[1], a.valeurs[2] + decalage[2]});
    } else if (a.nom == "fin") {
      if (mode == static_cast<int>(primitive::triangles))
        for (std::size_t i = 0; i + 2 < sommets.size(); i += 3)
          triangle(sommets[i], sommets[i + 1], sommets[i + 2]);
      if (mode == static_cast<int>(primitive::quads))
        for (std::size_t i = 0; i + 3 < sommets.size(); i += 4) {
          triangle(sommets[i], sommets[i + 1], sommets[i + 2]);
          triangle(sommets[i], sommets[i + 2], sommets[i + 3]);
        }
      if (mode == static_cast<int>(primitive::eventail_triangles))
        for (std::size_t i = 1; i + 1 < sommets.size(); ++i)
          objets.push_back({false, sommets[0], sommets[i], sommets[i + 1], -1, -1});
      mode = -1;
    } else if (a.nom == "sphere") {
      objet o{true, decalage, {a.valeurs[0], 0, 0}, {}, -1, -1};
      cellule(decalage[0], decalage[1], o.x, o.y);
      objets.push_back(o);
    }
  }
  return objets;
}

mat4 produit(const mat4& a, const mat4& b) {
  mat4 r{};
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j)
      for (int k = 0; k < 4; ++k) r[j * 4 + i] += a[k * 4 + i] * b[j * 4 + k];
  return r;
}

// Inverse by Gauss-Jordan elimination with partial pivoting.
mat4 inverse(mat4 m) {
  mat4 r{};
  for (int i = 0; i < 4; ++i) r[i * 4 + i] = 1;
  const auto at = [](mat4& x, int ligne, int col) -> double& { return x[col * 4 + ligne]; };
  for (int col = 0; col < 4; ++col) {
    int pivot = col;
    for (int l = col + 1; l < 4; ++l)
      if (std::abs(at(m, l, col)) > std::abs(at(m, pivot, col))) pivot = l;
    for (int k = 0; k < 4; ++k)
      std::swap(at(m, col, k), at(m, pivot, k)), std::swap(at(r, col, k), at(r, pivot, k));
    const double p = at(m, col, col);
    for (int k = 0; k < 4; ++k) at(m, col, k) /= p, at(r, col, k) /= p;
    for (int l = 0; l < 4; ++l) {
      if (l == col) continue;
      const double f = at(m, l, col);
      for (int k = 0; k < 4; ++k)
        at(m, l, k) -= f * at(m, col, k), at(r, l, k) -= f * at(r, col, k);
    }
  }
  return r;
}

// The window's projection times its camera, as gluPerspective(45, W/H, 0.1, 100) and gluLookAt
// make them.
mat4 matrice_fenetre(const vue_gl& v, int W, int H) {
  const double f = 1.0 / std::tan(45.0 * std::numbers::pi / 360.0), n = 0.1, l = 100.0;
  const double aspect = static_cast<double>(W) / H;
  mat4 p{};
  p[0] = f / aspect, p[5] = f, p[10] = (l + n) / (n - l), p[11] = -1, p[14] = 2 * l * n / (n - l);
  vec3 fw{v.x_zoom, v.y_zoom, v.z_zoom}, up{v.x_up, v.y_up, v.z_up};
  const auto norme = [](vec3& x) {
    const double d = std::sqrt(x[0] * x[0] + x[1] * x[1] + x[2] * x[2]);
    for (double& c : x) c /= d;
  };
  const auto croix = [](const vec3& a, const vec3& b) {
    return vec3{a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
  };
  norme(fw);
  vec3 s = croix(fw, up);
  norme(s);
  const vec3 u = croix(s, fw);
  mat4 m{};
  for (int i = 0; i < 3; ++i) m[i * 4 + 0] = s[i], m[i * 4 + 1] = u[i], m[i * 4 + 2] = -fw[i];
  m[15] = 1;
  mat4 t{};
  for (int i = 0; i < 4; ++i) t[i * 4 + i] = 1;
  t[12] = -v.x_eye, t[13] = -v.y_eye, t[14] = -v.z_eye;
  return produit(p, produit(m, t));
}

vec3 deprojeter(const mat4& inv, double wx, double wy, double wz, int W, int H) {
  const double ndc[4] = {2 * wx / W - 1, 2 * wy / H - 1, 2 * wz - 1, 1};
  double r[4] = {};
  for (int i = 0; i < 4; ++i)
    for (int k = 0; k < 4; ++k) r[i] += inv[k * 4 + i] * ndc[k];
  return {r[0] / r[3], r[1] / r[3], r[2] / r[3]};
}

// The objects in groups of about a hundred, each with its bounding box, so that a ray skips
// most of them at once.
struct groupe {
  vec3 bas, haut;
  std::vector<objet> objets;
};

std::vector<groupe> grouper(const std::vector<objet>& objets) {
  std::vector<groupe> groupes;
  for (std::size_t i = 0; i < objets.size(); ++i) {
    if (i % 100 == 0) groupes.push_back({{1e300, 1e300, 1e300}, {-1e300, -1e300, -1e300}, {}});
    groupe& g = groupes.back();
    const objet& o = objets[i];
    const auto etendre = [&](const vec3& p, double r) {
      for (int k = 0; k < 3; ++k)
        g.bas[k] = std::min(g.bas[k], p[k] - r), g.haut[k] = std::max(g.haut[k], p[k] + r);
    };
    if (o.sphere)
      etendre(o.a, o.b[0]);
    else
      etendre(o.a, 1e-6), etendre(o.b, 1e-6), etendre(o.c, 1e-6);
    g.objets.push_back(o);
  }
  return groupes;
}

bool touche_boite(const vec3& o, const vec3& d, const groupe& g) {
  double entree = -1e300, sortie = 1e300;
  for (int k = 0; k < 3; ++k) {
    if (d[k] == 0) {
      if (o[k] < g.bas[k] || o[k] > g.haut[k]) return false;
      continue;
    }
    double t1 = (g.bas[k] - o[k]) / d[k], t2 = (g.haut[k] - o[k]) / d[k];
    if (t1 > t2) std::swap(t1, t2);
    entree = std::max(entree, t1), sortie = std::min(sortie, t2);
  }
  return entree <= sortie && sortie > 0;
}

// The cell the id buffer holds at window pixel (px, py), y from the top: the nearest front face
// or sphere met by the pixel's ray through its centre.
std::pair<int, int> cellule_tracee(const std::vector<groupe>& groupes, const mat4& inv, int px,
                                   int py, int W, int H) {
  const double gx = px + 0.5, gy = H - py - 0.5;
  const vec3 o = deprojeter(inv, gx, gy, 0, W, H), loin = deprojeter(inv, gx, gy, 1, W, H);
  const vec3 d{loin[0] - o[0], loin[1] - o[1], loin[2] - o[2]};
  double meilleure = 1e300;
  std::pair<int, int> cellule{-1, -1};
  for (const groupe& g : groupes)
    if (touche_boite(o, d, g))
      for (const objet& ob : g.objets) {
        double t = -1;
        if (ob.sphere) {
          const vec3 m{o[0] - ob.a[0], o[1] - ob.a[1], o[2] - ob.a[2]};
          const double a = d[0] * d[0] + d[1] * d[1] + d[2] * d[2];
          const double b = m[0] * d[0] + m[1] * d[1] + m[2] * d[2];
          const double c = m[0] * m[0] + m[1] * m[1] + m[2] * m[2] - ob.b[0] * ob.b[0];
          if (b * b - a * c >= 0) t = (-b - std::sqrt(b * b - a * c)) / a;
        } else {
          const vec3 e1{ob.b[0] - ob.a[0], ob.b[1] - ob.a[1], ob.b[2] - ob.a[2]};
          const vec3 e2{ob.c[0] - ob.a[0], ob.c[1] - ob.a[1], ob.c[2] - ob.a[2]};
          const vec3 n{e1[1] * e2[2] - e1[2] * e2[1], e1[2] * e2[0] - e1[0] * e2[2],
                       e1[0] * e2[1] - e1[1] * e2[0]};
          const double dn = d[0] * n[0] + d[1] * n[1] + d[2] * n[2];
          if (dn >= 0) continue;  // back face, culled
          t = ((ob.a[0] - o[0]) * n[0] + (ob.a[1] - o[1]) * n[1] + (ob.a[2] - o[2]) * n[2]) / dn;
          const vec3 p{o[0] + t * d[0], o[1] + t * d[1], o[2] + t * d[2]};
          // Inside when p is on the inner side of all three edges.
          const vec3* s[3] = {&ob.a, &ob.b, &ob.c};
          bool dedans = true;
          for (int k = 0; k < 3 && dedans; ++k) {
            const vec3& a = *s[k];
            const vec3& b = *s[(k + 1) % 3];
            const vec3 ab{b[0] - a[0], b[1] - a[1], b[2] - a[2]},
                ap{p[0] - a[0], p[1] - a[1], p[2] - a[2]};
            const vec3 x{ab[1] * ap[2] - ab[2] * ap[1], ab[2] * ap[0] - ab[0] * ap[2],
                         ab[0] * ap[1] - ab[1] * ap[0]};
            dedans = x[0] * n[0] + x[1] * n[1] + x[2] * n[2] >= 0;
          }
          if (!dedans) continue;
        }
        if (t > 0 && t < meilleure) meilleure = t, cellule = {ob.x, ob.y};
      }
  return cellule;
}

// For every pixel of a grid over the window, the cell the program picks and the cell of the id
// buffer; the number of pixels where they differ, and how many showed a cell at all.
struct bilan {
  int ecarts = 0;
  int cellules = 0;
  std::string premier;
};

bilan comparer_vue(int W, int H, int pas) {
  fixer_taille_fenetre(W, H);
  enregistreur e;
  fixer_dessin(&e);
  construire_scene();
  fixer_dessin(nullptr);
  const auto objets = grouper(scene_tracee(e, taille_case(), colonnes_scene(), lignes_scene()));
  const mat4 inv = inverse(matrice_fenetre(lire_vue_gl(), W, H));
  bilan b;
  for (int py = pas / 2; py < H; py += pas)
    for (int px = pas / 2; px < W; px += pas) {
      const auto attendue = cellule_tracee(objets, inv, px, py, W, H);
      int x = -1, y = -1;
      const int trouvee = case_sous_pointeur(px, py, x, y);
      b.cellules += attendue.first >= 0;
      if ((trouvee != 0) != (attendue.first >= 0) || std::pair{x, y} != attendue) {
        if (b.ecarts++ == 0)
          b.premier = "pixel (" + std::to_string(px) + ", " + std::to_string(py) +
                      ") : " + std::to_string(x) + "," + std::to_string(y) + " au lieu de " +
                      std::to_string(attendue.first) + "," + std::to_string(attendue.second);
      }
    }
  return b;
}

void niveau(int n) {
  vue_gl v = lire_vue_gl();
  v.complexite = n;
  ecrire_vue_gl(v);
}

// A 10 by 10 world with a mountain ridge, hills and sea, and units on the slopes.
void monde_montagneux() {
  construire_monde(10, 10, BAS, 5, 100);
  for (int y = 0; y < 10; ++y) {
    fixer_case(1, y, HAUT, 0, 100, 100, 100);
    fixer_case(2, y, y % 3 == 0 ? HAUT : MOYEN, 0, 100, 100, 100);
    fixer_case(6, y, MOYEN, 0, 100, 100, 100);
    fixer_case(9, y, MER, 7000, 0, 0, 0);
  }
  ajouter_tribu(0, CARNIVORE, HOSTILE, HAUT);
  ajouter_tribu(1, HERBIVORE, PACIFIQUE, BAS);
  for (int y = 0; y < 10; y += 2) ajouter_unite(0, 1, y, 100), ajouter_unite(1, 3, y + 1, 100);
  init_vue();
}

}  // namespace

TEST(Pointage, LaCaseChoisieEstCelleDessineeSousLePointeur) {
  monde_montagneux();
  for (int n : {1, 2, 3}) {
    niveau(n);
    construire_scene();
    struct vue_essayee {
      std::string nom;
      int W, H;
      void (*preparer)();
    };
    const vue_essayee vues[] = {
        {"oblique", 800, 600, [] { vue_predefinie(0); }},
        {"dessus", 800, 600, [] { vue_predefinie(1); }},
        {"dessus 1000x700", 1000, 700, [] { vue_predefinie(1); }},
        {"oblique 1000x700", 1000, 700, [] { vue_predefinie(0); }},
        {"deplacee", 800, 600,
         [] {
           vue_predefinie(0);
           touches_speciales(TOUCHE_HAUT, 0, 0);
           touches_speciales(TOUCHE_GAUCHE, 0, 0);
           touches_speciales(TOUCHE_PAGE_BAS, 0, 0);
           souris(BOUTON_GAUCHE, BOUTON_ENFONCE, 400, 300);
           mouvement_souris(470, 260);
           souris(BOUTON_GAUCHE, 1, 470, 260);
         }},
        {"rasante", 640, 480,
         [] {
           vue_predefinie(0);
           for (int i = 0; i < 8; ++i) touches_speciales(TOUCHE_PAGE_BAS, 0, 0);
           souris(BOUTON_GAUCHE, BOUTON_ENFONCE, 300, 300);
           mouvement_souris(300, 200);
         }},
    };
    for (const vue_essayee& v : vues) {
      SCOPED_TRACE("niveau " + std::to_string(n) + ", vue " + v.nom);
      v.preparer();
      const bilan b = comparer_vue(v.W, v.H, 17);
      EXPECT_EQ(b.ecarts, 0) << b.premier;
      // The grid sees a good part of the map in every view.
      EXPECT_GT(b.cellules, 200);
    }
  }
}

TEST(Pointage, LesSpheresDesUnitesDesigneesCommeOnLesVoit) {
  // The world of "-g --seed 5 -i 30 20" after twelve J, seen from above in an 800 x 600 window:
  // the unit spheres drawn at (113, 190) and (133, 210) stand on cells (0, 4) and (1, 5).
  monde_graine_5();
  init_vue();
  construire_scene();
  vue_predefinie(1);
  fixer_taille_fenetre(800, 600);
  int x = -1, y = -1;
  EXPECT_EQ(case_sous_pointeur(113, 190, x, y), 1);
  EXPECT_EQ(std::pair(x, y), std::pair(0, 4));
  EXPECT_EQ(case_sous_pointeur(133, 210, x, y), 1);
  EXPECT_EQ(std::pair(x, y), std::pair(1, 5));
  // Off the map, on the sky or the plate: no cell.
  for (const auto& [px, py] : {std::pair{2, 2}, {400, 5}, {795, 595}}) {
    EXPECT_EQ(case_sous_pointeur(px, py, x, y), 0) << px << " " << py;
    EXPECT_EQ(std::pair(x, y), std::pair(-1, -1));
  }
  // Every click of the selection mode says in the debug log which cell it picked.
  CaptureJournaux journaux;
  vue_gl v = lire_vue_gl();
  v.mode_selection = 1;
  ecrire_vue_gl(v);
  souris(BOUTON_GAUCHE, BOUTON_ENFONCE, 113, 190);
  souris(BOUTON_GAUCHE, BOUTON_ENFONCE, 2, 2);
  EXPECT_TRUE(contient(journaux.debug(), "souris - Clic en (113, 190) : case X=0 - Y=4"));
  EXPECT_TRUE(contient(journaux.debug(), "souris - Clic en (2, 2) : pas de case selectionnee"));
  reinitialiser_couches();
}
