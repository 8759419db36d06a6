// Initial placement: invariants over many seeds and sizes, and maps with too little land.
#include <gtest/gtest.h>

#include "commun/monde_test.h"
#include "controle/alea.h"
#include "monde/carte.h"
#include "monde/generation.h"
#include "population/civ.h"
#include "population/placement.h"

namespace {

void placer(int X, int Y, unsigned graine) {
  reinitialiser_monde();
  fixer_dimensions(X, Y);
  initialiser_alea(graine);
  creer_tab_civ();
  creer_carte();
  positionner_unite();
}

}  // namespace

TEST(Placement, InvariantsSurDeNombreusesGraines) {
  const int tailles[][2] = {{10, 10}, {30, 20}, {100, 100}, {4, 3}};
  for (const auto& taille : tailles)
    for (unsigned graine = 1; graine <= 25; ++graine) {
      placer(taille[0], taille[1], graine);
      ASSERT_TRUE(verifier_monde().empty());
      bool tous_positifs = true;
      for (const civilisation& c : liste_civ()) {
        ASSERT_LE(c.nb_unites, 1);
        if (c.nb_unites == 0) {
          tous_positifs = false;
          continue;
        }
        const unite* u = c.liste_unite.front().get();
        ASSERT_NE(quelle_altitude(u->x, u->y), MER);
        ASSERT_GT(u->nb_hab, 0);
        ASSERT_LT(u->nb_hab, combien_popmax(u->x, u->y));
      }
      // Identifiers go 1..9 in tribe order when every tribe got a unit.
      if (tous_positifs) {
        int attendu = 1;
        for (const civilisation& c : liste_civ()) ASSERT_EQ(c.liste_unite.front()->id, attendu++);
      }
    }
}

TEST(Placement, OrdreDesTirages) {
  construire_monde(10, 10, BAS, 5, 1000);
  creer_tab_civ();
  fixer_case(0, 0, MER, 0, 0, 0, 0);
  // Tribe 0: (0, 0) is sea, drawn again; (3, 6) then 120 inhabitants.
  std::vector<int> tirages = {0, 0, 3 * 3277, 6 * 3277, 120};
  // Tribe 1 draws (3, 6) again, occupied, then (9, 9) with 0 inhabitants: no unit.
  for (int v : {3 * 3277, 6 * 3277, 32767, 32767, 500}) tirages.push_back(v);
  for (int k = 2; k < 9; ++k)
    for (int v : {k * 3277, 0, 7}) tirages.push_back(v);
  scripter_alea(tirages);
  CaptureJournaux journaux;
  positionner_unite();
  EXPECT_EQ(alea_tirages_restants(), 0);
  EXPECT_EQ(quelle_tribu(3, 6), 0);
  EXPECT_EQ(nb_habitants(3, 6), 120);
  EXPECT_EQ(donner_civ(1)->nb_unites, 0);
  EXPECT_EQ(quelle_unite(9, 9), nullptr);
  EXPECT_EQ(quelle_unite_code(2, 0), 2);
  EXPECT_TRUE(contient(journaux.debug(), "positionner_unite: unite en 3 6"));
  EXPECT_TRUE(contient(journaux.debug(), "positionner_unite: unite en 9 9"));
}

TEST(Placement, CartesTropPetitesOuSansTerre) {
  // 1 by 1 and 2 by 2 maps hold at most one or four units; the other tribes give up.
  for (int taille : {1, 2}) {
    for (unsigned graine = 1; graine <= 5; ++graine) {
      placer(taille, taille, graine);
      ASSERT_TRUE(verifier_monde().empty());
      int unites = 0;
      for (const civilisation& c : liste_civ()) unites += c.nb_unites;
      ASSERT_LE(unites, taille * taille);
    }
  }
  construire_monde(3, 3, MER, 5);
  creer_tab_civ();
  CaptureJournaux journaux;
  positionner_unite();
  for (int k = 0; k < 9; ++k)
    EXPECT_TRUE(contient(journaux.debug(), "positionner_unite: pas de case libre pour la tribu " +
                                               std::to_string(k)));
  EXPECT_EQ(alea_nb_tirages(), 9 * 2 * 10000);
}
