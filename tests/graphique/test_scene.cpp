// The scene of the world, recorded without a display: a continuous relief that faces the sky at
// every detail level, and a jitter that is the same from one build to the next without touching
// the simulation's draws. Every call of whole scenes is pinned by test_empreintes.cpp.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <map>
#include <utility>
#include <vector>

#include "commun/monde_test.h"
#include "graphique/enregistreur.h"
#include "graphique/scene.h"
#include "monde/carte.h"
#include "population/civ.h"
#include "population/unites.h"
#include "regles/guerre.h"
#include "socle/alea.h"
#include "socle/parametres.h"

namespace {

struct point {
  double x, y, z;
};

// A primitive or a sphere as it lands in the world: the recorded calls replayed with the
// translations of the model-view stack.
struct forme {
  int type;  // a primitive's enum value, or -1 for a sphere
  std::vector<point> sommets;
  std::vector<point> normales;  // the normal current at each vertex
  std::vector<point> couleurs;  // the colour current at each vertex
  double rayon = 0;
};

std::vector<forme> rejouer(const enregistreur& e) {
  std::vector<forme> formes;
  std::vector<point> pile{{0, 0, 0}};
  point normale{0, 0, 0}, couleur{0, 0, 0};
  for (const appel& a : e.appels) {
    const auto& v = a.valeurs;
    if (a.nom == "empiler_matrice") pile.push_back(pile.back());
    if (a.nom == "depiler_matrice") pile.pop_back();
    if (a.nom == "translater")
      pile.back() = {pile.back().x + v[0], pile.back().y + v[1], pile.back().z + v[2]};
    if (a.nom == "normale") normale = {v[0], v[1], v[2]};
    if (a.nom == "couleur") couleur = {v[0], v[1], v[2]};
    if (a.nom == "couleur_octets") couleur = {v[0] / 255, v[1] / 255, v[2] / 255};
    if (a.nom == "debut") formes.push_back({static_cast<int>(v[0]), {}, {}, {}});
    if (a.nom == "sommet") {
      formes.back().sommets.push_back(
          {pile.back().x + v[0], pile.back().y + v[1], pile.back().z + v[2]});
      formes.back().normales.push_back(normale);
      formes.back().couleurs.push_back(couleur);
    }
    if (a.nom == "sphere") formes.push_back({-1, {pile.back()}, {}, {couleur}, v[0]});
  }
  return formes;
}

// The scene of the current world at a detail level, with the three drawing switches.
std::vector<forme> construire(int complexite, int ressources, int unites, int guerres,
                              enregistreur* e = nullptr) {
  vue_gl v = lire_vue_gl();
  v.complexite = complexite;
  v.dessin_ressources = ressources;
  v.dessin_unites = unites;
  v.dessin_guerres = guerres;
  ecrire_vue_gl(v);
  enregistreur local;
  enregistreur& r = e != nullptr ? *e : local;
  fixer_dessin(&r);
  construire_scene();
  fixer_dessin(nullptr);
  return rejouer(r);
}

constexpr int TRIANGLES = static_cast<int>(primitive::triangles);
constexpr int QUADS = static_cast<int>(primitive::quads);
constexpr int LIGNES = static_cast<int>(primitive::lignes);
constexpr int EVENTAIL = static_cast<int>(primitive::eventail_triangles);

// Signed area of a triangle seen from above: positive when counter-clockwise.
double aire(const point& a, const point& b, const point& c) {
  return (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
}

// The triangles a primitive stands for, as vertex index triples.
std::vector<std::array<std::size_t, 3>> triangles_de(const forme& f) {
  std::vector<std::array<std::size_t, 3>> t;
  const std::size_t n = f.sommets.size();
  if (f.type == TRIANGLES)
    for (std::size_t i = 0; i + 2 < n; i += 3) t.push_back({i, i + 1, i + 2});
  if (f.type == QUADS)
    for (std::size_t i = 0; i + 3 < n; i += 4)
      t.push_back({i, i + 1, i + 2}), t.push_back({i, i + 2, i + 3});
  if (f.type == EVENTAIL)
    for (std::size_t i = 1; i + 1 < n; ++i) t.push_back({0, i, i + 1});
  return t;
}

class Scene : public ::testing::Test {
 protected:
  // A 3 by 2 plain without resources, units or wars.
  void SetUp() override { construire_monde(3, 2, BAS, 5, 0); }
};

TEST_F(Scene, ReliefContinuQuiRegardeLeCiel) {
  // Heights by position on a grid of eighths of a tile, over the three levels.
  std::map<std::pair<long, long>, double> hauteurs;
  for (int complexite : {1, 2, 3}) {
    SCOPED_TRACE(complexite);
    construire_monde(4, 3, MOYEN, 5, 0);
    fixer_case(1, 1, HAUT, 0, 0, 0, 0);
    fixer_case(2, 2, MER, 7000, 0, 0, 0);
    const double c = 8.0 / 6;
    double surface = 0;
    for (const forme& f : construire(complexite, 0, 0, 0)) {
      for (const auto& t : triangles_de(f)) {
        const double a = aire(f.sommets[t[0]], f.sommets[t[1]], f.sommets[t[2]]);
        // Seen from above with back faces culled: every triangle is counter-clockwise.
        ASSERT_GT(a, 0);
        if (f.type != EVENTAIL) surface += a / 2;
      }
      // Lit from above: every normal is of unit length and points up.
      for (const point& n : f.normales) {
        ASSERT_NEAR(n.x * n.x + n.y * n.y + n.z * n.z, 1.0, 1e-5);
        ASSERT_GT(n.z, 0);
      }
      // Tiles meet without steps: a point of the relief has one height, whichever tile and
      // whichever level draws it.
      if (f.type == EVENTAIL || f.type == LIGNES) continue;
      for (const point& p : f.sommets) {
        const std::pair<long, long> cle{std::lround(p.x / c * 8), std::lround(p.y / c * 8)};
        const auto [it, nouveau] = hauteurs.emplace(cle, p.z);
        if (!nouveau) {
          ASSERT_NEAR(it->second, p.z, 1e-5) << p.x << " " << p.y;
        }
      }
    }
    // The tiles cover the scene's rectangle once, without gap or overlap.
    EXPECT_NEAR(surface, 6 * c * 5 * c, 1e-4);
  }
}

}  // namespace
