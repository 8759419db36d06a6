// A tribe's turn: the walk newest first over the units present when it began, removal of empty
// units during the walk, deletion of an empty tribe, and the turn lines.
#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "commun/monde_test.h"
#include "controle/alea.h"
#include "monde/carte.h"
#include "population/civ.h"
#include "population/unites.h"
#include "regles/tour.h"

namespace {

// The cells named by the "debut" lines of a captured turn, in order.
std::vector<std::string> cases_jouees(const std::string& texte) {
  std::vector<std::string> cases;
  const std::regex debut("  jouer_tour: debut \\((\\d+,\\d+)\\) nb_h=\\d+\n");
  for (auto it = std::sregex_iterator(texte.begin(), texte.end(), debut);
       it != std::sregex_iterator(); ++it)
    cases.push_back((*it)[1]);
  return cases;
}

}  // namespace

TEST(Tour, LesUnitesJouentDeLaPlusRecenteALaPlusAncienne) {
  construire_monde(9, 3, BAS, 5, 5000);
  ajouter_tribu(0, 0, 2, 1);
  ajouter_unite(0, 1, 1, 20);  // U1
  ajouter_unite(0, 4, 1, 20);  // U2
  ajouter_unite(0, 7, 1, 20);  // U3
  CaptureSortie sortie;
  CaptureJournaux journaux;
  EXPECT_EQ(jouer_tour(donner_civ(0)), 1);
  const std::string texte = sortie.texte();
  EXPECT_EQ(cases_jouees(texte), (std::vector<std::string>{"7,1", "4,1", "1,1"}));
  // Plain preferred: 20 becomes 24, then feeding brings 36.
  EXPECT_NE(texte.find("  jouer_tour: debut (7,1) nb_h=20\n  jouer_tour: fin   (7,1) nb_h=36\n"),
            std::string::npos)
      << texte;
  // The same lines go to the debug log.
  EXPECT_TRUE(contient(journaux.debug(), "  jouer_tour: debut (4,1) nb_h=20"));
  EXPECT_TRUE(contient(journaux.debug(), "  jouer_tour: fin   (1,1) nb_h=36"));
  EXPECT_TRUE(verifier_monde().empty());
}

TEST(Tour, UniteVideRetireePendantLeParcours) {
  construire_monde(9, 3, BAS, 5, 5000);
  ajouter_tribu(0, 0, 2, 1);
  ajouter_unite(0, 1, 1, 20);
  ajouter_unite(0, 4, 1, 20);
  ajouter_unite(0, 7, 1, 20);
  quelle_unite(4, 1)->nb_hab = 0;
  CaptureSortie sortie;
  jouer_tour(donner_civ(0));
  const std::string texte = sortie.texte();
  EXPECT_EQ(cases_jouees(texte), (std::vector<std::string>{"7,1", "4,1", "1,1"}));
  EXPECT_NE(texte.find("  jouer_tour: fin   (4,1) nb_h=0\n"), std::string::npos);
  EXPECT_EQ(quelle_unite(4, 1), nullptr);
  EXPECT_EQ(donner_civ(0)->nb_unites, 2);
  EXPECT_EQ(id_free_list(), (std::vector<int>{2}));
  EXPECT_TRUE(verifier_monde().empty());

  // Emptying the tribe: it survives its turn and is deleted, without playing, at the next one.
  for (const auto& u : donner_civ(0)->liste_unite) u->nb_hab = 0;
  jouer_tour(donner_civ(0));
  ASSERT_NE(donner_civ(0), nullptr);
  EXPECT_EQ(donner_civ(0)->nb_unites, 0);
  CaptureSortie suite;
  CaptureJournaux journaux;
  EXPECT_EQ(jouer_tour(donner_civ(0)), 1);
  EXPECT_EQ(donner_civ(0), nullptr);
  EXPECT_EQ(suite.texte(), "");
  EXPECT_TRUE(contient(journaux.debug(), "civ-supprimer_civ : la civilisation 0 a ete supprimee"));
  EXPECT_TRUE(verifier_monde().empty());
}

TEST(Tour, UniteFondeeEnCoursDeTourNeJouePas) {
  // A herbivore tribe preferring the hill, on a plain: 800 shrink to 640, feeding brings 960,
  // above the popmax of 500, and 480 spread onto a free neighbour; the new unit waits.
  construire_monde(3, 3, BAS, 5, 7000);
  ajouter_tribu(0, 0, 2, 2);
  ajouter_unite(0, 1, 1, 800);
  CaptureSortie sortie;
  jouer_tour(donner_civ(0));
  EXPECT_EQ(cases_jouees(sortie.texte()).size(), 1u);
  EXPECT_EQ(donner_civ(0)->nb_unites, 2);
  const unite* nouvelle = donner_civ(0)->liste_unite.front().get();
  EXPECT_EQ(nouvelle->id, 2);
  EXPECT_TRUE(verifier_monde().empty());

  // At the next turn the newest unit plays first.
  CaptureSortie suite;
  jouer_tour(donner_civ(0));
  const auto cases = cases_jouees(suite.texte());
  ASSERT_EQ(cases.size(), 2u);
  EXPECT_EQ(cases[0], std::to_string(nouvelle->x) + "," + std::to_string(nouvelle->y));
}

TEST(Tour, SansCivilisationNiUnite) {
  reinitialiser_monde();
  EXPECT_EQ(jouer_tour(nullptr), 0);
  EXPECT_EQ(evolution_unite(nullptr), 0);
}

TEST(Tour, LeBoisEstPrisSurLaCaseApresLaColonisation) {
  construire_monde(3, 1, BAS, 5, 1000);
  ajouter_tribu(0, 0, 2, 1);
  ajouter_unite(0, 0, 0, 5);
  // No epidemic, no colonisation move: 5 inhabitants stay 5 (below 10), then grow to 7 and
  // take 28 wood from their own cell.
  scripter_alea({0, 3});
  evolution_unite(quelle_unite(0, 0));
  EXPECT_EQ(nb_habitants(0, 0), 7);
  EXPECT_EQ(combien_ressouce(0, 0, BOIS), 1000 - 28);
  EXPECT_EQ(alea_tirages_restants(), 0);
}
