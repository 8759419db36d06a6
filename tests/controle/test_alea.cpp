// The shared generator: known sequences and the scripted mode used by the rule tests.
#include <gtest/gtest.h>

#include "controle/alea.h"

TEST(Alea, SuiteConnuePourUneGraine) {
  // The classic sequence of this linear congruential generator for seed 1.
  initialiser_alea(1);
  EXPECT_EQ(tirer_alea(), 16838);
  EXPECT_EQ(tirer_alea(), 5758);
  EXPECT_EQ(tirer_alea(), 10113);
  EXPECT_EQ(tirer_alea(), 17515);
  EXPECT_EQ(tirer_alea(), 31051);
  EXPECT_EQ(alea_nb_tirages(), 5);

  // Reseeding restarts the sequence; a large seed wraps modulo 2^32 without trouble.
  initialiser_alea(1);
  EXPECT_EQ(tirer_alea(), 16838);
  initialiser_alea(0xFFFFFFFFu);
  for (int i = 0; i < 1000; ++i) {
    const int r = tirer_alea();
    ASSERT_GE(r, 0);
    ASSERT_LE(r, ALEA_MAX);
  }
}

TEST(Alea, TiragesScriptesPuisReprise) {
  initialiser_alea(1);
  scripter_alea({23, 0, 4});
  EXPECT_EQ(alea_tirages_restants(), 3);
  EXPECT_EQ(tirer_alea(), 23);
  EXPECT_EQ(tirer_alea(), 0);
  EXPECT_EQ(tirer_alea(), 4);
  EXPECT_EQ(alea_tirages_restants(), 0);
  // Once the script is used up the sequence goes on from its state.
  EXPECT_EQ(tirer_alea(), 16838);
  EXPECT_EQ(alea_nb_tirages(), 4);
}
