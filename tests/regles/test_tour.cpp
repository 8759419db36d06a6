// A tribe's turn: the units present when it begins play newest first, units founded during the
// turn wait for the next one, a unit left empty goes at the end of its own turn, and a tribe
// left without units goes at its next turn.
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "commun/capture.h"
#include "commun/monde_test.h"
#include "commun/tribus_test.h"
#include "monde/carte.h"
#include "population/civ.h"
#include "population/unites.h"
#include "population/verification.h"
#include "regles/tour.h"

namespace {

// The cells of the units that began their turn, in the order of the lines printed.
std::vector<std::string> debuts(const std::string& sortie) {
  std::vector<std::string> cases;
  std::istringstream flux(sortie);
  std::string ligne;
  const std::string debut = "  jouer_tour: debut (";
  while (std::getline(flux, ligne))
    if (ligne.rfind(debut, 0) == 0)
      cases.push_back(ligne.substr(debut.size(), ligne.find(')') - debut.size()));
  return cases;
}

// One turn of the tribe; what it printed.
std::string tour(int code) {
  CaptureSortie sortie;
  jouer_tour(donner_civ(code));
  return sortie.texte();
}

std::vector<int> liste(int code) {
  const liste_unites& l = donner_civ(code)->liste_unite;
  return {l.begin(), l.end()};
}

// A 9 by 3 plain, rich enough that nobody starves; tribe 0 prefers the plain, tribe 1 too.
void plaine() {
  construire_monde(9, 3, BAS, 5, 7000);
  ajouter_tribu(0, OMNIVORE, PACIFIQUE, BAS);
  ajouter_tribu(1, OMNIVORE, PACIFIQUE, BAS);
}

}  // namespace

TEST(Tour, DuPlusRecentAuPlusAncien) {
  plaine();
  ajouter_unite(0, 1, 1, 20);
  ajouter_unite(0, 4, 1, 20);
  ajouter_unite(0, 7, 1, 20);
  EXPECT_EQ(debuts(tour(0)), (std::vector<std::string>{"7,1", "4,1", "1,1"}));
  EXPECT_EQ(liste(0), (std::vector<int>{3, 2, 1}));
  EXPECT_EQ(tour(1), "");  // a tribe with no unit plays nothing (and is deleted)
  EXPECT_EQ(donner_civ(1), nullptr);
}

TEST(Tour, FondeesEnCoursDeTourEtVideeRetiree) {
  plaine();
  ajouter_unite(0, 1, 1, 20);
  ajouter_unite(0, 4, 1, 400);  // grows past its popmax and spreads half onto a neighbour
  ajouter_unite(0, 7, 1, 20);
  unite* videe = quelle_unite(7, 1);
  modifier(videe, 0);
  ajouter_unite(1, 8, 2, 20);
  modifier(quelle_unite(8, 2), 0);

  const std::string texte = tour(0);
  // The emptied unit plays first and goes; its identifier goes at once to the unit founded by
  // the spreading, which does not play in this turn.
  EXPECT_EQ(debuts(texte), (std::vector<std::string>{"7,1", "4,1", "1,1"}));
  EXPECT_NE(texte.find("  jouer_tour: fin   (7,1) nb_h=0\n"), std::string::npos);
  EXPECT_EQ(quelle_unite(7, 1), nullptr);
  ASSERT_EQ(liste(0), (std::vector<int>{3, 2, 1}));
  const unite* fondee = donner_unite(3);
  ASSERT_NE(fondee, nullptr);
  EXPECT_NE(fondee, videe);
  EXPECT_LE(std::abs(fondee->x - 4), 1);
  EXPECT_EQ(std::tuple(videe->id, videe->x, videe->y, videe->nb_hab), std::tuple(3, 7, 1, 0));
  EXPECT_TRUE(verifier_monde().empty());
  // Newest first at the next turn: the founded unit opens it.
  const std::string cellule = std::to_string(fondee->x) + "," + std::to_string(fondee->y);
  EXPECT_EQ(debuts(tour(0)), (std::vector<std::string>{cellule, "4,1", "1,1"}));

  // A tribe whose only unit goes at the end of its turn lives on until its next turn, then is
  // deleted without playing.
  EXPECT_EQ(debuts(tour(1)), (std::vector<std::string>{"8,2"}));
  ASSERT_NE(donner_civ(1), nullptr);
  EXPECT_TRUE(donner_civ(1)->liste_unite.empty());
  EXPECT_EQ(tour(1), "");
  EXPECT_EQ(donner_civ(1), nullptr);
  EXPECT_TRUE(verifier_monde().empty());
}
