// Map grid: dimensions, bounds checks, and the reset of what was written.
#include <gtest/gtest.h>

#include <array>
#include <utility>

#include "commun/capture.h"
#include "commun/monde_test.h"
#include "commun/reinitialisation_test.h"
#include "monde/carte.h"

TEST(Carte, DimensionsDe1A100) {
  reinitialiser_couches();
  fixer_dimensions(100, 100);
  fixer_dimensions(101, 10);
  fixer_dimensions(10, 0);
  EXPECT_EQ(std::pair(combien_colonnes(), combien_lignes()), std::pair(100, 100));
}

TEST(Carte, RequetesHorsCarte) {
  construire_monde(10, 10, BAS, 5, 30);
  CaptureJournaux journaux;
  EXPECT_EQ(quelle_altitude(9, 9), BAS);
  // Braces keep the calls, and so the error lines, in order.
  EXPECT_EQ((std::array{quelle_altitude(10, 0), quelle_climat(3, 100), combien_popmax(100, 3),
                        combien_ressouce(10, 0, EAU)}),
            (std::array{-1, -1, -1, 0}));
  consommer_ressource(10, 0, EAU, 5);
  // The identifier of a cell's unit is -1 outside the map, without a line; 0 on an empty cell.
  EXPECT_EQ((std::array{donner_occupant(-1, 0), donner_occupant(0, 10), donner_occupant(9, 9)}),
            (std::array{-1, -1, 0}));
  // An unknown resource is refused, each refusal with its error line.
  EXPECT_EQ(combien_ressouce(2, 2, 4), 0);
  consommer_ressource(2, 2, -1, 5);
  EXPECT_EQ(journaux.erreur().size(), 7u);
}

TEST(Carte, ReinitialisationVideToutCeQuiAEteEcrit) {
  // The reset clears only the part of the grid written since the last one: cells of a larger map
  // that was shrunk, and cells installed outside the current dimensions, must come back empty
  // when the map grows again.
  reinitialiser_couches();
  fixer_dimensions(100, 100);
  unite u{};
  u.id = 1;
  u.x = 60;
  u.y = 70;
  installer_unite_carte(&u);
  ASSERT_EQ(donner_occupant(60, 70), 1);
  fixer_dimensions(3, 2);
  reinitialiser_carte();
  EXPECT_EQ(std::pair(combien_colonnes(), combien_lignes()), std::pair(20, 20));
  fixer_dimensions(100, 100);
  EXPECT_EQ(donner_occupant(60, 70), 0);

  reinitialiser_carte();
  installer_terrain(45, 3, creer_terrain(MOYEN, 1));
  installer_terrain(2, 88, creer_terrain(BAS, 1));
  reinitialiser_carte();
  fixer_dimensions(100, 100);
  EXPECT_EQ(donner_terrain(45, 3), nullptr);
  EXPECT_EQ(donner_terrain(2, 88), nullptr);
  // A cell of the initial dimensions written without any change of dimensions is cleared too.
  reinitialiser_carte();
  u.x = 19;
  u.y = 19;
  installer_unite_carte(&u);
  reinitialiser_carte();
  EXPECT_EQ(donner_occupant(19, 19), 0);
}
