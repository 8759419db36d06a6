// Map update: three draws per cell in column order, the push toward a drifted climate, and
// drought taken before the climate changes.
#include <gtest/gtest.h>

#include "commun/monde_test.h"
#include "monde/carte.h"
#include "monde/mise_a_jour.h"
#include "socle/alea.h"

TEST(MiseAJour, TroisTiragesParCaseParColonnesSecheresseDAbord) {
  // Column 0 in drought, (0, 1) sea; column 1 at climate 9. Per cell: direction, offset, then
  // the drift's k; the climate pushed toward is held in 0..9.
  construire_monde(2, 2, BAS, 0, 100);
  fixer_case(0, 1, MER, 0, 0, 0, 0);
  for (int y = 0; y < 2; ++y) donner_terrain(1, y)->climat = 9;
  scripter_alea({
      16384, 32767, 0,      // (0, 0): push +2, k 0: 0 + 1 + 2 - 0 + 1 = 4
      0, 32767, 0,          // (0, 1): push -2 held at 0, k 0: 3
      16384, 32767, 32767,  // (1, 0): push +2 held at 9, k 4: 9 + 0 + 2 - 4 + 1 = 8
      0, 16384, 32767,      // (1, 1): push -1.5 truncated to -1, k 4: 9 + 0 + 2 - 4 + 1 = 8
  });
  mise_a_jour_carte();
  EXPECT_EQ(alea_nb_tirages(), 12);
  const int climats[2][2] = {{4, 3}, {8, 8}};
  for (int x = 0; x < 2; ++x)
    for (int y = 0; y < 2; ++y) EXPECT_EQ(quelle_climat(x, y), climats[x][y]) << x << " " << y;
  // The stocks lost their third at climate 0, before the climate rose.
  EXPECT_EQ(combien_ressouce(0, 0, BOIS), 66);
  EXPECT_EQ(combien_ressouce(0, 1, EAU), 4666);
}
