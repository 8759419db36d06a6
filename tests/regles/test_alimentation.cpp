// Feeding: shortfalls, takings from the cell and the neighbours, the death of the unfed and the
// growth of a fed population, for the three diets.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "commun/capture.h"
#include "commun/monde_test.h"
#include "commun/tribus_test.h"
#include "monde/carte.h"
#include "monde/terrain.h"
#include "population/civ.h"
#include "population/unites.h"
#include "regles/alimentation.h"

using ::testing::ElementsAre;

namespace {

// The tribe fed in every test, and a stranger.
constexpr int TRIBU = 5;
constexpr int AUTRE = 0;

// The debug messages starting with one of the prefixes, in order.
std::vector<std::string> lignes(CaptureJournaux& j, std::initializer_list<const char*> prefixes) {
  std::vector<std::string> gardees;
  for (const std::string& l : j.debug())
    for (const char* p : prefixes)
      if (l.rfind(p, 0) == 0) gardees.push_back(l);
  return gardees;
}

// Water, wood, plant food, animal food of a cell.
std::vector<int> stocks(int x, int y) {
  const auto& r = donner_terrain(x, y)->ressources;
  return {r.begin(), r.end()};
}

// A 5 by 5 plain with no resources, the tribe of the given diet and a stranger, and the tribe's
// unit on (x, y), whose stocks are given.
unite* unite_en(int regime, int nb_hab, std::vector<int> s, int x = 2, int y = 2) {
  construire_monde(5, 5, BAS, 5);
  ajouter_tribu(TRIBU, regime, 2, 1);
  ajouter_tribu(AUTRE, regime, 1, 1);
  fixer_case(x, y, BAS, s[0], s[1], s[2], s[3]);
  ajouter_unite(TRIBU, x, y, nb_hab);
  return quelle_unite(x, y);
}

}  // namespace

TEST(Alimentation, CroissanceOuMiseAMortSelonLeRegime) {
  struct cas {
    int regime, nb_hab, apres;
    std::vector<int> avant, reste;
    const char* cause;  // "bu" or "mange" in the killing line; none when nobody is killed
  };
  const char* etapes[] = {"tuer_herbi", "tuer_omni", "tuer_carni"};
  const cas essais[] = {
      {HERBIVORE, 10, 15, {1000, 1000, 1000, 1000}, {900, 1000, 950, 1000}, nullptr},
      {HERBIVORE, 10, 10, {95, 1000, 1000, 0}, {0, 1000, 950, 0}, "bu"},
      {HERBIVORE, 10, 7, {80, 0, 35, 0}, {0, 0, 0, 0}, "mange"},
      {CARNIVORE, 3, 4, {1000, 1000, 0, 1000}, {970, 1000, 0, 979}, nullptr},
      {CARNIVORE, 20, 0, {1000, 1000, 1000, 0}, {800, 1000, 1000, 0}, "mange"},
      // As many thirsty as hungry: the thirsty are counted.
      {CARNIVORE, 10, 0, {0, 1000, 0, 0}, {0, 1000, 0, 0}, "bu"},
      // Water and one food on the cell: the omnivore grows and takes nothing.
      {OMNIVORE, 10, 15, {1000, 1000, 1000, 0}, {1000, 1000, 1000, 0}, nullptr},
      // Short of water, plant food enough: neither dies nor grows.
      {OMNIVORE, 10, 10, {50, 1000, 1000, 0}, {0, 1000, 950, 0}, nullptr},
      // 20 plant food feed 4, the 6 others eat 42 of the 50 animal food.
      {OMNIVORE, 10, 10, {1000, 1000, 20, 50}, {900, 1000, 0, 8}, nullptr},
      // 14 animal food feed 2 more: 4 stay unfed.
      {OMNIVORE, 10, 6, {1000, 1000, 20, 14}, {900, 1000, 0, 0}, "mange"},
      // 10 thirsty outnumber the 6 hungry, yet the omnivore's line speaks of food.
      {OMNIVORE, 10, 0, {0, 1000, 20, 0}, {0, 1000, 0, 0}, "mange"},
  };
  for (const cas& c : essais) {
    SCOPED_TRACE(testing::Message() << "regime " << c.regime << " stocks " << c.avant[0] << ","
                                    << c.avant[2] << "," << c.avant[3]);
    unite* u = unite_en(c.regime, c.nb_hab, c.avant);
    CaptureJournaux j;
    EXPECT_EQ(evolution_demo_par_alimentation(u), 1);
    EXPECT_EQ(u->nb_hab, c.apres);
    EXPECT_EQ(stocks(2, 2), c.reste);
    std::vector<std::string> morts;
    if (c.cause != nullptr)
      morts.push_back(std::string(etapes[c.regime]) + "_non_nourris:mise a mort de " +
                      std::to_string(c.nb_hab - c.apres) + " habitants qui n'ont pas " + c.cause);
    EXPECT_EQ(lignes(j, {"tuer_"}), morts);
    // A unit left with no inhabitants stays on the map: removing it is the turn's business.
    EXPECT_EQ(quelle_unite(2, 2), u);
  }
}

TEST(Alimentation, VoisinsVisitesDansLOrdreEtrangersIgnoresMerInepuisable) {
  // Around (2, 2): (1, 1), first in the order, is a stranger's; (1, 2) is sea; (1, 3) holds a
  // unit of the tribe; (2, 1) comes after the search is over.
  unite* u = unite_en(HERBIVORE, 10, {0, 0, 0, 0});
  fixer_case(1, 1, BAS, 1000, 1000, 0, 0);
  fixer_case(1, 2, MER, 0, 0, 0, 0);
  fixer_case(1, 3, BAS, 60, 100, 0, 0);
  fixer_case(2, 1, BAS, 500, 500, 0, 0);
  ajouter_unite(AUTRE, 1, 1, 5);
  ajouter_unite(TRIBU, 1, 3, 5);
  besoins_t besoins{100, 40, 0, 0};
  EXPECT_EQ(chercher_ressources_voisines(u, besoins), 1);
  EXPECT_THAT(stocks(1, 1), ElementsAre(1000, 1000, 0, 0));
  EXPECT_THAT(stocks(1, 2), ElementsAre(7000, 0, 0, 0));
  EXPECT_THAT(stocks(1, 3), ElementsAre(60, 60, 0, 0));
  EXPECT_THAT(stocks(2, 1), ElementsAre(500, 500, 0, 0));

  besoins = {0, 0, 0, 70};
  EXPECT_EQ(chercher_ressources_voisines(u, besoins), 0);
}
