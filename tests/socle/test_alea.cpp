// The shared generator: a known sequence and the scripted draws the rule tests rely on.
#include <gtest/gtest.h>

#include "socle/alea.h"

TEST(Alea, SuiteConnueEtTiragesScriptes) {
  // The classic sequence of this linear congruential generator for seed 1.
  initialiser_alea(1);
  for (int attendu : {16838, 5758, 10113, 17515, 31051}) EXPECT_EQ(tirer_alea(), attendu);

  // Scripted draws come first, then the sequence goes on from its state; both are counted.
  initialiser_alea(1);
  scripter_alea({23, 0, 4});
  for (int attendu : {23, 0, 4}) EXPECT_EQ(tirer_alea(), attendu);
  EXPECT_EQ(alea_tirages_restants(), 0);
  EXPECT_EQ(tirer_alea(), 16838);
  EXPECT_EQ(alea_nb_tirages(), 4);
}

TEST(Alea, EtatRelueRejoueLaMemeSuite) {
  initialiser_alea(77);
  for (int i = 0; i < 13; ++i) tirer_alea();
  const std::uint32_t etat = lire_etat_alea();
  std::vector<int> suite;
  for (int i = 0; i < 6; ++i) suite.push_back(tirer_alea());
  // Another sequence in between, then the state read back: the same six draws.
  initialiser_alea(3);
  tirer_alea();
  initialiser_alea(etat);
  for (int attendu : suite) EXPECT_EQ(tirer_alea(), attendu);
  EXPECT_NE(lire_etat_alea(), etat);
}
