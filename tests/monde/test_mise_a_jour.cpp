// Map update: three draws per cell in column order, the push toward the drifted climate, and the
// sea under drought.
#include <gtest/gtest.h>

#include "commun/monde_test.h"
#include "controle/alea.h"
#include "monde/carte.h"
#include "monde/mise_a_jour.h"

TEST(MiseAJour, TroisTiragesParCaseEtPoussee) {
  // Climate 9 on MOYEN ground: a downward push of 2 (s = 0, r2 = 32767) gives m = 7, then
  // k = 4: 9 + (7 - 9) / 2 + 2 - 4 = 6.
  construire_monde(1, 1, MOYEN, 9);
  scripter_alea({0, 32767, 32767});
  mise_a_jour_carte();
  EXPECT_EQ(quelle_climat(0, 0), 6);
  // An upward push beyond 9 is clamped to 9: 9 + 0 + 2 - 4 = 7.
  construire_monde(1, 1, MOYEN, 9);
  scripter_alea({16384, 32767, 32767});
  mise_a_jour_carte();
  EXPECT_EQ(quelle_climat(0, 0), 7);

  construire_monde(4, 3, MOYEN, 5);
  initialiser_alea(3);
  mise_a_jour_carte();
  EXPECT_EQ(alea_nb_tirages(), 3 * 4 * 3);
}

TEST(MiseAJour, SecheresseAvantLeChangementDeClimat) {
  construire_monde(2, 1, BAS, 0, 100);
  fixer_case(1, 0, MER, 0, 0, 0, 0);
  scripter_alea({0, 0, 32767, 0, 0, 32767});
  mise_a_jour_carte();
  EXPECT_EQ(combien_ressouce(0, 0, EAU), 66);
  EXPECT_EQ(combien_ressouce(0, 0, BOIS), 66);
  EXPECT_EQ(combien_ressouce(1, 0, EAU), 4666);
  // With k = 4 both climates stay at 0: 0 + 0 + 2 - 4 + 1 is raised back to 0.
  EXPECT_EQ(quelle_climat(1, 0), 0);
  // Second drought: the sea withers again, and k = 0 brings the climate up to 3.
  scripter_alea({0, 0, 0, 0, 0, 0});
  mise_a_jour_carte();
  EXPECT_EQ(combien_ressouce(1, 0, EAU), 3110);
  EXPECT_EQ(quelle_climat(1, 0), 3);
  scripter_alea({0, 0, 0, 0, 0, 0});
  mise_a_jour_carte();
  // With a climate above 0 the sea is left as it is: only a taking refills it.
  EXPECT_EQ(combien_ressouce(1, 0, EAU), 3110);
  consommer_ressource(1, 0, EAU, 1);
  EXPECT_EQ(combien_ressouce(1, 0, EAU), 7000);
}
