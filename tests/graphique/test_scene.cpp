// The scene of the world, recorded without a display: triangle counts at the three detail
// levels, the relief and its jitter, markers, war lines, the plate, and the facing of every
// primitive.
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

int compter(const std::vector<forme>& formes, int type) {
  int n = 0;
  for (const forme& f : formes) n += f.type == type;
  return n;
}

constexpr int TRIANGLES = static_cast<int>(primitive::triangles);
constexpr int QUADS = static_cast<int>(primitive::quads);
constexpr int LIGNES = static_cast<int>(primitive::lignes);
constexpr int EVENTAIL = static_cast<int>(primitive::eventail_triangles);
constexpr int SPHERE = -1;

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

TEST_F(Scene, TrianglesComptesParNiveauEtParMarqueur) {
  // Tiles: 5 x 4 with the border ring; fine squares: 20 x 16.
  struct cas {
    int complexite;
    int attendu;
  };
  for (auto [complexite, attendu] :
       {cas{1, 4 * 5 * 4 + 48}, cas{2, 13 * 5 * 4 + 48}, cas{3, 6 * 20 * 16 + 48}}) {
    SCOPED_TRACE(complexite);
    construire_monde(3, 2, BAS, 5, 0);
    const std::vector<forme> vide = construire(complexite, 0, 0, 0);
    EXPECT_EQ(lire_vue_gl().nb_triangles, attendu);
    // The count matches the triangles actually emitted: 2 per quad, 12 per plate cap, and the
    // fine mesh counted 6 per square.
    std::size_t emis = 0;
    for (const forme& f : vide) emis += triangles_de(f).size();
    EXPECT_EQ(static_cast<int>(emis), complexite == 1   ? attendu
                                      : complexite == 2 ? attendu + 5 * 5 * 4
                                                        : attendu - 4 * 20 * 16);
    EXPECT_EQ(compter(vide, EVENTAIL), 4);

    // Two resources on one cell, one on another, two units: 16 per resource, 64 per unit.
    fixer_case(0, 0, BAS, 10, 20, 0, 0);
    fixer_case(2, 1, BAS, 0, 0, 0, 5);
    ajouter_tribu(0, 0, 2, 1);
    ajouter_tribu(7, 0, 2, 1);
    ajouter_unite(0, 1, 0, 100);
    ajouter_unite(7, 2, 1, 100);
    const std::vector<forme> pleine = construire(complexite, 1, 1, 1);
    EXPECT_EQ(lire_vue_gl().nb_triangles, attendu + 3 * 16 + 2 * 64);
    EXPECT_EQ(compter(pleine, SPHERE), 5);
    // Switches off again: back to the bare count.
    construire(complexite, 0, 0, 0);
    EXPECT_EQ(lire_vue_gl().nb_triangles, attendu);
  }
}

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

TEST_F(Scene, CarteDUneCaseAuMilieuDeSaBordure) {
  construire_monde(1, 1, BAS, 5, 0);
  const std::vector<forme> formes = construire(1, 0, 0, 0);
  const double c = 8.0 / 3;
  EXPECT_FLOAT_EQ(taille_case(), 8.0f / 3);
  EXPECT_EQ(colonnes_scene(), 1);
  EXPECT_EQ(lignes_scene(), 1);
  EXPECT_EQ(lire_vue_gl().nb_triangles, 9 * 4 + 48);
  // The one cell's first jitter draw from seed 1 is 16838, so k = 8: a plain (0.08 + 0.1) scaled
  // by 10 / 1. Its tile is the middle one; the border points lie at height 0 and grey.
  double centre = -1;
  for (const forme& f : formes)
    for (std::size_t i = 0; i < f.sommets.size(); ++i) {
      const point& p = f.sommets[i];
      if (std::abs(p.x - 1.5 * c) < 1e-4 && std::abs(p.y + 1.5 * c) < 1e-4) centre = p.z;
      if (std::abs(p.x) < 1e-4 && std::abs(p.y) < 1e-4 && f.type == TRIANGLES) {
        EXPECT_FLOAT_EQ(static_cast<float>(p.z), 0);
        EXPECT_FLOAT_EQ(static_cast<float>(f.couleurs[i].x), 0.7f);
      }
    }
  EXPECT_NEAR(centre, 1.8, 1e-5);
}

TEST_F(Scene, ReliefIdentiqueDUneConstructionALAutreSansToucherLaSuiteDuMonde) {
  construire_monde(6, 5, MOYEN, 5, 0);
  fixer_case(0, 0, HAUT, 0, 0, 0, 0);
  fixer_case(3, 2, MER, 7000, 0, 0, 0);
  ajouter_tribu(40, 0, 2, 1);
  ajouter_unite(40, 4, 4, 100);
  initialiser_alea(77);
  const int attendu = tirer_alea();
  initialiser_alea(77);

  enregistreur premier, second;
  construire(3, 1, 1, 1, &premier);
  construire(3, 1, 1, 1, &second);
  ASSERT_EQ(premier.appels.size(), second.appels.size());
  for (std::size_t i = 0; i < premier.appels.size(); ++i)
    ASSERT_EQ(premier.appels[i].valeurs, second.appels[i].valeurs) << premier.appels[i].nom;
  // The heights do vary: the jitter is there.
  double bas = 1e9, haut = -1e9;
  for (const forme& f : rejouer(premier))
    for (const point& p : f.sommets) bas = std::min(bas, p.z), haut = std::max(haut, p.z);
  EXPECT_LT(bas, haut);
  // Building the scene draws nothing from the simulation's sequence.
  EXPECT_EQ(alea_nb_tirages(), 0);
  EXPECT_EQ(tirer_alea(), attendu);

  // Tribe 40 is past the colour table: blue, green, red drawn from a sequence seeded with 40.
  std::uint32_t s = 40;
  auto tirer = [&s] { return static_cast<int>(((s = s * 1103515245u + 12345u) >> 16) & 0x7FFF); };
  const int bleu = tirer() % 255, vert = tirer() % 255, rouge = tirer() % 255;
  const auto couleurs = premier.filtrer("couleur_octets");
  ASSERT_EQ(couleurs.size(), 1u);
  EXPECT_EQ(couleurs[0].valeurs, (std::vector<double>{double(rouge), double(vert), double(bleu)}));
}

TEST_F(Scene, MarqueursAutourDuCentreDeLaTuile) {
  fixer_case(1, 0, BAS, 5, 6, 7, 8);
  fixer_case(2, 1, BAS, 0, 0, 0, 0);
  ajouter_tribu(3, 0, 2, 1);
  ajouter_unite(3, 1, 0, 100);
  const double c = 8.0 / 5;
  const std::vector<forme> formes = construire(2, 1, 1, 0);
  // Cell (1, 0) is tile (2, 1): centre (2.5c, -1.5c).
  const double cx = 2.5 * c, cy = -1.5 * c;
  struct attendu {
    double dx, dy;
    point couleur;
    double rayon;
  };
  const attendu marqueurs[] = {{-c / 8, c / 8, {0, 1, 0}, c / 16},       // plant food
                               {c / 8, c / 8, {1, 0, 0}, c / 16},        // animal food
                               {c / 8, -c / 8, {0, 0, 1}, c / 16},       // water
                               {-c / 8, -c / 8, {0.8, 0.8, 0}, c / 16},  // wood
                               {0, 0, {1, 0, 1}, c / 8}};                // unit of tribe 3
  std::vector<forme> spheres;
  for (const forme& f : formes)
    if (f.type == SPHERE) spheres.push_back(f);
  ASSERT_EQ(spheres.size(), 5u);
  const double h = spheres[0].sommets[0].z;
  for (std::size_t i = 0; i < 5; ++i) {
    SCOPED_TRACE(i);
    EXPECT_NEAR(spheres[i].sommets[0].x, cx + marqueurs[i].dx, 1e-5);
    EXPECT_NEAR(spheres[i].sommets[0].y, cy + marqueurs[i].dy, 1e-5);
    EXPECT_NEAR(spheres[i].sommets[0].z, h + (i == 4 ? 0.2 : 0), 1e-5);
    EXPECT_NEAR(spheres[i].couleurs[0].x, marqueurs[i].couleur.x, 1e-6);
    EXPECT_NEAR(spheres[i].couleurs[0].y, marqueurs[i].couleur.y, 1e-6);
    EXPECT_NEAR(spheres[i].couleurs[0].z, marqueurs[i].couleur.z, 1e-6);
    EXPECT_NEAR(spheres[i].rayon, marqueurs[i].rayon, 1e-6);
  }
  // Without the resource markers the unit sits at the same place.
  const std::vector<forme> seule = construire(2, 0, 1, 0);
  ASSERT_EQ(compter(seule, SPHERE), 1);
  for (const forme& f : seule)
    if (f.type == SPHERE) {
      EXPECT_NEAR(f.sommets[0].x, cx, 1e-5);
      EXPECT_NEAR(f.sommets[0].y, cy, 1e-5);
    }
}

TEST_F(Scene, LignesDeGuerreCacheesAvecLesUnites) {
  ajouter_tribu(0, 0, 1, 1);
  ajouter_tribu(1, 0, 2, 1);
  ajouter_unite(0, 0, 0, 100);
  ajouter_unite(1, 1, 1, 100);
  ajouter_conflit(quelle_unite(0, 0), quelle_unite(1, 1));
  const double c = 8.0 / 5;
  struct cas {
    int unites, guerres, lignes;
  };
  for (auto [unites, guerres, lignes] : {cas{1, 1, 1}, cas{0, 1, 0}, cas{1, 0, 0}, cas{0, 0, 0}}) {
    SCOPED_TRACE(unites * 10 + guerres);
    const std::vector<forme> formes = construire(1, 0, unites, guerres);
    EXPECT_EQ(compter(formes, LIGNES), lignes);
    for (const forme& f : formes) {
      if (f.type != LIGNES) continue;
      ASSERT_EQ(f.sommets.size(), 2u);
      EXPECT_NEAR(f.sommets[0].x, 1.5 * c, 1e-5);
      EXPECT_NEAR(f.sommets[0].y, -1.5 * c, 1e-5);
      EXPECT_NEAR(f.sommets[1].x, 2.5 * c, 1e-5);
      EXPECT_NEAR(f.sommets[1].y, -2.5 * c, 1e-5);
      EXPECT_GT(f.sommets[1].z, 0.2);
    }
  }
}

TEST_F(Scene, PlateauElliptiqueAutourDeLaCarte) {
  const std::vector<forme> formes = construire(1, 0, 0, 0);
  const double c = 8.0 / 5, A = 5 * c / 2, B = 4 * c / 2;
  for (const forme& f : formes) {
    if (f.type != EVENTAIL) continue;
    ASSERT_EQ(f.sommets.size(), 14u);
    // The rim runs on the ellipse through the scene's corners, from one corner to the next.
    for (std::size_t i = 1; i < f.sommets.size(); ++i) {
      const point& p = f.sommets[i];
      const double u = (p.x - A) / (A * std::sqrt(2.0)), v = (p.y + B) / (B * std::sqrt(2.0));
      EXPECT_NEAR(u * u + v * v, 1.0, 1e-5);
      EXPECT_NEAR(p.z, 0, 1e-9);
    }
    for (std::size_t i : {std::size_t{1}, std::size_t{13}}) {
      const point& coin = f.sommets[i];
      EXPECT_NEAR(std::abs(coin.x - A), A, 1e-5);
      EXPECT_NEAR(std::abs(coin.y + B), B, 1e-5);
    }
  }
}

}  // namespace
