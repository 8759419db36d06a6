// The scene of the world: a height grid drawn from the map's altitudes, turned into coloured
// tiles (pyramids, plateaus or a smooth fine mesh), resource and unit markers, war lines and a
// grey plate around the map, all compiled into one display list through dessin_courant().
#include "graphique/scene.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <new>
#include <numbers>
#include <optional>
#include <vector>

#include "graphique/dessin.h"
#include "graphique/vue_gl.h"
#include "monde/carte.h"
#include "monde/terrain.h"
#include "population/couleurs.h"
#include "population/unites.h"
#include "regles/guerre.h"

namespace {

// One point of the height grid: world height, then colour.
struct point_grille {
  float hauteur;
  float r, g, b;
};

// (X + 4) x (Y + 4) points, row by row; point (gx, gy) stands for map cell (gx - 2, gy - 2), the
// two outer rings are border points.
struct grille_hauteurs {
  int X = 0;
  int Y = 0;
  std::vector<point_grille> points;
  const point_grille& operator()(int gx, int gy) const {
    return points[static_cast<std::size_t>(gy) * static_cast<std::size_t>(X + 4) +
                  static_cast<std::size_t>(gx)];
  }
};

// The scene's own pseudo-random sequence, with the shared generator's formula. The relief jitter
// and the colours of tribes past the table draw from it, so building a scene never disturbs the
// simulation's sequence: a seeded run stays reproducible however often the scene is rebuilt.
class suite_scene {
 public:
  explicit suite_scene(std::uint32_t graine) : s_(graine) {}
  int tirer() {
    s_ = s_ * 1103515245u + 12345u;
    return static_cast<int>((s_ >> 16) & 0x7FFF);
  }

 private:
  std::uint32_t s_;
};

constexpr point_grille POINT_BORDURE = {0.0f, 0.7f, 0.7f, 0.7f};
constexpr point_grille POINT_INCONNU = {3.0f, 0.84f, 0.84f, 0.84f};

// The nine key points of a tile: its centre, four corners and four edge midpoints.
enum cle : int { P, NW, NE, SW, SE, N, S, W, E };
using points_cles = std::array<point_grille, 9>;

// A corner of a primitive: a key point placed in the tile at (x, -y) quarters of a tile.
struct coin {
  cle k;
  int x, y;
};

// Level 1: a pyramid of four triangles up to the tile's centre.
constexpr coin PYRAMIDE[4][3] = {
    {{NW, 0, 0}, {P, 2, 2}, {NE, 4, 0}},
    {{NW, 0, 0}, {SW, 0, 4}, {P, 2, 2}},
    {{SW, 0, 4}, {SE, 4, 4}, {P, 2, 2}},
    {{NE, 4, 0}, {P, 2, 2}, {SE, 4, 4}},
};

// Level 2: a flat square from 1/4 to 3/4 of the tile at the centre's height, edge bands and
// corners: eight triangles, then five quads.
constexpr coin PLATEAU_TRIANGLES[8][3] = {
    {{NW, 0, 0}, {W, 0, 1}, {N, 1, 0}}, {{N, 1, 0}, {W, 0, 1}, {P, 1, 1}},
    {{W, 0, 3}, {SW, 0, 4}, {S, 1, 4}}, {{W, 0, 3}, {S, 1, 4}, {P, 1, 3}},
    {{N, 3, 0}, {E, 4, 1}, {NE, 4, 0}}, {{N, 3, 0}, {P, 3, 1}, {E, 4, 1}},
    {{P, 3, 3}, {S, 3, 4}, {E, 4, 3}},  {{E, 4, 3}, {S, 3, 4}, {SE, 4, 4}},
};
constexpr coin PLATEAU_QUADS[5][4] = {
    {{N, 1, 0}, {P, 1, 1}, {P, 3, 1}, {N, 3, 0}}, {{W, 0, 1}, {W, 0, 3}, {P, 1, 3}, {P, 1, 1}},
    {{P, 1, 3}, {S, 1, 4}, {S, 3, 4}, {P, 3, 3}}, {{P, 3, 1}, {P, 3, 3}, {E, 4, 3}, {E, 4, 1}},
    {{P, 1, 1}, {P, 1, 3}, {P, 3, 3}, {P, 3, 1}},
};

// Level 3: which key point each of a tile's 5 x 5 fine points takes, by row then column.
constexpr cle MAILLE_TUILE[5][5] = {
    {NW, N, N, N, NE}, {W, P, P, P, E}, {W, P, P, P, E}, {W, P, P, P, E}, {SW, S, S, S, SE},
};

// The two triangles of a fine square, as (row, column) offsets from its north-west point: the
// diagonal goes one way when row + column is even, the other way when it is odd.
constexpr int CARRE_PAIR[6][2] = {{0, 0}, {1, 0}, {0, 1}, {1, 0}, {1, 1}, {0, 1}};
constexpr int CARRE_IMPAIR[6][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 0}, {1, 1}, {0, 1}};

// Triangles counted for each marker sphere and each plate cap.
constexpr int TRIANGLES_RESSOURCE = 16;
constexpr int TRIANGLES_UNITE = 64;
constexpr int TRIANGLES_CALOTTE = 12;

struct vecteur {
  float x, y, z;
};

vecteur moins(const vecteur& a, const vecteur& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }

vecteur vectoriel(const vecteur& a, const vecteur& b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

// The vector scaled to length 1, or unchanged when its length is 0.
vecteur unitaire(const vecteur& v) {
  const float longueur = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
  if (longueur == 0.0f) return v;
  return {v.x / longueur, v.y / longueur, v.z / longueur};
}

// Unit normal of (b - a) x (c - a).
vecteur normale_triangle(const vecteur& a, const vecteur& b, const vecteur& c) {
  return unitaire(vectoriel(moins(b, a), moins(c, a)));
}

// Average of four grid points, height and each colour component.
point_grille centre_carre(const grille_hauteurs& g, int x1, int y1, int x2, int y2, int x3, int y3,
                          int x4, int y4) {
  const point_grille &a = g(x1, y1), &b = g(x2, y2), &c = g(x3, y3), &d = g(x4, y4);
  return {(a.hauteur + b.hauteur + c.hauteur + d.hauteur) / 4, (a.r + b.r + c.r + d.r) / 4,
          (a.g + b.g + c.g + d.g) / 4, (a.b + b.b + c.b + d.b) / 4};
}

// Average of two grid points.
point_grille milieu_points(const grille_hauteurs& g, int x1, int y1, int x2, int y2) {
  const point_grille &a = g(x1, y1), &b = g(x2, y2);
  return {(a.hauteur + b.hauteur) / 2, (a.r + b.r) / 2, (a.g + b.g) / 2, (a.b + b.b) / 2};
}

// The height grid of the current map: sea, plain, hill and mountain heights with a small jitter
// drawn from a sequence seeded with 1, so the same map always gets the same relief. None when the
// map has no size or the memory cannot be had.
std::optional<grille_hauteurs> creer_grille_hauteurs() {
  grille_hauteurs g;
  donner_dimensions(g.X, g.Y);
  if (g.X < 1 || g.Y < 1) return std::nullopt;
  try {
    g.points.resize(static_cast<std::size_t>(g.X + 4) * static_cast<std::size_t>(g.Y + 4));
  } catch (const std::bad_alloc&) {
    return std::nullopt;
  }
  suite_scene alea(1);
  const double echelle = 10.0 / std::max(g.X, g.Y);
  std::size_t n = 0;
  for (int gy = 0; gy < g.Y + 4; ++gy)
    for (int gx = 0; gx < g.X + 4; ++gx, ++n) {
      point_grille& p = g.points[n];
      if (gx < 2 || gy < 2 || gx >= g.X + 2 || gy >= g.Y + 2) {
        p = POINT_BORDURE;
        continue;
      }
      const int a = quelle_altitude(gx - 2, gy - 2);
      if (a < MER || a > HAUT) {
        p = POINT_INCONNU;
        continue;
      }
      const int k = alea.tirer() % 10;
      double h = 0;
      switch (a) {
        case MER:
          h = k * 0.01, p = {0, 0.1f, 0.1f, 1.0f};
          break;
        case BAS:
          h = k * 0.01 + 0.1, p = {0, 0.15f, 0.85f, 0.15f};
          break;
        case MOYEN:
          h = k * 0.0125 + 0.4, p = {0, 0.87f, 0.85f, 0.0f};
          break;
        default:
          h = k * 0.033333335 + 1.0, p = {0, 1.0f, 1.0f, 1.0f};
          break;
      }
      p.hauteur = static_cast<float>(static_cast<float>(h) * echelle);
    }
  return g;
}

// The key points of tile (i, j), centred on grid point (i + 1, j + 1). Corners and edges shared
// by neighbouring tiles are computed from the same points in the same order, so they match.
points_cles points_tuile(const grille_hauteurs& g, int i, int j) {
  points_cles k;
  k[P] = g(i + 1, j + 1);
  k[NW] = centre_carre(g, i, j, i + 1, j, i, j + 1, i + 1, j + 1);
  k[NE] = centre_carre(g, i + 1, j, i + 2, j, i + 1, j + 1, i + 2, j + 1);
  k[SW] = centre_carre(g, i, j + 1, i + 1, j + 1, i, j + 2, i + 1, j + 2);
  k[SE] = centre_carre(g, i + 1, j + 1, i + 2, j + 1, i + 1, j + 2, i + 2, j + 2);
  k[N] = milieu_points(g, i + 1, j + 1, i + 1, j);
  k[S] = milieu_points(g, i + 1, j + 1, i + 1, j + 2);
  k[W] = milieu_points(g, i + 1, j + 1, i, j + 1);
  k[E] = milieu_points(g, i + 1, j + 1, i + 2, j + 1);
  return k;
}

// One point of the fine mesh of level 3: position, colour, normal.
struct point_fin {
  vecteur position;
  vecteur couleur;
  vecteur normale;
};

// The fine mesh: (4X + 9) x (4Y + 9) points, four steps per tile, row by row.
struct maille_fine {
  int colonnes = 0;
  int lignes = 0;
  std::vector<point_fin> points;
  point_fin& operator()(int ligne, int colonne) {
    return points[static_cast<std::size_t>(ligne) * static_cast<std::size_t>(colonnes) +
                  static_cast<std::size_t>(colonne)];
  }
};

// What the last build drew, as the pointer needs it: the detail level, the nine key heights of
// every tile (row by row, in the order of the cle enum) and every marker sphere with its cell.
struct sphere_tracee {
  float x, y, z;
  double rayon;
  int case_x, case_y;
};
struct relief_trace {
  int complexite = 0;
  std::vector<float> hauteurs;
  std::vector<sphere_tracee> spheres;
};

// Writes one scene through the drawing interface and counts its triangles.
class constructeur {
 public:
  constructeur(dessin& d, const grille_hauteurs& g, float c, const vue_gl& vue,
               relief_trace* relief, double echelle_unites)
      : d_(d), g_(g), c_(c), vue_(vue), relief_(relief), echelle_unites_(echelle_unites) {}

  int nb_triangles() const { return nb_triangles_; }

  // The tiles row by row, each drawn in its own frame: north-west corner at the origin, x to the
  // east, y to the south.
  void tuiles(maille_fine* maille) {
    const int X = g_.X, Y = g_.Y;
    d_.empiler_matrice();
    for (int j = 0; j <= Y + 1; ++j) {
      for (int i = 0; i <= X + 1; ++i) {
        const points_cles k = points_tuile(g_, i, j);
        if (relief_ != nullptr)
          for (int n = 0; n < 9; ++n)
            relief_->hauteurs.push_back(k[static_cast<std::size_t>(n)].hauteur);
        if (vue_.complexite == 1) {
          pyramide(k);
        } else if (vue_.complexite == 2) {
          plateau(k);
        } else if (maille != nullptr) {
          placer_maille(*maille, k, i, j);
        }
        if (i >= 1 && i <= X && j >= 1 && j <= Y) marqueurs(i - 1, j - 1, k[P].hauteur, i, j);
        d_.translater(c_, 0, 0);
      }
      d_.translater(-static_cast<float>(X + 2) * c_, 0, 0);
      d_.translater(0, -c_, 0);
    }
    d_.depiler_matrice();
  }

  // Thick red lines between the cells of each war of the last war phase, just above the tiles.
  void guerres() {
    if (!vue_.dessin_guerres || !vue_.dessin_unites) return;
    d_.empiler_attributs_trait();
    d_.epaisseur_trait(5.0f);
    d_.debut(primitive::lignes);
    d_.couleur(1.0f, 0.2f, 0.2f);
    d_.normale(0, 0, 1);
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    const int nb = donner_conflit(0, x1, y1, x2, y2);
    for (int n = 1; n <= nb; ++n) {
      donner_conflit(n, x1, y1, x2, y2);
      // A war recorded on a larger map than this one has no tiles to join.
      if (!dans_grille(x1, y1) || !dans_grille(x2, y2)) continue;
      bout_de_guerre(x1, y1);
      bout_de_guerre(x2, y2);
    }
    d_.fin();
    d_.depiler_attributs();
  }

  // Level 3: normals of the fine points, then two triangles per fine square, their diagonals
  // alternating in a checkerboard.
  void dessiner_maille(maille_fine& m) {
    for (int ligne = 0; ligne < m.lignes; ++ligne)
      for (int col = 0; col < m.colonnes; ++col)
        m(ligne, col).normale = normale_point(m, ligne, col);
    d_.debut(primitive::triangles);
    for (int ligne = 0; ligne + 1 < m.lignes; ++ligne)
      for (int col = 0; col + 1 < m.colonnes; ++col) {
        const auto& carre = (col + ligne) % 2 == 0 ? CARRE_PAIR : CARRE_IMPAIR;
        for (const auto& s : carre) sommet_fin(m(ligne + s[0], col + s[1]));
        nb_triangles_ += 6;
      }
    d_.fin();
  }

  // The grey plate: the ellipse through the four corners of the scene, drawn as four caps outside
  // the rectangle, each a fan from the middle of one side.
  void plateau_autour() {
    const float A = static_cast<float>(g_.X + 2) * c_ / 2;
    const float B = static_cast<float>(g_.Y + 2) * c_ / 2;
    constexpr double pi = std::numbers::pi;
    struct calotte {
      float x, y;
      double theta;
    };
    const calotte calottes[4] = {
        {A, 0, 3 * pi / 4}, {A, -2 * B, 7 * pi / 4}, {2 * A, -B, 5 * pi / 4}, {0, -B, pi / 4}};
    d_.empiler_matrice();
    d_.normale(0, 0, 1);
    d_.couleur(0.7f, 0.7f, 0.7f);
    for (const calotte& k : calottes) {
      d_.debut(primitive::eventail_triangles);
      d_.sommet(k.x, k.y, 0);
      for (int n = 0; n <= TRIANGLES_CALOTTE; ++n) {
        const double theta = k.theta - n * pi / 24;
        d_.sommet(static_cast<float>(A - A * std::numbers::sqrt2 * std::cos(theta)),
                  static_cast<float>(-B + B * std::numbers::sqrt2 * std::sin(theta)), 0);
      }
      d_.fin();
      nb_triangles_ += TRIANGLES_CALOTTE;
    }
    d_.depiler_matrice();
  }

 private:
  dessin& d_;
  const grille_hauteurs& g_;
  float c_;
  vue_gl vue_;
  relief_trace* relief_;   // what the pointer needs of the scene, or none
  double echelle_unites_;  // the unit spheres' radius as a multiple of the design's c/8
  int nb_triangles_ = 0;

  float quart(int n) const { return static_cast<float>(n) * (c_ / 4); }

  // One vertex: colour, then position at the point's height.
  void sommet_colore(const point_grille& p, float x, float y) {
    d_.couleur(p.r, p.g, p.b);
    d_.sommet(x, y, p.hauteur);
  }

  // Three coloured vertices after their unit normal; one triangle more in the count.
  void triangle_colore(const points_cles& k, const coin (&t)[3]) {
    vecteur v[3];
    for (int n = 0; n < 3; ++n) v[n] = {quart(t[n].x), -quart(t[n].y), k[t[n].k].hauteur};
    const vecteur no = normale_triangle(v[0], v[1], v[2]);
    d_.normale(no.x, no.y, no.z);
    for (int n = 0; n < 3; ++n) sommet_colore(k[t[n].k], v[n].x, v[n].y);
    ++nb_triangles_;
  }

  void pyramide(const points_cles& k) {
    d_.debut(primitive::triangles);
    for (const auto& t : PYRAMIDE) triangle_colore(k, t);
    d_.fin();
  }

  void plateau(const points_cles& k) {
    d_.debut(primitive::triangles);
    for (const auto& t : PLATEAU_TRIANGLES) triangle_colore(k, t);
    d_.fin();
    // Each quad: its first three corners as a triangle (normal and count), then the fourth.
    d_.debut(primitive::quads);
    for (const auto& q : PLATEAU_QUADS) {
      const coin premiers[3] = {q[0], q[1], q[2]};
      triangle_colore(k, premiers);
      sommet_colore(k[q[3].k], quart(q[3].x), -quart(q[3].y));
    }
    d_.fin();
  }

  // The 5 x 5 fine points of tile (i, j), in world coordinates.
  void placer_maille(maille_fine& m, const points_cles& k, int i, int j) {
    for (int b = 0; b <= 4; ++b)
      for (int a = 0; a <= 4; ++a) {
        const int col = 4 * i + a, ligne = 4 * j + b;
        const point_grille& p = k[MAILLE_TUILE[b][a]];
        point_fin& f = m(ligne, col);
        f.position = {quart(col), -quart(ligne), p.hauteur};
        f.couleur = {p.r, p.g, p.b};
      }
  }

  // Resource markers on a small square around the tile's centre, then the unit's sphere at the
  // centre, coloured by tribe.
  void marqueurs(int x, int y, float h, int i, int j) {
    d_.empiler_matrice();
    // Where the markers stand in the world, for the pointer: the tile's north-west corner.
    const float x0 = static_cast<float>(i) * c_, y0 = -static_cast<float>(j) * c_;
    if (vue_.dessin_ressources) {
      d_.translater(0.375f * c_, -0.375f * c_, h);
      ressource(x, y, NOURRITURE_VEGETALE, 0, 1, 0, x0 + 0.375f * c_, y0 - 0.375f * c_, h);
      d_.translater(0.25f * c_, 0, 0);
      ressource(x, y, NOURRITURE_ANIMALE, 1, 0, 0, x0 + 0.625f * c_, y0 - 0.375f * c_, h);
      d_.translater(0, -0.25f * c_, 0);
      ressource(x, y, EAU, 0, 0, 1, x0 + 0.625f * c_, y0 - 0.625f * c_, h);
      d_.translater(-0.25f * c_, 0, 0);
      ressource(x, y, BOIS, 0.8f, 0.8f, 0, x0 + 0.375f * c_, y0 - 0.625f * c_, h);
    } else {
      d_.translater(0.375f * c_, -0.625f * c_, h);
    }
    if (vue_.dessin_unites) {
      d_.translater(0.125f * c_, 0.125f * c_, 0.2f);
      const int tribu = quelle_tribu(x, y);
      if (tribu != -1) {
        couleur_tribu(tribu);
        const double rayon = c_ / 8 * echelle_unites_;
        d_.sphere(rayon, 8, 8);
        noter_sphere(x0 + 0.5f * c_, y0 - 0.5f * c_, h + 0.2f, rayon, x, y);
        nb_triangles_ += TRIANGLES_UNITE;
      }
    }
    d_.depiler_matrice();
  }

  void ressource(int x, int y, int code, float r, float g, float b, float wx, float wy, float wz) {
    if (combien_ressouce(x, y, code) == 0) return;
    d_.couleur(r, g, b);
    d_.sphere(c_ / 16, 4, 4);
    noter_sphere(wx, wy, wz, c_ / 16, x, y);
    nb_triangles_ += TRIANGLES_RESSOURCE;
  }

  void noter_sphere(float wx, float wy, float wz, double rayon, int x, int y) {
    if (relief_ != nullptr) relief_->spheres.push_back({wx, wy, wz, rayon, x, y});
  }

  // The table's colour, or for a code past it a colour drawn from a sequence seeded with the
  // code, so a tribe keeps its colour from build to build.
  void couleur_tribu(int tribu) {
    if (tribu >= 0 && tribu < static_cast<int>(COULEURS_TRIBUS.size())) {
      const auto& c = COULEURS_TRIBUS[static_cast<std::size_t>(tribu)];
      d_.couleur_octets(c[0], c[1], c[2]);
      return;
    }
    suite_scene alea(static_cast<std::uint32_t>(tribu));
    const int bleu = alea.tirer() % 255;
    const int vert = alea.tirer() % 255;
    const int rouge = alea.tirer() % 255;
    d_.couleur_octets(static_cast<std::uint8_t>(rouge), static_cast<std::uint8_t>(vert),
                      static_cast<std::uint8_t>(bleu));
  }

  bool dans_grille(int x, int y) const { return x >= 0 && x < g_.X && y >= 0 && y < g_.Y; }

  // One end of a war line, 0.2 above the centre of the cell's tile.
  void bout_de_guerre(int x, int y) {
    d_.sommet((static_cast<float>(x) + 1.5f) * c_, -(static_cast<float>(y) + 1.5f) * c_,
              g_(x + 2, y + 2).hauteur + 0.2f);
  }

  // Normalised sum of the unit normals of the triangles that a fine point forms with its
  // neighbour pairs up-left, left-down, down-right and right-up; pairs leaving the mesh are
  // skipped.
  static vecteur normale_point(maille_fine& m, int ligne, int col) {
    constexpr int paires[4][2][2] = {
        {{-1, 0}, {0, -1}}, {{0, -1}, {1, 0}}, {{1, 0}, {0, 1}}, {{0, 1}, {-1, 0}}};
    const vecteur& a = m(ligne, col).position;
    vecteur somme{0, 0, 0};
    for (const auto& p : paires) {
      const int l1 = ligne + p[0][0], c1 = col + p[0][1];
      const int l2 = ligne + p[1][0], c2 = col + p[1][1];
      if (l1 < 0 || l1 >= m.lignes || c1 < 0 || c1 >= m.colonnes || l2 < 0 || l2 >= m.lignes ||
          c2 < 0 || c2 >= m.colonnes)
        continue;
      const vecteur n = normale_triangle(a, m(l1, c1).position, m(l2, c2).position);
      somme = {somme.x + n.x, somme.y + n.y, somme.z + n.z};
    }
    return unitaire(somme);
  }

  void sommet_fin(const point_fin& p) {
    d_.couleur(p.couleur.x, p.couleur.y, p.couleur.z);
    d_.normale(p.normale.x, p.normale.y, p.normale.z);
    d_.sommet(p.position.x, p.position.y, p.position.z);
  }
};

struct Etat {
  int X = 0;
  int Y = 0;
  float c = 0;
  relief_trace relief;
  int echelle_unites = 1;  // unit-marker size: 1, 2 or 4 times the design's
};

// Smallest positive distance along d at which the ray meets triangle (a, b, c) on its front face
// (counter-clockwise seen from where the ray comes), or -1.
double rencontre_triangle(const double o[3], const double d[3], const double a[3],
                          const double b[3], const double c[3]) {
  const double e1[3] = {b[0] - a[0], b[1] - a[1], b[2] - a[2]};
  const double e2[3] = {c[0] - a[0], c[1] - a[1], c[2] - a[2]};
  const double p[3] = {d[1] * e2[2] - d[2] * e2[1], d[2] * e2[0] - d[0] * e2[2],
                       d[0] * e2[1] - d[1] * e2[0]};
  const double det = e1[0] * p[0] + e1[1] * p[1] + e1[2] * p[2];
  // det > 0 exactly when the ray comes from the front: back faces are culled by the window.
  if (det <= 1e-15) return -1;
  const double t0[3] = {o[0] - a[0], o[1] - a[1], o[2] - a[2]};
  const double u = (t0[0] * p[0] + t0[1] * p[1] + t0[2] * p[2]) / det;
  if (u < 0 || u > 1) return -1;
  const double q[3] = {t0[1] * e1[2] - t0[2] * e1[1], t0[2] * e1[0] - t0[0] * e1[2],
                       t0[0] * e1[1] - t0[1] * e1[0]};
  const double v = (d[0] * q[0] + d[1] * q[1] + d[2] * q[2]) / det;
  if (v < 0 || u + v > 1) return -1;
  const double t = (e2[0] * q[0] + e2[1] * q[1] + e2[2] * q[2]) / det;
  return t > 0 ? t : -1;
}

// Nearest positive distance at which the ray meets the sphere, or -1.
double rencontre_sphere(const double o[3], const double d[3], const sphere_tracee& s) {
  const double m[3] = {o[0] - s.x, o[1] - s.y, o[2] - s.z};
  const double a = d[0] * d[0] + d[1] * d[1] + d[2] * d[2];
  const double b = m[0] * d[0] + m[1] * d[1] + m[2] * d[2];
  const double c = m[0] * m[0] + m[1] * m[1] + m[2] * m[2] - s.rayon * s.rayon;
  const double delta = b * b - a * c;
  if (delta < 0 || a == 0) return -1;
  const double r = std::sqrt(delta);
  const double t1 = (-b - r) / a, t2 = (-b + r) / a;
  return t1 > 0 ? t1 : (t2 > 0 ? t2 : -1);
}

// Whether the ray can meet the box at all (slab test), for a quick rejection of a tile.
bool traverse_boite(const double o[3], const double d[3], const double bas[3],
                    const double haut[3]) {
  double entree = 0, sortie = 1e300;
  for (int a = 0; a < 3; ++a) {
    if (d[a] == 0) {
      if (o[a] < bas[a] || o[a] > haut[a]) return false;
      continue;
    }
    double t1 = (bas[a] - o[a]) / d[a], t2 = (haut[a] - o[a]) / d[a];
    if (t1 > t2) std::swap(t1, t2);
    entree = std::max(entree, t1);
    sortie = std::min(sortie, t2);
    if (entree > sortie) return false;
  }
  return true;
}

// The triangles of tile (i, j) as the build drew them, each handed to `f` as three world points.
template <typename F>
void triangles_tuile(const float* k, int i, int j, float c, int complexite, F&& f) {
  const double x0 = i * static_cast<double>(c), y0 = -j * static_cast<double>(c), q = c / 4.0;
  const auto point = [&](const coin& p, double(&v)[3]) {
    v[0] = x0 + p.x * q, v[1] = y0 - p.y * q, v[2] = k[p.k];
  };
  double a[3], b[3], e[3], g[3];
  if (complexite == 1) {
    for (const auto& t : PYRAMIDE) point(t[0], a), point(t[1], b), point(t[2], e), f(a, b, e);
  } else if (complexite == 2) {
    for (const auto& t : PLATEAU_TRIANGLES)
      point(t[0], a), point(t[1], b), point(t[2], e), f(a, b, e);
    // A quad is drawn as the triangles (0, 1, 2) and (0, 2, 3).
    for (const auto& t : PLATEAU_QUADS) {
      point(t[0], a), point(t[1], b), point(t[2], e), point(t[3], g);
      f(a, b, e);
      f(a, e, g);
    }
  } else {
    for (int rb = 0; rb < 4; ++rb)
      for (int ca = 0; ca < 4; ++ca) {
        const int col = 4 * i + ca, ligne = 4 * j + rb;
        const auto& carre = (col + ligne) % 2 == 0 ? CARRE_PAIR : CARRE_IMPAIR;
        double v[6][3];
        for (int n = 0; n < 6; ++n) {
          const int r = rb + carre[n][0], s = ca + carre[n][1];
          v[n][0] = (col - ca + s) * q, v[n][1] = -(ligne - rb + r) * q;
          v[n][2] = k[MAILLE_TUILE[r][s]];
        }
        f(v[0], v[1], v[2]);
        f(v[3], v[4], v[5]);
      }
  }
}

Etat etat;

}  // namespace

void construire_scene() {
  const std::optional<grille_hauteurs> grille = creer_grille_hauteurs();
  if (!grille) return;
  const vue_gl vue = lire_vue_gl();
  const float c = 8.0f / static_cast<float>(std::max(grille->X + 2, grille->Y + 2));

  // The fine mesh is needed at level 3 only; without its memory the tiles are still drawn flat
  // as plateaus, which show the same relief.
  std::optional<maille_fine> maille;
  vue_gl rendu = vue;
  if (vue.complexite != 1 && vue.complexite != 2) {
    try {
      maille.emplace();
      maille->colonnes = 4 * grille->X + 9;
      maille->lignes = 4 * grille->Y + 9;
      maille->points.resize(static_cast<std::size_t>(maille->colonnes) *
                            static_cast<std::size_t>(maille->lignes));
    } catch (const std::bad_alloc&) {
      maille.reset();
      rendu.complexite = 2;
    }
  }

  etat.X = grille->X;
  etat.Y = grille->Y;
  etat.c = c;
  etat.relief = {};
  etat.relief.complexite = maille ? 3 : rendu.complexite;
  etat.relief.hauteurs.reserve(static_cast<std::size_t>(grille->X + 2) *
                               static_cast<std::size_t>(grille->Y + 2) * 9);

  dessin& d = dessin_courant();
  d.nouvelle_liste();
  constructeur scene(d, *grille, c, rendu, &etat.relief, etat.echelle_unites);
  scene.tuiles(maille ? &*maille : nullptr);
  scene.guerres();
  if (maille) scene.dessiner_maille(*maille);
  scene.plateau_autour();
  d.fin_liste();

  vue_gl v = lire_vue_gl();
  v.nb_triangles = scene.nb_triangles();
  ecrire_vue_gl(v);
}

double rencontre_relief(const double o[3], const double d[3], int& x, int& y) {
  x = y = -1;
  const int X = etat.X, Y = etat.Y;
  const float c = etat.c;
  const auto& h = etat.relief.hauteurs;
  if (X < 1 || Y < 1 || h.size() != static_cast<std::size_t>(X + 2) * (Y + 2) * 9) return -1;
  double meilleure = -1;
  const auto garder = [&](double t, int cx, int cy) {
    if (t > 0 && (meilleure < 0 || t < meilleure)) meilleure = t, x = cx, y = cy;
  };
  for (int j = 0; j <= Y + 1; ++j)
    for (int i = 0; i <= X + 1; ++i) {
      const float* k = &h[(static_cast<std::size_t>(j) * (X + 2) + i) * 9];
      const auto [bas, haut] = std::minmax_element(k, k + 9);
      const double boite_bas[3] = {i * static_cast<double>(c), -(j + 1) * static_cast<double>(c),
                                   *bas - 1e-6};
      const double boite_haut[3] = {(i + 1) * static_cast<double>(c), -j * static_cast<double>(c),
                                    *haut + 1e-6};
      if (!traverse_boite(o, d, boite_bas, boite_haut)) continue;
      // A border tile shows no cell.
      const bool carte = i >= 1 && i <= X && j >= 1 && j <= Y;
      triangles_tuile(k, i, j, c, etat.relief.complexite,
                      [&](const double(&a)[3], const double(&b)[3], const double(&e)[3]) {
                        garder(rencontre_triangle(o, d, a, b, e), carte ? i - 1 : -1,
                               carte ? j - 1 : -1);
                      });
    }
  for (const sphere_tracee& s : etat.relief.spheres)
    garder(rencontre_sphere(o, d, s), s.case_x, s.case_y);
  if (meilleure < 0) x = y = -1;
  return meilleure;
}

int boite_case(int x, int y, double bas[3], double haut[3]) {
  const int X = etat.X, Y = etat.Y;
  const auto& h = etat.relief.hauteurs;
  if (x < 0 || y < 0 || x >= X || y >= Y ||
      h.size() != static_cast<std::size_t>(X + 2) * (Y + 2) * 9)
    return 0;
  // The cell's tile is the one at (x + 1, y + 1) inside the border ring.
  const double c = etat.c;
  const float* k = &h[(static_cast<std::size_t>(y + 1) * (X + 2) + (x + 1)) * 9];
  const auto [b, t] = std::minmax_element(k, k + 9);
  bas[0] = (x + 1) * c, bas[1] = -(y + 2) * c, bas[2] = *b;
  haut[0] = (x + 2) * c, haut[1] = -(y + 1) * c, haut[2] = *t;
  for (const sphere_tracee& s : etat.relief.spheres) {
    if (s.case_x != x || s.case_y != y) continue;
    const double centre[3] = {s.x, s.y, s.z};
    for (int i = 0; i < 3; ++i) {
      bas[i] = std::min(bas[i], centre[i] - s.rayon);
      haut[i] = std::max(haut[i], centre[i] + s.rayon);
    }
  }
  return 1;
}

void fixer_echelle_unites(int echelle) {
  etat.echelle_unites = echelle == 2 || echelle == 4 ? echelle : 1;
}
int echelle_unites() { return etat.echelle_unites; }

float taille_case() { return etat.c; }
int colonnes_scene() { return etat.X; }
int lignes_scene() { return etat.Y; }

void reinitialiser_scene() { etat = {}; }
