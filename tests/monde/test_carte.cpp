// Map grid: dimensions, bounds checks with their error-log lines, resource takings.
#include <gtest/gtest.h>

#include <array>
#include <utility>

#include "commun/capture.h"
#include "commun/monde_test.h"
#include "commun/reinitialisation_test.h"
#include "monde/carte.h"

TEST(Carte, DimensionsDe1A100) {
  reinitialiser_couches();
  CaptureJournaux journaux;
  fixer_dimensions(100, 100);
  fixer_dimensions(101, 10);
  fixer_dimensions(10, 0);
  EXPECT_EQ(std::pair(combien_colonnes(), combien_lignes()), std::pair(100, 100));
  EXPECT_EQ(compter(journaux.debug(),
                    "Dimensions inchangees,car elles doivent etre posititves et inferieures a 100"),
            2);
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
  // An unknown resource is refused with its line.
  EXPECT_EQ(combien_ressouce(2, 2, 4), 0);
  consommer_ressource(2, 2, -1, 5);
  EXPECT_EQ(journaux.erreur(), (std::vector<std::string>{
                                   "quelle_altitude: case hors de la carte",
                                   "quelle_climat: on demande une unite hors de la carte",
                                   "combien_popmax: case hors de la carte",
                                   "combien_ressouce: case hors de la carte",
                                   "consommer_ressource: case hors de la carte",
                                   "combien_ressouce: la ressource n'existe pas",
                                   "consommer_ressource: la ressource n'existe pas",
                               }));
}

TEST(Carte, ConsommerRessource) {
  // More than there is is refused; a negative taking adds past the ceiling; on the sea any
  // taking puts back 7000 water alone.
  construire_monde(2, 1, BAS, 5, 30);
  consommer_ressource(1, 0, EAU, 50);
  EXPECT_EQ(combien_ressouce(1, 0, EAU), 30);
  consommer_ressource(1, 0, EAU, 30);
  consommer_ressource(1, 0, BOIS, -7000);
  EXPECT_EQ(std::pair(combien_ressouce(1, 0, EAU), combien_ressouce(1, 0, BOIS)),
            std::pair(0, 7030));
  fixer_case(0, 0, MER, 0, 0, 0, 0);
  donner_terrain(0, 0)->ressources[EAU] = 4666;
  consommer_ressource(0, 0, NOURRITURE_ANIMALE, 10);
  EXPECT_EQ(std::pair(combien_ressouce(0, 0, EAU), combien_ressouce(0, 0, NOURRITURE_ANIMALE)),
            std::pair(7000, 0));
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
