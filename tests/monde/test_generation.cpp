// World generation: the draw order on a tiny scripted world, the smoothness invariant over many
// seeds and sizes, and the resources right after generation.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "commun/monde_test.h"
#include "controle/alea.h"
#include "monde/carte.h"
#include "monde/generation.h"

namespace {

// Largest altitude difference between two touching cells (diagonals included).
int ecart_max() {
  int ecart = 0;
  for (int x = 0; x < combien_colonnes(); ++x)
    for (int y = 0; y < combien_lignes(); ++y)
      for (int dx = -1; dx <= 1; ++dx)
        for (int dy = -1; dy <= 1; ++dy)
          if (dans_carte(x + dx, y + dy))
            ecart = std::max(ecart, std::abs(donner_terrain(x, y)->altitude -
                                             donner_terrain(x + dx, y + dy)->altitude));
  return ecart;
}

void generer(int X, int Y, unsigned graine) {
  reinitialiser_monde();
  fixer_dimensions(X, Y);
  initialiser_alea(graine);
  creer_carte();
}

}  // namespace

TEST(Generation, PlateauUniforme) {
  for (unsigned graine = 1; graine < 30; ++graine) {
    reinitialiser_monde();
    fixer_dimensions(7, 4);
    initialiser_alea(graine);
    init_carte(-1);
    const terrain* premier = donner_terrain(0, 0);
    ASSERT_GE(premier->altitude, BAS);
    ASSERT_LE(premier->altitude, HAUT);
    ASSERT_GE(premier->climat, 1);
    ASSERT_LE(premier->climat, 9);
    for (int x = 0; x < 7; ++x)
      for (int y = 0; y < 4; ++y) {
        const terrain* t = donner_terrain(x, y);
        ASSERT_EQ(t->altitude, premier->altitude);
        ASSERT_EQ(t->climat, premier->climat);
        ASSERT_EQ(t->ressources, (std::array<std::int32_t, 4>{0, 0, 0, 0}));
      }
  }
  // A given base of 3 is kept: only the climate is drawn.
  reinitialiser_monde();
  fixer_dimensions(2, 2);
  scripter_alea({8});
  init_carte(HAUT);
  EXPECT_EQ(alea_nb_tirages(), 1);
  EXPECT_EQ(quelle_altitude(1, 1), HAUT);
  EXPECT_EQ(quelle_climat(1, 1), 9);
}

TEST(Generation, OrdreDesTiragesSurUnMondeDeDeuxCases) {
  reinitialiser_monde();
  fixer_dimensions(2, 1);
  CaptureJournaux journaux;
  scripter_alea({
      4, 1,           // climate 5, plateau MOYEN
      0, 0, 0, 0, 0,  // patch 1: y0 0, x0 0, A 1, B 1, change +1
      0, 1, 0, 0, 0,  // patch 2: y0 0, x0 1, A 1, B 1, change +1 refused (4) ...
      2,              // ... drawn again: -1
      32767, 0,       // animal food 7000 on (0, 0), 0 on (1, 0)
  });
  creer_carte();
  EXPECT_EQ(alea_tirages_restants(), 0);
  EXPECT_EQ(quelle_climat(0, 0), 5);
  EXPECT_EQ(quelle_altitude(0, 0), MOYEN);
  EXPECT_EQ(quelle_altitude(1, 0), MOYEN);
  EXPECT_EQ(combien_ressouce(0, 0, NOURRITURE_ANIMALE), 7000);
  EXPECT_EQ(combien_ressouce(1, 0, NOURRITURE_ANIMALE), 0);
  const auto lignes = journaux.debug();
  EXPECT_TRUE(contient(lignes, "le terrain qui sert de base est 2"));
  EXPECT_TRUE(contient(lignes, "le climat qui sert de base est 5"));
  EXPECT_TRUE(contient(lignes, "init_carte:en 1 0, le terrain est 2 et le climat 5"));
  EXPECT_TRUE(contient(lignes, "modif =1 alt=2 relief=3"));
  EXPECT_TRUE(contient(lignes, "modif =1 alt=3 relief=4"));
  EXPECT_TRUE(contient(lignes, "modif =-1 alt=3 relief=2"));
  EXPECT_EQ(compter(lignes, "corne_d_abondance:7000"), 2);
  EXPECT_EQ(lignes.back(), "creer_carte : termine");
}

TEST(Generation, PlateauHautRetireUneHausse) {
  reinitialiser_monde();
  fixer_dimensions(3, 3);
  scripter_alea({0, 2});
  init_carte(-1);  // climate 1, HAUT
  CaptureJournaux journaux;
  scripter_alea({0, 0, 0, 0, 1});  // A 1, B 1, +1 refused, +1 refused, 0 accepted
  ajouter_relief(1, 1);
  EXPECT_EQ(alea_tirages_restants(), 0);
  const auto lignes = journaux.debug();
  EXPECT_EQ(compter(lignes, "modif =1 alt=3 relief=4"), 2);
  EXPECT_EQ(compter(lignes, "modif =0 alt=3 relief=3"), 1);
  // A change of 0 still visits and logs every cell of the patch.
  EXPECT_EQ(static_cast<int>(std::count_if(
                lignes.begin(), lignes.end(),
                [](const std::string& l) {
                  return l.find("nouvelle altitude=3 nouveau popmax=250") != std::string::npos;
                })),
            9);
  // The 3 by 3 test asks for neighbours outside the map, which the error log reports.
  EXPECT_FALSE(journaux.erreur().empty());
}

TEST(Generation, CentreHorsCarte) {
  reinitialiser_monde();
  fixer_dimensions(2, 2);
  init_carte(-1);
  CaptureSortie sortie;
  initialiser_alea(1);
  ajouter_relief(5, 5);
  EXPECT_EQ(sortie.texte(), "ajouter_relief:coord hors carte\n");
  EXPECT_EQ(alea_nb_tirages(), 2);
}

TEST(Generation, CasesVoisinesAUnNiveauAuPlus) {
  const int tailles[][2] = {{1, 1}, {1, 100}, {100, 1}, {2, 2}, {10, 10}, {30, 20}, {100, 100}};
  for (const auto& taille : tailles)
    for (unsigned graine = 1; graine <= (taille[0] * taille[1] > 1000 ? 4u : 40u); ++graine) {
      generer(taille[0], taille[1], graine);
      ASSERT_LE(ecart_max(), 1) << taille[0] << "x" << taille[1] << " graine " << graine;
    }
}

TEST(Generation, RessourcesApresGeneration) {
  int mers = 0;
  for (unsigned graine = 1; graine <= 20; ++graine) {
    generer(30, 20, graine);
    for (int x = 0; x < 30; ++x)
      for (int y = 0; y < 20; ++y) {
        const terrain* t = donner_terrain(x, y);
        if (t->altitude == MER) {
          ++mers;
          ASSERT_EQ(t->ressources, (std::array<std::int32_t, 4>{7000, 0, 0, 0}));
        } else {
          ASSERT_EQ(t->ressources[EAU], 7000);
          ASSERT_EQ(t->ressources[BOIS], 7000);
          ASSERT_EQ(t->ressources[NOURRITURE_VEGETALE], 7000);
          ASSERT_GE(t->ressources[NOURRITURE_ANIMALE], 0);
          ASSERT_LE(t->ressources[NOURRITURE_ANIMALE], 7000);
        }
        ASSERT_EQ(t->popmax, pop_terrain(t->altitude));
      }
  }
  // Over twenty worlds some sea must have formed, or the patches never lower the ground.
  EXPECT_GT(mers, 0);
}
