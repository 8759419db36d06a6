// Epidemics: the fixed order of the draws and who loses inhabitants.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "commun/monde_test.h"
#include "monde/carte.h"
#include "population/unites.h"
#include "regles/epidemie.h"
#include "socle/alea.h"

namespace {

// A 6 by 6 plain holding a tribe and a stranger, and a unit of `nb_hab` of the tribe on (x, y).
unite* unite_en(int x, int y, int nb_hab) {
  construire_monde(6, 6, BAS, 5, 1000);
  ajouter_tribu(0, 0, 2, 1);
  ajouter_tribu(1, 2, 1, 1);
  ajouter_unite(0, x, y, nb_hab);
  return quelle_unite(x, y);
}

const std::string MESSAGE = "evolution_demo_par_epidemie: Cette epidemie ";

}  // namespace

TEST(Epidemie, SansContagionLUniteSeuleEstTouchee) {
  // A unit of 5 loses 4 + 1; a unit of 1 always loses its only inhabitant.
  for (auto [nb_hab, tirage] : {std::pair{5, 4}, {1, 32767}}) {
    unite* u = unite_en(2, 2, nb_hab);
    CaptureJournaux journaux;
    scripter_alea({23, 0, 0, 0, 0, 0, 0, 0, 0, tirage});
    evolution_demo_par_epidemie(u);
    EXPECT_EQ(alea_nb_tirages(), 10);
    EXPECT_EQ(u->nb_hab, 0);
    EXPECT_TRUE(
        contient(journaux.debug(),
                 "evolution_demo_par_epidemie: Une epidemie est apparue en (2,2) et a tue " +
                     std::to_string(nb_hab) + " personnes"));
    EXPECT_TRUE(contient(journaux.debug(), MESSAGE + "n'a pas contamine les unites environnantes"));
  }
}

TEST(Epidemie, ContagionDansLOrdreDesVoisinsSansSortirDeLaCarte) {
  unite* u = unite_en(0, 2, 20);  // on the first column
  ajouter_unite(0, 0, 1, 30);     // spreading draw 3
  ajouter_unite(1, 0, 3, 40);     // draw 4, another tribe
  ajouter_unite(0, 1, 1, 50);     // draw 5, emptied beforehand
  ajouter_unite(0, 1, 2, 60);     // draw 6
  modifier(quelle_unite(1, 1), 0);
  CaptureJournaux journaux;
  // 123 modulo 100 is an outbreak. Every spreading value is 1: the three positions at x = -1, the
  // empty cell (1, 3) and the unit without inhabitants use no victims draw.
  scripter_alea({123, 1, 1, 1, 1, 1, 1, 1, 1, 6, 9, 39, 0});
  evolution_demo_par_epidemie(u);
  EXPECT_EQ(alea_nb_tirages(), 13);
  EXPECT_EQ(u->nb_hab, 13);
  EXPECT_EQ(nb_habitants(0, 1), 20);
  EXPECT_EQ(nb_habitants(0, 3), 0);
  EXPECT_EQ(nb_habitants(1, 2), 59);
  EXPECT_TRUE(contient(journaux.debug(),
                       MESSAGE + "a contamine l'unite situee en (0,3) et a tue 40 personnes"));
  EXPECT_TRUE(journaux.erreur().empty());
}

TEST(Epidemie, HorsEpidemieUnSeulTirage) {
  unite* u = unite_en(3, 3, 100);
  ajouter_unite(0, 3, 4, 1);
  unite* vide = quelle_unite(3, 4);
  modifier(vide, 0);
  // Outside an outbreak, and even in one for a unit without inhabitants or no unit, the outbreak
  // draw alone.
  for (auto [tirage, v] : {std::pair<int, unite*>{22, u}, {24, u}, {23, vide}, {23, nullptr}}) {
    scripter_alea({tirage, 1, 1, 1, 1, 1, 1, 1, 1, 0});
    evolution_demo_par_epidemie(v);
    EXPECT_EQ(alea_nb_tirages(), 1);
  }
  EXPECT_EQ(u->nb_hab, 100);
}
