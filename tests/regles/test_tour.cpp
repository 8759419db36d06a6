// A tribe's turn: the walk newest first over the units present when it began, removal of empty
// units during the walk, deletion of an empty tribe, and the turn lines.
#include <gtest/gtest.h>

#include <string>

#include "commun/monde_test.h"
#include "monde/carte.h"
#include "population/civ.h"
#include "population/unites.h"
#include "regles/tour.h"
#include "socle/alea.h"

namespace {

// Plays tribe 0's turn; what it printed.
std::string tour() {
  CaptureSortie sortie;
  jouer_tour(donner_civ(0));
  return sortie.texte();
}

}  // namespace

TEST(Tour, DeLaPlusRecenteALaPlusAncienneEtRetraitDesVides) {
  construire_monde(9, 3, BAS, 5, 5000);
  ajouter_tribu(0, HERBIVORE, PACIFIQUE, BAS);
  ajouter_unite(0, 1, 1, 20);  // U1
  ajouter_unite(0, 4, 1, 20);  // U2, emptied: it plays, then is removed without disturbing
  ajouter_unite(0, 7, 1, 20);  // U3
  quelle_unite(4, 1)->nb_hab = 0;
  CaptureJournaux journaux;
  // No epidemic and no colonisation move; on the preferred plain 20 become 24, then 36.
  scripter_alea({0, 3, 0, 3, 0, 3});
  EXPECT_EQ(tour(),
            "  jouer_tour: debut (7,1) nb_h=20\n  jouer_tour: fin   (7,1) nb_h=36\n"
            "  jouer_tour: debut (4,1) nb_h=0\n  jouer_tour: fin   (4,1) nb_h=0\n"
            "  jouer_tour: debut (1,1) nb_h=20\n  jouer_tour: fin   (1,1) nb_h=36\n");
  EXPECT_EQ(alea_nb_tirages(), 6);  // the emptied unit still runs every rule
  EXPECT_TRUE(contient(journaux.debug(), "  jouer_tour: debut (4,1) nb_h=0"));
  EXPECT_EQ(quelle_unite(4, 1), nullptr);
  EXPECT_EQ(donner_civ(0)->nb_unites, 2);
  EXPECT_TRUE(verifier_monde().empty());

  // Emptied, the tribe survives its turn and is deleted, without playing, at the next one.
  for (const auto& u : donner_civ(0)->liste_unite) u->nb_hab = 0;
  EXPECT_NE(tour(), "");
  ASSERT_NE(donner_civ(0), nullptr);
  EXPECT_EQ(tour(), "");
  EXPECT_EQ(donner_civ(0), nullptr);
  EXPECT_EQ(jouer_tour(nullptr), 0);
  EXPECT_EQ(evolution_unite(nullptr), 0);
}

TEST(Tour, UniteFondeeEnCoursDeTourNeJouePas) {
  // A tribe preferring the hill, on a plain: 800 shrink to 640, feeding brings 960, above the
  // popmax of 500, and 480 spread onto (0, 0); the new unit waits for the next turn, where it
  // plays first.
  construire_monde(3, 3, BAS, 5, 7000);
  ajouter_tribu(0, HERBIVORE, PACIFIQUE, MOYEN);
  ajouter_unite(0, 1, 1, 800);
  scripter_alea({0, 0, 3});
  EXPECT_EQ(tour(), "  jouer_tour: debut (1,1) nb_h=800\n  jouer_tour: fin   (1,1) nb_h=480\n");
  EXPECT_EQ(nb_habitants(0, 0), 480);
  EXPECT_EQ(tour().rfind("  jouer_tour: debut (0,0) nb_h=480\n", 0), 0u);
}

TEST(Tour, LeBoisEstPrisApresLaCroissance) {
  construire_monde(3, 1, BAS, 5, 1000);
  ajouter_tribu(0, HERBIVORE, PACIFIQUE, BAS);
  ajouter_unite(0, 0, 0, 5);
  // 5 inhabitants stay 5 (below 10), grow to 7 and take 28 wood from their own cell.
  scripter_alea({0, 3});
  evolution_unite(quelle_unite(0, 0));
  EXPECT_EQ(alea_nb_tirages(), 2);
  EXPECT_EQ(nb_habitants(0, 0), 7);
  EXPECT_EQ(combien_ressouce(0, 0, BOIS), 1000 - 28);
}
