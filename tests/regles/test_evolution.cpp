// Knowledge: a unit's count of turns stops at the largest int and the unit stays superior.
#include <gtest/gtest.h>

#include <cstdint>

#include "commun/monde_test.h"
#include "commun/tribus_test.h"
#include "monde/carte.h"
#include "population/civ.h"
#include "population/unites.h"
#include "regles/evolution.h"

TEST(Connaissance, LeCompteDesToursSArreteAuPlusGrandEntier) {
  construire_monde(3, 3, BAS, 5, 1000);
  ajouter_tribu(0, OMNIVORE, PACIFIQUE, HAUT);
  ajouter_unite(0, 1, 1, 120);
  unite* u = quelle_unite(1, 1);
  u->nb_tours = INT32_MAX - 1;
  evolution_intellectuelle(u);
  evolution_intellectuelle(u);
  evolution_intellectuelle(nullptr);
  EXPECT_EQ(u->nb_tours, INT32_MAX);
  EXPECT_EQ(u->connaissance, 1);
}
