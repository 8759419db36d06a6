// Units: identifiers and their reuse, creation and removal with their trace lines.
#include <gtest/gtest.h>

#include "commun/monde_test.h"
#include "monde/carte.h"
#include "population/civ.h"
#include "population/unites.h"

namespace {

// A 10 by 10 plain with the nine fixed tribes and no unit.
void monde_avec_tribus() {
  construire_monde(10, 10, BAS, 5, 1000);
  creer_tab_civ();
}

}  // namespace

TEST(Unites, IdentifiantsFraisPuisReutilises) {
  monde_avec_tribus();
  for (int k = 0; k < 9; ++k) ajouter_unite(k, k, 0, 10);
  EXPECT_EQ(quelle_unite_code(0, 0), 1);
  EXPECT_EQ(quelle_unite_code(8, 0), 9);

  // Remove 3 then 7: the next two units get 7, then 3; the one after a fresh 10.
  supprimer_unite(quelle_unite(2, 0));
  supprimer_unite(quelle_unite(6, 0));
  EXPECT_EQ(id_free_list(), (std::vector<int>{3, 7}));
  ajouter_unite(0, 0, 5, 10);
  ajouter_unite(0, 1, 5, 10);
  ajouter_unite(0, 2, 5, 10);
  EXPECT_EQ(quelle_unite_code(0, 5), 7);
  EXPECT_EQ(quelle_unite_code(1, 5), 3);
  EXPECT_EQ(quelle_unite_code(2, 5), 10);
  EXPECT_TRUE(id_free_list().empty());
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

TEST(Unites, AjoutEtSuppression) {
  monde_avec_tribus();
  CaptureJournaux journaux;
  ajouter_unite(5, 4, 7, 120);
  civilisation* c = donner_civ(5);
  ASSERT_EQ(c->nb_unites, 1);
  unite* u = c->liste_unite.front().get();
  EXPECT_EQ(quelle_unite(4, 7), u);
  EXPECT_EQ(u->comportement, donner_comportement(5));
  EXPECT_EQ(u->nb_tours, 0);
  EXPECT_EQ(u->connaissance, 0);
  EXPECT_TRUE(u->adversaires.empty());
  EXPECT_FALSE(u->case_conquise.has_value());
  EXPECT_EQ(journaux.debug(), (std::vector<std::string>{
                                  "generer_id_unite: L'id 1 a ete affecte pour la premiere fois",
                                  "creer_unite: L'unite d'id 1 de la tribu "
                                  "BOUFFE_TOUT_SE_LAISSE_PAS_FAIRE vient d'etre creee en(4,7)",
                                  "On ajoute une unité à la carte en 4 7"}));

  ajouter_unite(5, 5, 7, 30);
  unite* tete = c->liste_unite.front().get();
  EXPECT_EQ(tete->id, 2);

  // Removing the head: identifier, count, cell, then the removal line.
  CaptureJournaux suppression;
  supprimer_unite(tete);
  // Removing a unit further down: the removal line first.
  ajouter_unite(5, 6, 7, 30);
  supprimer_unite(u);
  EXPECT_EQ(suppression.debug(),
            (std::vector<std::string>{
                "supprimer_unite: 2 vient d'etre ajoute a id_free_list",
                "On supprime de la carte l'unite en 5 7",
                "supprimer_unite: L'unite d'id 2 de la tribu 5 vient d'etre supprimee en(5,7)",
                "generer_id_unite: L'id 2 a ete reaffecte",
                "creer_unite: L'unite d'id 2 de la tribu BOUFFE_TOUT_SE_LAISSE_PAS_FAIRE vient "
                "d'etre creee en(6,7)",
                "On ajoute une unité à la carte en 6 7",
                "supprimer_unite: L'unite d'id 1 de la tribu 5 vient d'etre supprimee en(4,7)",
                "supprimer_unite: 1 vient d'etre ajoute a id_free_list",
                "On supprime de la carte l'unite en 4 7"}));
  // The removed record stays readable, with its last coordinates.
  EXPECT_EQ(u->x, 4);
  EXPECT_EQ(u->y, 7);
  EXPECT_EQ(u->nb_hab, 120);
  EXPECT_EQ(quelle_unite(4, 7), nullptr);
  EXPECT_EQ(c->nb_unites, 1);
  EXPECT_TRUE(verifier_monde().empty());
  liberer_unites_supprimees();
}

TEST(Unites, SuppressionsRefusees) {
  monde_avec_tribus();
  CaptureJournaux journaux;
  CaptureSortie sortie;
  supprimer_unite(nullptr);
  unite orpheline{};
  orpheline.code = 3;
  supprimer_unite(&orpheline);
  EXPECT_EQ(sortie.texte(), "supprimer_unite:liste_unite vide");
  EXPECT_EQ(journaux.debug(), (std::vector<std::string>{"supprimer_unite:unite vide"}));
  EXPECT_TRUE(id_free_list().empty());
}

TEST(Unites, CoordonneesEtAccesseurs) {
  monde_avec_tribus();
  CaptureJournaux journaux;
  EXPECT_FALSE(creer_coord(10, 0).has_value());
  EXPECT_FALSE(creer_coord(-1, 0).has_value());
  EXPECT_FALSE(creer_coord(0, 10).has_value());
  const auto c = creer_coord(9, 9);
  ASSERT_TRUE(c.has_value());
  EXPECT_EQ(c->x, 9);
  EXPECT_EQ(c->y, 9);
  EXPECT_TRUE(contient(journaux.debug(), "creer_coord:coordonnees (10,0) incorrectes"));

  EXPECT_EQ(donner_id_unite(nullptr), -1);
  EXPECT_EQ(code(nullptr), -1);
  EXPECT_EQ(nb_hab_unite(nullptr), -1);
  EXPECT_EQ(donner_comportement_unite(nullptr), -1);
  EXPECT_FALSE(coordonnees_terrain(nullptr).has_value());
  modifier(nullptr, 5);
  EXPECT_TRUE(contient(journaux.debug(), "modifier: L'unite est vide"));
  EXPECT_TRUE(contient(journaux.debug(), "coordonnees_terrain:L'unite demandee est vide"));

  ajouter_unite(1, 2, 3, 40);
  unite* u = quelle_unite(2, 3);
  modifier(u, 41);
  EXPECT_EQ(nb_hab_unite(u), 41);
  EXPECT_EQ(nb_habitants(2, 3), 41);
  EXPECT_EQ(quelle_tribu(2, 3), 1);
  EXPECT_EQ(coordonnees_terrain(u)->y, 3);
}
