// Epidemics: the fixed order of the draws and who loses inhabitants.
#include <gtest/gtest.h>

#include "commun/monde_test.h"
#include "controle/alea.h"
#include "monde/carte.h"
#include "population/unites.h"
#include "regles/epidemie.h"

namespace {

unite* poser(int code, int x, int y, int nb_hab) {
  ajouter_unite(code, x, y, nb_hab);
  return quelle_unite(x, y);
}

const std::string APPARUE = "evolution_demo_par_epidemie: Une epidemie est apparue en ";
const std::string PAS_CONTAMINE =
    "evolution_demo_par_epidemie: Cette epidemie n'a pas contamine les unites environnantes";
const std::string CONTAMINE =
    "evolution_demo_par_epidemie: Cette epidemie a contamine l'unite situee en ";

class Epidemie : public ::testing::Test {
 protected:
  void SetUp() override {
    construire_monde(6, 6, BAS, 5, 1000);
    ajouter_tribu(0, 0, 2, 1);
    ajouter_tribu(1, 2, 1, 1);
  }
};

TEST_F(Epidemie, SansContagionLUniteSeuleEstTouchee) {
  unite* u = poser(0, 2, 2, 5);
  unite* voisin = poser(0, 1, 1, 10);
  CaptureJournaux journaux;
  scripter_alea({23, 0, 0, 0, 0, 0, 0, 0, 0, 4});
  evolution_demo_par_epidemie(u);
  EXPECT_EQ(u->nb_hab, 0);
  EXPECT_EQ(voisin->nb_hab, 10);
  EXPECT_EQ(alea_nb_tirages(), 10);
  const auto lignes = journaux.debug();
  EXPECT_TRUE(contient(lignes, APPARUE + "(2,2) et a tue 5 personnes"));
  EXPECT_TRUE(contient(lignes, PAS_CONTAMINE));
  // A unit emptied by the epidemic stays on its cell until the end of its turn.
  EXPECT_EQ(quelle_unite(2, 2), u);

  // A unit of one always loses its only inhabitant, whatever the draw.
  for (int tirage : {0, 1, 32767}) {
    modifier(u, 1);
    scripter_alea({23, 0, 0, 0, 0, 0, 0, 0, 0, tirage});
    evolution_demo_par_epidemie(u);
    EXPECT_EQ(u->nb_hab, 0) << tirage;
  }
}

TEST_F(Epidemie, ContagionDansLOrdreDesVoisinsSansSortirDeLaCarte) {
  unite* u = poser(0, 0, 2, 20);
  unite* nord = poser(0, 0, 1, 30);  // spreading draw 3
  unite* sud = poser(1, 0, 3, 40);   // draw 4, another tribe
  unite* vide = poser(0, 1, 1, 50);  // draw 5, emptied beforehand
  unite* est = poser(1, 1, 2, 60);   // draw 6
  modifier(vide, 0);
  CaptureJournaux journaux;
  // Every spreading value is 1: the three positions at x = -1 and the empty cell (1, 3) are
  // passed over without a draw, and so is the unit without inhabitants.
  scripter_alea({123, 1, 1, 1, 1, 1, 1, 1, 1, 6, 9, 39, 0});
  evolution_demo_par_epidemie(u);
  EXPECT_EQ(alea_tirages_restants(), 0);
  EXPECT_EQ(alea_nb_tirages(), 13);
  EXPECT_EQ(u->nb_hab, 13);
  EXPECT_EQ(nord->nb_hab, 20);
  EXPECT_EQ(sud->nb_hab, 0);
  EXPECT_EQ(vide->nb_hab, 0);
  EXPECT_EQ(est->nb_hab, 59);
  const auto lignes = journaux.debug();
  EXPECT_TRUE(contient(lignes, APPARUE + "(0,2) et a tue 7 personnes"));
  EXPECT_TRUE(contient(lignes, CONTAMINE + "(0,1) et a tue 10 personnes"));
  EXPECT_TRUE(contient(lignes, CONTAMINE + "(0,3) et a tue 40 personnes"));
  EXPECT_TRUE(contient(lignes, CONTAMINE + "(1,2) et a tue 1 personnes"));
  EXPECT_FALSE(contient(lignes, PAS_CONTAMINE));
  EXPECT_TRUE(journaux.erreur().empty());
  EXPECT_EQ(quelle_unite(0, 3), sud);
}

TEST_F(Epidemie, HorsEpidemieUnSeulTirage) {
  unite* u = poser(0, 3, 3, 100);
  poser(1, 3, 4, 100);
  for (int tirage : {0, 22, 24, 99, 32767}) {
    scripter_alea({tirage, 1, 1, 1, 1, 1, 1, 1, 1, 0});
    evolution_demo_par_epidemie(u);
    EXPECT_EQ(alea_nb_tirages(), 1) << tirage;
    EXPECT_EQ(u->nb_hab, 100);
  }
  // No unit, or a unit without inhabitants: the outbreak draw alone, even when it hits.
  scripter_alea({23, 1, 1, 1, 1, 1, 1, 1, 1, 0});
  evolution_demo_par_epidemie(nullptr);
  EXPECT_EQ(alea_nb_tirages(), 1);
  modifier(u, 0);
  scripter_alea({23, 1, 1, 1, 1, 1, 1, 1, 1, 0});
  evolution_demo_par_epidemie(u);
  EXPECT_EQ(alea_nb_tirages(), 1);
  EXPECT_EQ(nb_habitants(3, 4), 100);
}

}  // namespace
