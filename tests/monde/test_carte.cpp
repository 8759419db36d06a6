// Map grid: dimensions, bounds checks with their error-log lines, resource takings.
#include <gtest/gtest.h>

#include "commun/monde_test.h"
#include "monde/carte.h"

TEST(Carte, Dimensions) {
  reinitialiser_monde();
  CaptureJournaux journaux;
  fixer_dimensions(100, 100);
  EXPECT_EQ(combien_colonnes(), 100);
  fixer_dimensions(0, 10);
  fixer_dimensions(101, 10);
  fixer_dimensions(10, -3);
  EXPECT_EQ(combien_colonnes(), 100);
  EXPECT_EQ(combien_lignes(), 100);
  fixer_dimensions(1, 1);
  int x = 0;
  int y = 0;
  donner_dimensions(x, y);
  EXPECT_EQ(x, 1);
  EXPECT_EQ(y, 1);
  const auto lignes = journaux.debug();
  EXPECT_EQ(compter(lignes,
                    "Dimensions inchangees,car elles doivent etre posititves et inferieures a 100"),
            3);
  EXPECT_EQ(compter(lignes, "la carte a maintenant comme dimensions 0..100 0..100"), 4);
  EXPECT_EQ(compter(lignes, "la carte a maintenant comme dimensions 0..1 0..1"), 2);
}

TEST(Carte, RequetesHorsCarte) {
  construire_monde(10, 10, BAS, 5, 100);
  CaptureJournaux journaux;
  EXPECT_EQ(quelle_altitude(9, 9), BAS);
  EXPECT_EQ(quelle_altitude(10, 0), -1);
  EXPECT_EQ(quelle_altitude(0, -1), -1);
  EXPECT_EQ(quelle_unite(-1, 0), nullptr);
  EXPECT_EQ(quelle_unite_code(0, 10), -1);
  EXPECT_EQ(quelle_tribu(10, 10), -1);
  EXPECT_EQ(nb_habitants(-5, 3), -1);
  EXPECT_EQ(quelle_climat(3, 100), -1);
  EXPECT_EQ(combien_popmax(100, 3), -1);
  EXPECT_EQ(combien_ressouce(10, 0, EAU), 0);
  consommer_ressource(10, 0, EAU, 5);
  EXPECT_EQ(journaux.erreur(), (std::vector<std::string>{
                                   "quelle_altitude: case hors de la carte",
                                   "quelle_altitude: case hors de la carte",
                                   "quelle_unite: on demande une unite hors de la carte",
                                   "quelle_unite_code: on demande une unite hors de la carte",
                                   "quelle_tribu: unite hors de la carte",
                                   "nb_habitants: unite hors de la carte",
                                   "quelle_climat: on demande une unite hors de la carte",
                                   "combien_popmax: case hors de la carte",
                                   "combien_ressouce: case hors de la carte",
                                   "consommer_ressource: case hors de la carte",
                               }));
  EXPECT_EQ(dans_carte(9, 9), 1);
  EXPECT_EQ(dans_carte(10, 9), 0);
}

TEST(Carte, CaseVideEtRessourcesInconnues) {
  construire_monde(10, 10, BAS, 5, 100);
  CaptureJournaux journaux;
  // An empty cell answers -1 through the unit accessors, without an error-log line.
  EXPECT_EQ(quelle_unite_code(2, 2), -1);
  EXPECT_EQ(quelle_tribu(2, 2), -1);
  EXPECT_EQ(nb_habitants(2, 2), -1);
  EXPECT_EQ(journaux.debug(), (std::vector<std::string>{"L'unite demande est vide", "",
                                                        "code:L'unite demandee est vide", "",
                                                        "nb_hab_unite:L'unite demandee est vide"}));
  EXPECT_EQ(combien_ressouce(2, 2, 4), 0);
  consommer_ressource(2, 2, -1, 5);
  EXPECT_EQ(journaux.erreur(),
            (std::vector<std::string>{"combien_ressouce: la ressource n'existe pas",
                                      "consommer_ressource: la ressource n'existe pas"}));
  EXPECT_EQ(quelle_climat(2, 2), 5);
  EXPECT_EQ(combien_popmax(2, 2), 500);
}

TEST(Carte, ConsommerRessource) {
  construire_monde(3, 3, BAS, 5, 30);
  consommer_ressource(1, 1, EAU, 50);  // more than there is: refused, unchanged
  EXPECT_EQ(combien_ressouce(1, 1, EAU), 30);
  consommer_ressource(1, 1, EAU, 30);
  EXPECT_EQ(combien_ressouce(1, 1, EAU), 0);
  consommer_ressource(1, 1, BOIS, -7000);  // a negative taking adds, past the ceiling
  EXPECT_EQ(combien_ressouce(1, 1, BOIS), 7030);

  fixer_case(0, 0, MER, 0, 0, 0, 0);
  donner_terrain(0, 0)->ressources[EAU] = 4666;
  consommer_ressource(0, 0, NOURRITURE_ANIMALE, 10);
  EXPECT_EQ(combien_ressouce(0, 0, EAU), 7000);
  EXPECT_EQ(combien_ressouce(0, 0, NOURRITURE_ANIMALE), 0);
}
