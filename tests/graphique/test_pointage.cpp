// The click picks the cell drawn under the pointer. The reference is an id buffer made here from
// the scene's own drawing calls: every triangle and sphere the build emitted, tagged with the
// tile it belongs to, met by the ray of each pixel as the window's matrices unproject it
// (gluPerspective and gluLookAt inverted). The program's answer, cast through
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

#include "commun/capture.h"
#include "commun/monde_test.h"
#include "commun/reinitialisation_test.h"
#include "commun/tribus_test.h"
#include "graphique/clavier.h"
#include "graphique/enregistreur.h"
#include "graphique/fenetre_test.h"
#include "graphique/pointage.h"
#include "graphique/scene.h"
#include "graphique/vue.h"
#include "graphique/vue_gl.h"
#include "monde/terrain.h"
#include "population/civ.h"
#include "population/unites.h"

namespace {

using vec3 = std::array<double, 3>;

vec3 operator+(const vec3& a, const vec3& b) { return {a[0] + b[0], a[1] + b[1], a[2] + b[2]}; }
vec3 operator-(const vec3& a, const vec3& b) { return {a[0] - b[0], a[1] - b[1], a[2] - b[2]}; }
vec3 operator*(double k, const vec3& a) { return {k * a[0], k * a[1], k * a[2]}; }
double scalaire(const vec3& a, const vec3& b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }
vec3 croix(const vec3& a, const vec3& b) {
  return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}
vec3 unitaire(const vec3& a) {
  const double d = std::sqrt(scalaire(a, a));
  return {a[0] / d, a[1] / d, a[2] / d};
}

// What the scene drew, in world coordinates: triangles (corners a, b, c) and spheres (centre a,
// radius r > 0), each with its tile's cell (-1, -1 for the border ring and the plate).
struct objet {
  vec3 a, b, c;
  double r;
  int x, y;
};

// Replays the recorded calls of one build: translations and the matrix stack, triangles, quads
// (split 0-1-2, 0-2-3 as GL does) and fans, spheres at the current translation.
std::vector<objet> scene_tracee(const enregistreur& e, float c, int X, int Y) {
  std::vector<objet> objets;
  vec3 decalage{};
  std::vector<vec3> pile, s;
  int mode = -1;
  // A triangle or sphere whose centre (cx, cy) is on a tile of the map takes that tile's cell.
  const auto ajouter = [&](const vec3& a, const vec3& b, const vec3& d, double r, double cx,
                           double cy) {
    const int i = static_cast<int>(std::floor(cx / c)), j = static_cast<int>(std::floor(-cy / c));
    const bool dedans = i >= 1 && i <= X && j >= 1 && j <= Y;
    objets.push_back({a, b, d, r, dedans ? i - 1 : -1, dedans ? j - 1 : -1});
  };
  const auto triangle = [&](const vec3& a, const vec3& b, const vec3& d) {
    ajouter(a, b, d, 0, (a[0] + b[0] + d[0]) / 3, (a[1] + b[1] + d[1]) / 3);
  };
  for (const appel& a : e.appels) {
    const std::vector<double>& v = a.valeurs;
    if (a.nom == "translater") {
      decalage = decalage + vec3{v[0], v[1], v[2]};
    } else if (a.nom == "empiler_matrice") {
      pile.push_back(decalage);
    } else if (a.nom == "depiler_matrice") {
      decalage = pile.back();
      pile.pop_back();
    } else if (a.nom == "debut") {
      mode = static_cast<int>(v[0]);
      s.clear();
    } else if (a.nom == "sommet") {
      s.push_back(decalage + vec3{v[0], v[1], v[2]});
    } else if (a.nom == "sphere") {
      ajouter(decalage, {}, {}, v[0], decalage[0], decalage[1]);
    } else if (a.nom == "fin") {
      for (std::size_t i = 0; mode == int(primitive::triangles) && i + 2 < s.size(); i += 3)
        triangle(s[i], s[i + 1], s[i + 2]);
      for (std::size_t i = 0; mode == int(primitive::quads) && i + 3 < s.size(); i += 4) {
        triangle(s[i], s[i + 1], s[i + 2]);
        triangle(s[i], s[i + 2], s[i + 3]);
      }
      for (std::size_t i = 1; mode == int(primitive::eventail_triangles) && i + 1 < s.size(); ++i)
        objets.push_back({s[0], s[i], s[i + 1], 0, -1, -1});
      mode = -1;
    }
  }
  return objets;
}

// The world point at window coordinates (wx, wy) and depth wz (0 near, 1 far): the inverse of
// the window's projection, gluPerspective(45, W/H, 0.1, 100), then of its camera, gluLookAt.
vec3 deprojeter(const vue_gl& v, double wx, double wy, double wz, int W, int H) {
  const double f = 1.0 / std::tan(45.0 * std::numbers::pi / 360.0), n = 0.1, l = 100.0;
  const double A = (l + n) / (n - l), B = 2 * l * n / (n - l);
  // Clip space back to the camera's space: x and y over the focal length, z = -1, w from depth.
  const double x = 2 * wx / W - 1, y = 2 * wy / H - 1, w = (2 * wz - 1 + A) / B;
  const double cx = x * (static_cast<double>(W) / H) / f / w, cy = y / f / w, cz = -1 / w;
  // The camera's axes: side, true up and backward (the look-at's rows).
  const vec3 fw = unitaire({v.x_zoom, v.y_zoom, v.z_zoom});
  const vec3 s = unitaire(croix(fw, {v.x_up, v.y_up, v.z_up})), u = croix(s, fw);
  return vec3{v.x_eye, v.y_eye, v.z_eye} + cx * s + cy * u + (-cz) * fw;
}

// The objects in groups of twenty-five, each within a bounding sphere, so that a ray skips most of
// them at once.
struct groupe {
  vec3 centre{};
  double rayon = 0;
  std::vector<objet> objets;
};

std::vector<groupe> grouper(const std::vector<objet>& objets) {
  std::vector<groupe> groupes;
  for (std::size_t i = 0; i < objets.size(); i += 25) {
    groupe& g = groupes.emplace_back();
    g.objets.assign(objets.begin() + i, objets.begin() + std::min(i + 25, objets.size()));
    for (const objet& o : g.objets) g.centre = g.centre + (1.0 / g.objets.size()) * o.a;
    for (const objet& o : g.objets)
      for (const vec3& p : {o.a, o.r > 0 ? o.a : o.b, o.r > 0 ? o.a : o.c})  // a sphere: centre
        g.rayon = std::max(g.rayon, std::sqrt(scalaire(p - g.centre, p - g.centre)) + o.r + 1e-6);
  }
  return groupes;
}

// Whether the line o + t d passes within the group's sphere.
bool touche_groupe(const vec3& o, const vec3& d, const groupe& g) {
  const vec3 m = g.centre - o, p = m - (scalaire(m, d) / scalaire(d, d)) * d;
  return scalaire(p, p) <= g.rayon * g.rayon;
}

// The cell the id buffer holds at window pixel (px, py), y from the top: the nearest front face
// or sphere met by the pixel's ray through its centre.
std::pair<int, int> cellule_tracee(const std::vector<groupe>& groupes, const vue_gl& v, int px,
                                   int py, int W, int H) {
  const double gx = px + 0.5, gy = H - py - 0.5;
  const vec3 o = deprojeter(v, gx, gy, 0, W, H), d = deprojeter(v, gx, gy, 1, W, H) - o;
  double meilleure = 1e300;
  std::pair<int, int> cellule{-1, -1};
  for (const groupe& g : groupes)
    if (touche_groupe(o, d, g))
      for (const objet& ob : g.objets) {
        double t = -1;
        if (ob.r > 0) {
          const vec3 m = o - ob.a;
          const double a = scalaire(d, d), b = scalaire(m, d), c = scalaire(m, m) - ob.r * ob.r;
          if (b * b - a * c >= 0) t = (-b - std::sqrt(b * b - a * c)) / a;
        } else {
          const vec3 n = croix(ob.b - ob.a, ob.c - ob.a);
          const double dn = scalaire(d, n);
          if (dn >= 0) continue;  // back face, culled
          t = scalaire(ob.a - o, n) / dn;
          // Inside when the point met is on the inner side of all three edges.
          const vec3 p = o + t * d;
          if (scalaire(croix(ob.b - ob.a, p - ob.a), n) < 0 ||
              scalaire(croix(ob.c - ob.b, p - ob.b), n) < 0 ||
              scalaire(croix(ob.a - ob.c, p - ob.c), n) < 0)
            continue;
        }
        if (t > 0 && t < meilleure) meilleure = t, cellule = {ob.x, ob.y};
      }
  return cellule;
}

// For every pixel of a grid over a W x H window, the cell the program picks against the cell of
// the id buffer: the first pixel where they differ (empty if none), and how many pixels showed a
// cell at all.
std::pair<std::string, int> comparer_vue(int W, int H, int pas) {
  fixer_taille_fenetre(W, H);
  const auto objets = grouper(
      scene_tracee(enregistrer(construire_scene), taille_case(), colonnes_scene(), lignes_scene()));
  const vue_gl v = lire_vue_gl();
  std::pair<std::string, int> bilan{"", 0};
  for (int py = pas / 2; py < H; py += pas)
    for (int px = pas / 2; px < W; px += pas) {
      const auto attendue = cellule_tracee(objets, v, px, py, W, H);
      int x = -1, y = -1;
      const int trouvee = case_sous_pointeur(px, py, x, y);
      bilan.second += attendue.first >= 0;
      if (bilan.first.empty() &&
          ((trouvee != 0) != (attendue.first >= 0) || std::pair{x, y} != attendue))
        bilan.first = "pixel (" + std::to_string(px) + ", " + std::to_string(py) +
                      ") : " + std::to_string(x) + "," + std::to_string(y) + " au lieu de " +
                      std::to_string(attendue.first) + "," + std::to_string(attendue.second);
    }
  return bilan;
}

}  // namespace

TEST(Pointage, LaCaseChoisieEstCelleDessineeSousLePointeur) {
  // A 10 by 10 world with a mountain ridge, hills and sea, and units on the slopes.
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
  const struct {
    const char* nom;
    int W, H;
    void (*preparer)();
  } vues[] = {
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
  for (int n : {1, 2, 3}) {
    vue_gl v = lire_vue_gl();
    v.complexite = n;
    ecrire_vue_gl(v);
    construire_scene();
    for (const auto& vue : vues) {
      SCOPED_TRACE("niveau " + std::to_string(n) + ", vue " + vue.nom);
      vue.preparer();
      const auto [ecart, cellules] = comparer_vue(vue.W, vue.H, 17);
      EXPECT_EQ(ecart, "");
      // The grid sees a good part of the map in every view.
      EXPECT_GT(cellules, 200);
    }
  }
}
