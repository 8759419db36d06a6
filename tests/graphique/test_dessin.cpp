// The drawing interface in use: the recorder when installed, the silent one otherwise.
#include <gtest/gtest.h>

#include "graphique/enregistreur.h"

TEST(Dessin, EnregistreurInstalleEtRetire) {
  enregistreur e;
  fixer_dessin(&e);
  dessin_courant().sommet(1, 2, 3);
  fixer_dessin(nullptr);
  dessin_courant().sommet(4, 5, 6);
  ASSERT_EQ(e.compter("sommet"), 1);
  EXPECT_EQ(e.appels[0].valeurs, (std::vector<double>{1, 2, 3}));
}
