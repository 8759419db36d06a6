// Terrain: values out of range, the resource modifier on land and sea, conso and the climate
// drift with scripted draws.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "commun/capture.h"
#include "commun/reinitialisation_test.h"
#include "monde/terrain.h"
#include "socle/alea.h"

using testing::ElementsAre;
using testing::ElementsAreArray;
using testing::EndsWith;

TEST(Terrain, ConsoSelonLeClimat) {
  // Growth capped at 7000; drought takes a third of every stock, truncated, the sea's too; a
  // sea cell otherwise stays as it is.
  struct cas {
    int altitude, climat, avant[4], apres[4];
  };
  const cas essais[] = {{BAS, 9, {6900, 0, 10, 6990}, {7000, 450, 460, 7000}},
                        {BAS, 0, {100, 2, 1, 0}, {66, 1, 0, 0}},
                        {MER, 0, {100, 2, 1, 0}, {66, 1, 0, 0}},
                        {MER, 3, {4666, 0, 0, 0}, {4666, 0, 0, 0}}};
  for (const cas& e : essais) {
    SCOPED_TRACE(&e - essais);
    auto t = creer_terrain(e.altitude, e.climat);
    std::copy_n(e.avant, 4, t->ressources.begin());
    EXPECT_EQ(conso(t.get()), 1);
    EXPECT_THAT(t->ressources, ElementsAreArray(e.apres));
  }
}

TEST(Terrain, DeriveDuClimat) {
  // c + (moyenne - c) / 2 + 2 - k with k = r * 5 / 32768, then the altitude adjustment and the
  // clamp to 0..9; the last log line shows which step set the result. A push outside 0..9 is
  // refused without a draw.
  struct cas {
    int altitude, climat, moyenne, r, attendu, fait, nb_lignes;
    const char* fin;
  };
  const cas essais[] = {
      {MOYEN, 5, 0, 0, 5, 1, 2, ": apres-> 5"},  // k 0; (0 - 5) / 2 truncates to -2
      {HAUT, 4, 4, 16384, 4, 1, 2, ": apres-> 4"},
      {HAUT, 9, 9, 16384, 9, 1, 4, "recalibrage du climat dans les bornes apres-> 9"},
      {HAUT, 2, 2, 16384, 1, 1, 3, "altitude=HAUT donc climat plus rude apres-> 1"},
      {BAS, 5, 5, 16384, 6, 1, 3, "altitude=BAS ou MER donc tendance a la pluie apres-> 6"},
      {MER, 0, 0, 32767, 0, 1, 4, "recalibrage du climat dans les bornes apres-> 0"},
      {BAS, 9, 10, 0, 9, 0, 1, "ne change rien et renvoie false"},
      {BAS, 9, -1, 0, 9, 0, 1, "ne change rien et renvoie false"},
  };
  for (const cas& e : essais) {
    SCOPED_TRACE(&e - essais);
    reinitialiser_couches();
    CaptureJournaux journaux;
    auto t = creer_terrain(e.altitude, e.climat);
    scripter_alea({e.r});
    EXPECT_EQ(evolution_climat(t.get(), e.moyenne), e.fait);
    EXPECT_EQ(alea_nb_tirages(), e.fait);
    EXPECT_EQ(t->climat, e.attendu);
    const auto lignes = journaux.debug();
    ASSERT_EQ(lignes.size(), static_cast<std::size_t>(e.nb_lignes));
    EXPECT_THAT(lignes.back(), EndsWith(e.fin));
  }
}
