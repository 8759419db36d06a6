// World generation: the draw order on a tiny scripted world, and the smoothness invariant and
// the initial resources over many seeds and sizes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "commun/capture.h"
#include "commun/reinitialisation_test.h"
#include "monde/carte.h"
#include "monde/generation.h"
#include "socle/alea.h"

namespace {

// The first fault of a freshly generated world, or "": two touching cells (diagonals
// included) more than one level apart, or stocks other than generation leaves.
std::string faute_generation() {
  for (int x = 0; x < combien_colonnes(); ++x)
    for (int y = 0; y < combien_lignes(); ++y) {
      const terrain* t = donner_terrain(x, y);
      const auto& r = t->ressources;
      const bool pleins = r[EAU] == 7000 && r[BOIS] == 7000 && r[NOURRITURE_VEGETALE] == 7000 &&
                          r[NOURRITURE_ANIMALE] >= 0 && r[NOURRITURE_ANIMALE] <= 7000;
      const bool mer_pleine = r == std::array<std::int32_t, 4>{7000, 0, 0, 0};
      if (t->altitude == MER ? !mer_pleine : !pleins) return "ressources en " + std::to_string(x);
      for (const coord& v : VOISINS)
        if (dans_carte(x + v.x, y + v.y) &&
            std::abs(t->altitude - donner_terrain(x + v.x, y + v.y)->altitude) > 1)
          return "ecart en " + std::to_string(x) + " " + std::to_string(y);
    }
  return "";
}

}  // namespace

TEST(Generation, OrdreDesTiragesSurQuatreCases) {
  reinitialiser_couches();
  fixer_dimensions(4, 1);
  // Patch draws: y0, x0, A, B, then the change until it keeps the centre in 0..3.
  scripter_alea({
      4,     0,           // climate 5, plateau BAS: 1 1 1 1
      3,     0, 0, 0, 2,  // centre (0, 0), half-sizes 1, -1: 0 0 1 1
      0,     0, 0, 0, 2,  // centre (0, 0): -1 would go below sea level ...
      1,                  // ... drawn again: 0, cells still visited
      0,     3, 0, 0, 0,  // centre (3, 0), +1: (2, 0) stays, 2 above (1, 0): 0 0 1 2
      0,     2, 0, 0, 0,  // centre (2, 0), +1: each cell sees its raised left neighbour: 0 1 2 3
      32767, 0,           // animal food of the land cells; the sea draws nothing
      16384,
  });
  creer_carte();
  EXPECT_EQ(alea_nb_tirages(), 26);
  const int altitudes[] = {MER, BAS, MOYEN, HAUT};
  for (int x = 0; x < 4; ++x) EXPECT_EQ(quelle_altitude(x, 0), altitudes[x]) << x;
  EXPECT_EQ(quelle_climat(3, 0), 5);
  EXPECT_EQ(combien_ressouce(1, 0, NOURRITURE_ANIMALE), 7000);
  EXPECT_EQ(combien_ressouce(3, 0, NOURRITURE_ANIMALE), 3500);
  // A centre off the map is reported on standard output after the two half-size draws.
  CaptureSortie sortie;
  ajouter_relief(4, 0);
  EXPECT_EQ(sortie.texte(), "ajouter_relief:coord hors carte\n");
  EXPECT_EQ(alea_nb_tirages(), 28);
}

TEST(Generation, CasesVoisinesAUnNiveauAuPlusEtRessourcesPleines) {
  const int tailles[][2] = {{1, 1}, {1, 100}, {100, 1}, {2, 2}, {10, 10}, {30, 20}, {100, 100}};
  int mers = 0;
  for (const auto& taille : tailles)
    for (unsigned graine = 1; graine <= (taille[0] * taille[1] > 1000 ? 4u : 40u); ++graine) {
      reinitialiser_couches();
      fixer_dimensions(taille[0], taille[1]);
      initialiser_alea(graine);
      creer_carte();
      ASSERT_EQ(faute_generation(), "") << taille[0] << "x" << taille[1] << " graine " << graine;
      for (int x = 0; x < taille[0]; ++x)
        for (int y = 0; y < taille[1]; ++y) mers += quelle_altitude(x, y) == MER;
    }
  // Some sea must have formed, or the patches never lower the ground and the sea goes untested.
  EXPECT_GT(mers, 0);
}
