// Units: identifiers and their reuse, the two orders of removal, refused requests.
#include <gtest/gtest.h>

#include <array>
#include <tuple>

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
  for (int x = 0; x < 3; ++x) ajouter_unite(0, x, 5, 10);
  EXPECT_EQ((std::array{quelle_unite_code(0, 5), quelle_unite_code(1, 5), quelle_unite_code(2, 5)}),
            (std::array{7, 3, 10}));
  EXPECT_TRUE(verifier_monde().empty());
  // A unit of 0 inhabitants does not exist and consumes no identifier.
  CaptureJournaux journaux;
  ajouter_unite(4, 3, 5, 0);
  EXPECT_EQ(quelle_unite(3, 5), nullptr);
  EXPECT_EQ(donner_civ(4)->nb_unites, 1);
  EXPECT_EQ(journaux.debug(), (std::vector<std::string>{
                                  "creer_unite: nb_habitants<=0 unite non creee on renvoie NULL",
                                  "ajouter_unite:echec de creer_unite"}));
  ajouter_unite(4, 3, 5, 1);
  EXPECT_EQ(quelle_unite_code(3, 5), 11);
}

TEST(Unites, SuppressionsEtRefus) {
  construire_monde(10, 10, BAS, 5, 1000);
  creer_tab_civ();
  ajouter_unite(5, 4, 7, 120);
  ajouter_unite(5, 5, 7, 30);
  unite* ancienne = quelle_unite(4, 7);
  unite* tete = donner_civ(5)->liste_unite.front().get();
  EXPECT_EQ(tete, quelle_unite(5, 7));
  EXPECT_EQ(tete->comportement, donner_comportement(5));
  CaptureJournaux journaux;
  CaptureSortie sortie;
  supprimer_unite(nullptr);
  unite orpheline{};
  orpheline.code = 3;
  supprimer_unite(&orpheline);  // its tribe has no unit: nothing changes
  supprimer_unite(ancienne);    // further down the list: the removal line first
  supprimer_unite(tete);        // at the head: the removal line last
  EXPECT_EQ(sortie.texte(), "supprimer_unite:liste_unite vide");
  EXPECT_EQ(journaux.debug(),
            (std::vector<std::string>{
                "supprimer_unite:unite vide",
                "supprimer_unite: L'unite d'id 1 de la tribu 5 vient d'etre supprimee en(4,7)",
                "supprimer_unite: 1 vient d'etre ajoute a id_free_list",
                "On supprime de la carte l'unite en 4 7",
                "supprimer_unite: 2 vient d'etre ajoute a id_free_list",
                "On supprime de la carte l'unite en 5 7",
                "supprimer_unite: L'unite d'id 2 de la tribu 5 vient d'etre supprimee en(5,7)"}));
  // The removed records stay readable, with their last values.
  EXPECT_EQ(std::tuple(ancienne->x, ancienne->y, ancienne->nb_hab), std::tuple(4, 7, 120));
  EXPECT_EQ(quelle_unite(4, 7), nullptr);
  EXPECT_EQ(donner_civ(5)->nb_unites, 0);
  EXPECT_TRUE(verifier_monde().empty());
}
