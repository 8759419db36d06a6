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
