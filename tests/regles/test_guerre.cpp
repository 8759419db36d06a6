// The war phase: who fights whom and in what order, the outcome of a war, the settlement of the
// winner, and the conflict list kept for the display.
#include <gtest/gtest.h>

#include <string>

#include "commun/capture.h"
#include "commun/monde_test.h"
#include "commun/tribus_test.h"
#include "monde/carte.h"
#include "population/civ.h"
#include "population/unites.h"
#include "population/verification.h"
#include "regles/guerre.h"
#include "socle/alea.h"

namespace {

unite* poser(int code, int x, int y, int nb_hab) {
  ajouter_unite(code, x, y, nb_hab);
  return quelle_unite(x, y);
}

// A 5 by 5 plain rich enough that no unit turns hostile for want of water or food.
// Tribes: 0 hostile carnivore, 1 pacifique carnivore, 3 hostile omnivore, 4 pacifique omnivore,
// 6 reciproque herbivore.
class Guerre : public ::testing::Test {
 protected:
  void SetUp() override {
    construire_monde(5, 5, BAS, 5, 7000);
    ajouter_tribu(0, CARNIVORE, HOSTILE, BAS);
    ajouter_tribu(1, CARNIVORE, PACIFIQUE, BAS);
    ajouter_tribu(3, OMNIVORE, HOSTILE, BAS);
    ajouter_tribu(4, OMNIVORE, PACIFIQUE, BAS);
    ajouter_tribu(6, HERBIVORE, RECIPROQUE, BAS);
  }
  // One war phase; what it printed.
  std::string guerre() {
    CaptureSortie sortie;
    jouer_guerre();
    return sortie.texte();
  }
  int x1 = -1, y1 = -1, x2 = -1, y2 = -1;
};

TEST_F(Guerre, VoisinsCombattusUneSeuleFoisDansLOrdre) {
  unite* u = poser(0, 2, 2, 100);
  unite* v1 = poser(3, 2, 3, 50);  // neighbour position 4 of u, hostile
  unite* v2 = poser(6, 3, 1, 60);  // position 5, reciproque
  unite* v3 = poser(3, 3, 3, 40);  // position 7, of v1's tribe and beside it
  CaptureJournaux journaux;
  // u loses 10 % 50, v1 20 % 100; u loses 65 % 60, v2 7 % 90 (u's strength before its loss);
  // u loses 3 % 40, v3 100 % 85. Swept later, v1 and v3 do not attack u again.
  scripter_alea({10, 20, 65, 7, 3, 100});
  const std::string texte = guerre();
  const std::string guerre_de_1 =
      "evolution_demo_par_guerre: Les T0 hostiles de l'unite d'id 1 sont en guerre contre les ";
  EXPECT_TRUE(contient(journaux.debug(), guerre_de_1 + "T3 hostiles de l'unite d'id 2 "));
  EXPECT_TRUE(contient(journaux.debug(), guerre_de_1 + "T6 reciproques de l'unite d'id 3 "));
  EXPECT_TRUE(contient(journaux.debug(), "Il reste 53 T6"));
  EXPECT_EQ(texte.substr(texte.find("nb=")),
            "nb=3\nx1=2 y1=2 x2=2 y2=3\nx1=2 y1=2 x2=3 y2=1\nx1=2 y1=2 x2=3 y2=3\n");
  EXPECT_EQ(alea_nb_tirages(), 6);
  EXPECT_EQ(u->nb_hab, 82);
  EXPECT_EQ(v1->nb_hab, 30);
  EXPECT_EQ(v2->nb_hab, 53);
  EXPECT_EQ(v3->nb_hab, 25);
}

TEST_F(Guerre, LesDeuxBattusQuandLesDeuxTombentAZero) {
  // A battle cannot empty both sides, so both fall to 0 here only from an aggressor with an
  // impossible negative population: u wins first, then v, and u's scan ends.
  unite* u = poser(0, 1, 1, 5);
  modifier(u, -5);
  poser(3, 1, 2, 3);
  unite* w = poser(1, 2, 2, 40);  // after v in u's neighbour order
  scripter_alea({0, 4});
  const std::string texte = guerre();
  EXPECT_EQ(texte.substr(texte.find("a_gagne")),
            "a_gagne: L'unite 1 a gagne la guerre contre l'unite 2\n"
            "a_gagne: L'unite 2 a gagne la guerre contre l'unite 1\n"
            "nb=1\nx1=1 y1=1 x2=1 y2=2\n");
  EXPECT_EQ(nb_unites(*donner_civ(0)) + nb_unites(*donner_civ(3)), 0);
  EXPECT_EQ(w->nb_hab, 40);
  EXPECT_TRUE(verifier_monde().empty());
}

}  // namespace
