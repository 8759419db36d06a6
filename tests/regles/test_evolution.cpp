// Knowledge, colonisation along the four directions, and provisional hostility.
#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "commun/monde_test.h"
#include "monde/carte.h"
#include "population/civ.h"
#include "population/unites.h"
#include "regles/evolution.h"
#include "socle/alea.h"

namespace {

// An 8 by 8 map of `sol` where tribes 0 and 1 prefer `milieu`, with a superior unit of tribe 0
// on (x, y) and the cells `cibles` of the preferred milieu.
unite* colon_en(int x, int y, std::initializer_list<coord> cibles, int nb_hab = 120, int sol = BAS,
                int milieu = HAUT) {
  construire_monde(8, 8, sol, 5, 1000);
  ajouter_tribu(0, OMNIVORE, PACIFIQUE, milieu);
  ajouter_tribu(1, OMNIVORE, PACIFIQUE, milieu);
  for (coord c : cibles) fixer_case(c.x, c.y, milieu, 0, 0, 0, 0);
  ajouter_unite(0, x, y, nb_hab);
  unite* u = quelle_unite(x, y);
  u->connaissance = 1;
  return u;
}

// One colonisation with the given direction draw, which is always consumed: the line it wrote,
// without its prefix, or "" for none.
std::string coloniser_avec(unite* u, int tirage) {
  CaptureJournaux journaux;
  scripter_alea({tirage});
  coloniser_terrain(u);
  EXPECT_EQ(alea_nb_tirages(), 1);
  EXPECT_TRUE(journaux.erreur().empty());
  for (const std::string& l : journaux.debug())
    if (l.rfind("coloniser_terrain:", 0) == 0) return l.substr(18);
  return "";
}

TEST(Connaissance, BasiqueAuPremierTourPuisSuperieur) {
  unite* u = colon_en(1, 1, {});
  CaptureJournaux journaux;
  evolution_intellectuelle(u);
  EXPECT_EQ(u->connaissance, 0);
  evolution_intellectuelle(u);
  evolution_intellectuelle(nullptr);
  EXPECT_EQ(u->connaissance, 1);
  EXPECT_EQ(u->nb_tours, 2);
  const auto l = journaux.debug();
  EXPECT_TRUE(
      contient(l, "evolution_intellectuelle: L'unite 1 est au niveau de connaissances basique"));
  EXPECT_TRUE(
      contient(l, "evolution_intellectuelle: L'unite 1 est au niveau de connaissance superieur"));
}

TEST(Colonisation, ChaqueDirectionVaAuTerrainPrefereLePlusProche) {
  // From (2, 5): mountains at the ends of its column and row, and east at (5, 5) before (7, 5),
  // past a stranger's unit on (3, 5) that does not stop the scan. The draw is taken modulo 5.
  const std::tuple<int, coord, const char*> essais[] = {{0, {2, 0}, "(2,0) au nord"},
                                                        {1, {2, 7}, "(2,7) au sud"},
                                                        {7, {5, 5}, "(5,5) a l'est"},
                                                        {4, {0, 5}, "(0,5) a l'ouest"}};
  for (const auto& [tirage, cible, ligne] : essais) {
    unite* u = colon_en(2, 5, {{2, 0}, {2, 7}, {5, 5}, {7, 5}, {0, 5}});
    ajouter_unite(1, 3, 5, 10);
    EXPECT_EQ(coloniser_avec(u, tirage), std::string("L'unite 1 vient de coloniser ") + ligne);
    EXPECT_EQ(u->nb_hab, 0);
    EXPECT_EQ(nb_habitants(cible.x, cible.y), 120);
  }
  // A unit left with no inhabitants writes its line but founds nothing.
  unite* u = colon_en(2, 5, {{5, 5}});
  modifier(u, 0);
  EXPECT_EQ(coloniser_avec(u, 2), "L'unite 1 vient de coloniser (5,5) a l'est");
  EXPECT_EQ(quelle_unite(5, 5), nullptr);
}

TEST(Colonisation, AucunDeplacement) {
  // From the last column east leads nowhere (no wrapping); a scan ending on an edge cell of the
  // wrong altitude, a draw of 3, a basic unit and a unit on its preferred milieu stay.
  unite* u = colon_en(7, 2, {{0, 2}});
  EXPECT_EQ(coloniser_avec(u, 2), "");
  u = colon_en(6, 2, {});
  EXPECT_EQ(coloniser_avec(u, 2) + coloniser_avec(u, 0) + coloniser_avec(u, 3), "");
  u->connaissance = 0;
  fixer_case(7, 2, HAUT, 0, 0, 0, 0);
  EXPECT_EQ(coloniser_avec(u, 2), "");
  u = colon_en(2, 2, {{2, 2}, {2, 0}});
  EXPECT_EQ(coloniser_avec(u, 0), "");
  EXPECT_EQ(u->nb_hab, 120);
  EXPECT_EQ(donner_civ(0)->nb_unites, 1);
}

TEST(Colonisation, RejoindreUneUniteDeLaTribuSeDitToujoursALEst) {
  struct cas {
    int x, nb_hab, tirage, tribu_cible, cible_apres, colon_apres;
    const char* ligne;
  };
  // Tribe 0 prefers the plain and lives on hills; a unit of 450 stands on the plain (5, 5).
  const cas essais[] = {
      {2, 80, 2, 0, 500, 30, " 50 membres de l'unite 1 ont rejoint (5,5) a l'est"},
      {2, 40, 2, 0, 490, 0, "L'unite 1 a rejoint (5,5) a l'est"},
      {7, 10, 4, 0, 460, 0, "L'unite 1 a rejoint (5,5) a l'est"},  // moving west
      {2, 80, 2, 1, 450, 80, ""},                                  // another tribe's unit: nothing
  };
  for (const cas& c : essais) {
    SCOPED_TRACE(c.ligne);
    unite* u = colon_en(c.x, 5, {{5, 5}}, c.nb_hab, MOYEN, BAS);
    ajouter_unite(c.tribu_cible, 5, 5, 450);
    EXPECT_EQ(coloniser_avec(u, c.tirage), c.ligne);
    EXPECT_EQ(nb_habitants(5, 5), c.cible_apres);
    EXPECT_EQ(u->nb_hab, c.colon_apres);
  }
}

TEST(Comportement, SeuilsDeLHostiliteProvisoire) {
  struct cas {
    int regime, comportement, nb_hab, eau, vegetale, animale;
    const char* mot;  // of the hostility line, none when the unit stays as it is
  };
  const cas essais[] = {
      {HERBIVORE, PACIFIQUE, 99, 999, 7000, 0, nullptr},
      {HERBIVORE, PACIFIQUE, 100, 999, 7000, 0, "pacifiques"},
      {CARNIVORE, RECIPROQUE, 250, 2500, 0, 1750, nullptr},
      {CARNIVORE, RECIPROQUE, 250, 2500, 0, 1749, "reciproques"},
      {CARNIVORE, RECIPROQUE, 199, 0, 0, 0, nullptr},
      {OMNIVORE, PACIFIQUE, 100, 1000, 500, 699, "pacifiques"},  // any one food short
      {CARNIVORE, HOSTILE, 500, 0, 0, 0, nullptr},               // a hostile tribe: never tested
  };
  for (const cas& c : essais) {
    SCOPED_TRACE(testing::Message() << c.regime << " " << c.nb_hab << " " << c.animale);
    construire_monde(3, 3, BAS, 5);
    ajouter_tribu(0, c.regime, c.comportement, BAS);
    fixer_case(1, 1, BAS, c.eau, 0, c.vegetale, c.animale);
    ajouter_unite(0, 1, 1, c.nb_hab);
    unite* u = quelle_unite(1, 1);
    CaptureJournaux journaux;
    changer_comportement(u);
    changer_comportement(u);  // an already hostile unit is tested and written again
    EXPECT_EQ(u->comportement, c.mot ? HOSTILE : c.comportement);
    const std::string ligne =
        std::string("L'unite 1  des T0 ") + (c.mot ? c.mot : "") + " est provisoirement hostile";
    EXPECT_EQ(compter(journaux.debug(), "changer_comportement: " + ligne), c.mot ? 2 : 0);
  }
  CaptureJournaux journaux;
  changer_comportement(nullptr);
  EXPECT_TRUE(contient(journaux.debug(), "changer_comportement: L'unite a traiter est vide"));
}

}  // namespace
