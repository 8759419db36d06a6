// Knowledge, colonisation along the four directions, and provisional hostility.
#include <gtest/gtest.h>

#include "commun/monde_test.h"
#include "controle/alea.h"
#include "monde/carte.h"
#include "population/civ.h"
#include "population/unites.h"
#include "regles/evolution.h"

namespace {

unite* poser(int code, int x, int y, int nb_hab) {
  ajouter_unite(code, x, y, nb_hab);
  return quelle_unite(x, y);
}

// An 8 by 8 map of `sol` where tribes 0 and 1 prefer `milieu`, with a superior unit of tribe 0
// on (x, y) and the cells `cibles` of the preferred milieu.
unite* colon_en(int x, int y, std::initializer_list<coord> cibles, int nb_hab = 120, int sol = BAS,
                int milieu = HAUT) {
  construire_monde(8, 8, sol, 5, 1000);
  ajouter_tribu(0, 1, 2, milieu);
  ajouter_tribu(1, 1, 2, milieu);
  for (coord c : cibles) fixer_case(c.x, c.y, milieu, 0, 0, 0, 0);
  unite* u = poser(0, x, y, nb_hab);
  u->connaissance = 1;
  return u;
}

// One colonisation with the given direction draw, which is always consumed.
void coloniser_avec(unite* u, int tirage) {
  scripter_alea({tirage});
  coloniser_terrain(u);
  EXPECT_EQ(alea_nb_tirages(), 1);
}

TEST(Connaissance, BasiqueAuPremierTourPuisSuperieur) {
  unite* u = colon_en(1, 1, {});
  u->connaissance = 0;
  CaptureJournaux journaux;
  evolution_intellectuelle(u);
  EXPECT_EQ(u->connaissance, 0);
  evolution_intellectuelle(u);
  evolution_intellectuelle(u);
  evolution_intellectuelle(nullptr);
  EXPECT_EQ(u->nb_tours, 3);
  EXPECT_EQ(u->connaissance, 1);
  const auto l = journaux.debug();
  EXPECT_EQ(
      compter(l, "evolution_intellectuelle: L'unite 1 est au niveau de connaissances basique"), 1);
  EXPECT_EQ(
      compter(l, "evolution_intellectuelle: L'unite 1 est au niveau de connaissance superieur"), 2);
}

TEST(Colonisation, ChaqueDirectionVaAuTerrainPrefere) {
  struct cas {
    int tirage;
    coord cible;
    const char* ligne;
  };
  // A mountain at the end of each line through (3, 3); the draw is taken modulo 5.
  for (const cas& c : {cas{0, {3, 0}, "(3,0) au nord"}, cas{1, {3, 7}, "(3,7) au sud"},
                       cas{7, {7, 3}, "(7,3) a l'est"}, cas{4, {0, 3}, "(0,3) a l'ouest"}}) {
    unite* u = colon_en(3, 3, {{3, 0}, {3, 7}, {7, 3}, {0, 3}});
    CaptureJournaux journaux;
    coloniser_avec(u, c.tirage);
    EXPECT_EQ(u->nb_hab, 0) << c.ligne;
    EXPECT_EQ(nb_habitants(c.cible.x, c.cible.y), 120) << c.ligne;
    EXPECT_EQ(donner_civ(0)->liste_unite.front().get(), quelle_unite(c.cible.x, c.cible.y));
    EXPECT_TRUE(contient(journaux.debug(),
                         std::string("coloniser_terrain:L'unite 1 vient de coloniser ") + c.ligne));
  }
  unite* u = colon_en(3, 3, {{4, 3}, {3, 2}});
  coloniser_avec(u, 3);  // no move
  u->connaissance = 0;
  coloniser_avec(u, 2);  // basic knowledge
  EXPECT_EQ(u->nb_hab, 120);
  EXPECT_EQ(donner_civ(0)->nb_unites, 1);
  u = colon_en(2, 2, {{2, 2}, {2, 0}});
  coloniser_avec(u, 0);  // already on its preferred milieu
  EXPECT_EQ(u->nb_hab, 120);
}

TEST(Colonisation, BalayageJusquAuBordDeLaCarte) {
  // East from (2, 5) over BAS, BAS, HAUT: (5, 5), nearer than (7, 5); a unit of another tribe on
  // the way does not stop the scan.
  unite* u = colon_en(2, 5, {{5, 5}, {7, 5}});
  poser(1, 3, 5, 10);
  coloniser_avec(u, 2);
  EXPECT_EQ(nb_habitants(5, 5), 120);
  EXPECT_EQ(quelle_unite(7, 5), nullptr);
  EXPECT_TRUE(verifier_monde().empty());

  // From the last column east leads nowhere (no wrapping); from the one before, the last column
  // is the only candidate.
  u = colon_en(7, 2, {{0, 2}});
  CaptureJournaux journaux;
  coloniser_avec(u, 2);
  EXPECT_EQ(u->nb_hab, 120);
  u = colon_en(6, 2, {{7, 2}});
  coloniser_avec(u, 2);
  EXPECT_EQ(nb_habitants(7, 2), 120);
  // The scan ends on an edge cell of the wrong altitude: nothing happens.
  u = colon_en(6, 2, {});
  CaptureJournaux journaux2;
  coloniser_avec(u, 2);
  coloniser_avec(u, 0);
  EXPECT_EQ(u->nb_hab, 120);
  EXPECT_EQ(donner_civ(0)->nb_unites, 1);
  EXPECT_TRUE(journaux.erreur().empty());
  EXPECT_TRUE(journaux2.erreur().empty());
}

TEST(Colonisation, RejoindreUneUniteDeLaTribuSeDitToujoursALEst) {
  // Tribe 0 prefers the plain and lives on hills; its unit of 450 stands on the plain (5, 5).
  auto essai = [](int x, int nb_hab, int tirage, int attendu_cible, int attendu_colon,
                  const std::string& ligne) {
    unite* u = colon_en(x, 5, {{5, 5}}, nb_hab, MOYEN, BAS);
    poser(0, 5, 5, 450);
    CaptureJournaux journaux;
    coloniser_avec(u, tirage);
    EXPECT_EQ(nb_habitants(5, 5), attendu_cible) << ligne;
    EXPECT_EQ(u->nb_hab, attendu_colon) << ligne;
    EXPECT_TRUE(contient(journaux.debug(), "coloniser_terrain:" + ligne));
    return u;
  };
  unite* u = essai(2, 80, 2, 500, 30, " 50 membres de l'unite 1 ont rejoint (5,5) a l'est");
  CaptureJournaux journaux;
  coloniser_avec(u, 2);  // no room left: nothing happens, no line
  EXPECT_EQ(u->nb_hab, 30);
  for (const std::string& l : journaux.debug()) EXPECT_NE(l.rfind("coloniser_terrain", 0), 0u);
  essai(2, 40, 2, 490, 0, "L'unite 1 a rejoint (5,5) a l'est");
  essai(7, 10, 4, 460, 0, "L'unite 1 a rejoint (5,5) a l'est");  // moving west

  u = colon_en(2, 5, {{5, 5}});
  poser(1, 5, 5, 10);  // another tribe on the target: nothing
  coloniser_avec(u, 2);
  EXPECT_EQ(u->nb_hab, 120);
  EXPECT_EQ(nb_habitants(5, 5), 10);
}

TEST(Colonisation, UniteVideEcritSaLigneSansRienFonder) {
  unite* u = colon_en(2, 5, {{5, 5}});
  modifier(u, 0);
  CaptureJournaux journaux;
  coloniser_avec(u, 2);
  EXPECT_EQ(quelle_unite(5, 5), nullptr);
  EXPECT_EQ(donner_civ(0)->nb_unites, 1);
  const auto l = journaux.debug();
  EXPECT_TRUE(contient(l, "coloniser_terrain:L'unite 1 vient de coloniser (5,5) a l'est"));
  EXPECT_TRUE(contient(l, "ajouter_unite:echec de creer_unite"));
  EXPECT_TRUE(verifier_monde().empty());
}

TEST(Comportement, SeuilsDeLHostiliteProvisoire) {
  construire_monde(3, 3, BAS, 5, 7000);
  ajouter_tribu(0, 0, 2, BAS);  // pacifique herbivore
  ajouter_tribu(1, 2, 3, BAS);  // reciproque carnivore
  ajouter_tribu(2, 2, 1, BAS);  // hostile carnivore
  ajouter_tribu(3, 1, 2, BAS);  // pacifique omnivore
  unite* herbi = poser(0, 0, 0, 99);
  unite* carni = poser(1, 1, 1, 250);
  unite* hostile = poser(2, 2, 2, 500);
  unite* omni = poser(3, 0, 2, 100);
  fixer_case(0, 0, BAS, 999, 0, 7000, 0);
  fixer_case(1, 1, BAS, 2500, 0, 0, 1750);
  fixer_case(2, 2, BAS, 0, 0, 0, 0);
  fixer_case(0, 2, BAS, 1000, 0, 500, 699);
  CaptureJournaux journaux;
  for (unite* u : {herbi, carni, hostile}) changer_comportement(u);
  EXPECT_EQ(herbi->comportement, 2);  // 99 is below the threshold
  EXPECT_EQ(carni->comportement, 3);  // 1750 animal food is exactly enough
  EXPECT_EQ(hostile->comportement, 1);

  modifier(herbi, 100);
  fixer_case(1, 1, BAS, 2500, 0, 0, 1749);
  changer_comportement(herbi);
  changer_comportement(herbi);  // already hostile: tested and written again
  changer_comportement(carni);
  changer_comportement(omni);  // 699 animal food for 700
  changer_comportement(nullptr);
  EXPECT_EQ(herbi->comportement, 1);
  EXPECT_EQ(carni->comportement, 1);
  EXPECT_EQ(omni->comportement, 1);
  const auto l = journaux.debug();
  EXPECT_EQ(
      compter(l, "changer_comportement: L'unite 1  des T0 pacifiques est provisoirement hostile"),
      2);
  EXPECT_TRUE(contient(
      l, "changer_comportement: L'unite 2  des T1 reciproques est provisoirement hostile"));
  EXPECT_TRUE(contient(l, "changer_comportement: L'unite a traiter est vide"));

  modifier(carni, 199);  // a reciproque unit below 200 is never tested
  carni->comportement = 3;
  changer_comportement(carni);
  EXPECT_EQ(carni->comportement, 3);
}

}  // namespace
