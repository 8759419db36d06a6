// Units: identifiers and their reuse, the store that owns the units, the two orders of removal,
// refused requests, and the questions asked about a cell's unit.
#include <gtest/gtest.h>

#include <array>
#include <tuple>
#include <vector>

#include "commun/capture.h"
#include "commun/monde_test.h"
#include "monde/carte.h"
#include "population/civ.h"
#include "population/unites.h"
#include "population/verification.h"

TEST(Unites, IdentifiantsFraisPuisReutilises) {
  construire_monde(10, 10, BAS, 5, 1000);
  creer_tab_civ();
  for (int k = 0; k < 9; ++k) ajouter_unite(k, k, 0, 10);
  EXPECT_EQ(quelle_unite_code(8, 0), 9);
  // Remove 3 then 7: the next two units get 7, then 3; the one after a fresh 10.
  supprimer_unite(quelle_unite(2, 0));
  supprimer_unite(quelle_unite(6, 0));
  EXPECT_EQ(std::pair(combien_unites(), combien_identifiants()), std::pair(7, 9));
  for (int x = 0; x < 3; ++x) ajouter_unite(0, x, 5, 10);
  EXPECT_EQ((std::array{quelle_unite_code(0, 5), quelle_unite_code(1, 5), quelle_unite_code(2, 5)}),
            (std::array{7, 3, 10}));
  EXPECT_TRUE(verifier_monde().empty());
  // A unit of 0 inhabitants does not exist and consumes no identifier.
  ajouter_unite(4, 3, 5, 0);
  EXPECT_EQ(quelle_unite(3, 5), nullptr);
  EXPECT_EQ(nb_unites(*donner_civ(4)), 1);
  ajouter_unite(4, 3, 5, 1);
  EXPECT_EQ(quelle_unite_code(3, 5), 11);
  // The tribe's list holds the identifiers, newest first.
  EXPECT_EQ(std::vector<int>(donner_civ(0)->liste_unite.begin(), donner_civ(0)->liste_unite.end()),
            (std::vector<int>{10, 3, 7, 1}));
}

TEST(Unites, SuppressionsEtRefus) {
  construire_monde(10, 10, BAS, 5, 1000);
  creer_tab_civ();
  ajouter_unite(5, 4, 7, 120);
  ajouter_unite(5, 5, 7, 30);
  unite* ancienne = quelle_unite(4, 7);
  unite* tete = donner_unite(donner_civ(5)->liste_unite.front());
  EXPECT_EQ(tete, quelle_unite(5, 7));
  EXPECT_EQ(tete->comportement, donner_comportement(5));
  CaptureSortie sortie;
  supprimer_unite(nullptr);
  unite orpheline{};
  orpheline.code = 3;
  supprimer_unite(&orpheline);  // its tribe has no unit: nothing changes
  // A copy of a living unit is not that unit: nothing changes either.
  unite copie = *ancienne;
  supprimer_unite(&copie);
  supprimer_unite(ancienne);  // further down the list
  supprimer_unite(ancienne);  // already removed: nothing changes
  supprimer_unite(tete);      // at the head
  EXPECT_EQ(sortie.texte(), "supprimer_unite:liste_unite vide");
  EXPECT_EQ(quelle_unite(4, 7), nullptr);
  EXPECT_EQ(nb_unites(*donner_civ(5)), 0);
  EXPECT_EQ(std::vector<int>(id_free_list().begin(), id_free_list().end()),
            (std::vector<int>{1, 2}));
  EXPECT_TRUE(verifier_monde().empty());
}

TEST(Unites, EnregistrementsStablesEtLisiblesApresSuppression) {
  construire_monde(30, 30, BAS, 5, 1000);
  creer_tab_civ();
  ajouter_unite(2, 0, 0, 40);
  unite* premiere = quelle_unite(0, 0);
  // Hundreds of units later the store has grown many times: the first record has not moved.
  for (int x = 1; x < 30; ++x)
    for (int y = 0; y < 10; ++y) ajouter_unite(x % 9, x, y, 5);
  EXPECT_EQ(donner_unite(1), premiere);
  EXPECT_EQ(std::tuple(premiere->id, premiere->code, premiere->nb_hab), std::tuple(1, 2, 40));
  EXPECT_EQ(combien_unites(), 291);

  // Removed, then its identifier given at once to a new unit elsewhere (what a victory does):
  // the store gives the new unit, the old record still reads its own last values.
  supprimer_unite(premiere);
  ajouter_unite(7, 0, 20, 12);
  unite* nouvelle = quelle_unite(0, 20);
  ASSERT_NE(nouvelle, nullptr);
  EXPECT_NE(nouvelle, premiere);
  EXPECT_EQ(donner_unite(1), nouvelle);
  EXPECT_EQ(std::tuple(premiere->id, premiere->code, premiere->x, premiere->y, premiere->nb_hab),
            std::tuple(1, 2, 0, 0, 40));
  EXPECT_EQ(quelle_unite(0, 0), nullptr);
  // Released at the start of the next step; the living units are untouched.
  liberer_unites_supprimees();
  EXPECT_EQ(donner_unite(1), nouvelle);
  EXPECT_EQ(nouvelle->nb_hab, 12);
  // Identifiers that are no living unit's.
  EXPECT_EQ((std::array{donner_unite(0), donner_unite(-1), donner_unite(292)}),
            (std::array<unite*, 3>{nullptr, nullptr, nullptr}));
  EXPECT_TRUE(verifier_monde().empty());
}

TEST(Unites, TribuSupprimeeAvecSesUnites) {
  // A tribe is deleted by the rules only once empty; deleted with units, it takes them away
  // properly, and their identifiers go back on the stack.
  construire_monde(5, 5, BAS, 5, 1000);
  creer_tab_civ();
  ajouter_unite(4, 1, 1, 30);
  ajouter_unite(4, 2, 2, 30);
  ajouter_unite(6, 3, 3, 30);
  supprimer_civ(donner_civ(4));
  EXPECT_EQ(donner_civ(4), nullptr);
  EXPECT_EQ(quelle_unite(1, 1), nullptr);
  EXPECT_EQ(quelle_unite(2, 2), nullptr);
  EXPECT_EQ(combien_unites(), 1);
  EXPECT_EQ(std::vector<int>(id_free_list().begin(), id_free_list().end()),
            (std::vector<int>{2, 1}));
  EXPECT_TRUE(verifier_monde().empty());
}

TEST(Unites, RequetesDeCase) {
  construire_monde(10, 10, BAS, 5, 30);
  creer_tab_civ();
  ajouter_unite(6, 4, 4, 77);
  EXPECT_EQ((std::array{quelle_unite_code(4, 4), quelle_tribu(4, 4), nb_habitants(4, 4)}),
            (std::array{1, 6, 77}));
  EXPECT_EQ(quelle_unite(4, 4), donner_unite(1));
  // Off the map or on an empty cell: -1 and no unit.
  for (auto [x, y] : {std::pair(0, 10), std::pair(10, 10), std::pair(3, -1), std::pair(2, 2)}) {
    EXPECT_EQ((std::array{quelle_unite_code(x, y), quelle_tribu(x, y), nb_habitants(x, y)}),
              (std::array{-1, -1, -1}));
    EXPECT_EQ(quelle_unite(x, y), nullptr);
  }
}
