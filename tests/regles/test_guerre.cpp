// The war phase when both sides fall to zero: each is beaten, and the world stays consistent.
// Who fights whom, in what order, and the draws are pinned by the seeded fingerprint.
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
// Tribes: 0 hostile carnivore, 1 pacifique carnivore, 3 hostile omnivore.
class Guerre : public ::testing::Test {
 protected:
  void SetUp() override {
    construire_monde(5, 5, BAS, 5, 7000);
    ajouter_tribu(0, CARNIVORE, HOSTILE, BAS);
    ajouter_tribu(1, CARNIVORE, PACIFIQUE, BAS);
    ajouter_tribu(3, OMNIVORE, HOSTILE, BAS);
  }
  // One war phase; what it printed.
  std::string guerre() {
    CaptureSortie sortie;
    jouer_guerre();
    return sortie.texte();
  }
};

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
