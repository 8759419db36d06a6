// Knowledge, colonisation along the four directions, and provisional hostility.
#include <gtest/gtest.h>

#include <string>

#include "commun/capture.h"
#include "commun/monde_test.h"
#include "commun/tribus_test.h"
#include "monde/carte.h"
#include "population/civ.h"
#include "population/unites.h"
#include "regles/evolution.h"

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
  // A unit of billions of turns stays superior; its count stops at the largest int.
  u->nb_tours = INT32_MAX - 1;
  evolution_intellectuelle(u);
  evolution_intellectuelle(u);
  EXPECT_EQ(u->nb_tours, INT32_MAX);
  EXPECT_EQ(u->connaissance, 1);
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
