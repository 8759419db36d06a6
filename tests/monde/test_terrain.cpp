// Terrain: the climate drift with scripted draws, and a push outside 0..9 refused.
#include <gtest/gtest.h>

#include "commun/reinitialisation_test.h"
#include "monde/terrain.h"
#include "socle/alea.h"

TEST(Terrain, DeriveDuClimat) {
  // c + (moyenne - c) / 2 + 2 - k with k = r * 5 / 32768, then the altitude adjustment and the
  // clamp to 0..9. A push outside 0..9 is refused without a draw.
  struct cas {
    int altitude, climat, moyenne, r, attendu, fait;
  };
  const cas essais[] = {
      {MOYEN, 5, 0, 0, 5, 1},  // k 0; (0 - 5) / 2 truncates to -2
      {HAUT, 9, 9, 16384, 9, 1},   {HAUT, 2, 2, 16384, 1, 1}, {BAS, 5, 5, 16384, 6, 1},
      {MER, 0, 0, 32767, 0, 1},    {BAS, 9, 10, 0, 9, 0},     {BAS, 9, -1, 0, 9, 0},
  };
  for (const cas& e : essais) {
    SCOPED_TRACE(&e - essais);
    reinitialiser_couches();
    auto t = creer_terrain(e.altitude, e.climat);
    scripter_alea({e.r});
    EXPECT_EQ(evolution_climat(t.get(), e.moyenne), e.fait);
    EXPECT_EQ(alea_nb_tirages(), e.fait);
    EXPECT_EQ(t->climat, e.attendu);
  }
}
