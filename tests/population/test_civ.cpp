// Civilisations: the fixed and the drawn tables, the pass cursor, deletion, look-ups.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "commun/capture.h"
#include "commun/reinitialisation_test.h"
#include "population/civ.h"

TEST(Civ, TableFixeEtRecherches) {
  // The table itself is pinned by the recorded runs; here the lookups and the refusals.
  reinitialiser_couches();
  creer_tab_civ();
  EXPECT_EQ(civ_suivante()->code, 0);
  EXPECT_EQ(donner_comportement(9), -1);
  EXPECT_EQ(donner_civ(9), nullptr);
  EXPECT_EQ(ajouter_civ(3, "X", 0, 1, 1), 0);  // code already used
  // A name longer than the field is cut to 31 characters.
  EXPECT_EQ(ajouter_civ(9, "UN_NOM_BIEN_TROP_LONG_POUR_LE_CHAMP_DU_NOM", 0, 1, 1), 1);
  EXPECT_EQ(std::strlen(donner_civ(9)->nom), 31u);
}

TEST(Civ, SuppressionPendantUnPassage) {
  reinitialiser_couches();
  creer_tab_civ();
  CaptureSortie sortie;
  // Deleting the tribe just handed out lets the pass go on with the next one.
  supprimer_civ(civ_suivante());
  EXPECT_EQ(civ_suivante()->code, 1);
  for (civilisation* c = civ_suivante(); c != nullptr; c = civ_suivante())
    if (c->code == 8) supprimer_civ(c);
  // The next pass starts at the new first tribe.
  EXPECT_EQ(civ_suivante()->code, 1);
  // A record not in the list is reported and the list stays as it was.
  civilisation etrangere{};
  supprimer_civ(&etrangere);
  EXPECT_EQ(liste_civ().size(), 7u);
  // Deleting everything leaves an empty list: every call then gives none.
  while (!liste_civ().empty()) supprimer_civ(&liste_civ().back());
  EXPECT_EQ(civ_suivante(), nullptr);
  EXPECT_EQ(civ_suivante(), nullptr);
  supprimer_civ(&etrangere);
  EXPECT_TRUE(liste_civ().empty());
}

// A tribe's list against a plain vector kept newest first: the same order after every head
// insertion and every removal (head, middle, absent, duplicated), through the holes and their
// squeezing, and after a list rebuilt from its oldest end.
TEST(Civ, ListeDesUnitesCommeUnVecteur) {
  liste_unites l;
  std::vector<int> attendu;  // newest first
  auto retirer_attendu = [&](int id) {
    const auto it = std::find(attendu.begin(), attendu.end(), id);
    if (it == attendu.end()) return 0;
    const int r = it == attendu.begin() ? 1 : 2;
    attendu.erase(it);
    return r;
  };
  auto pareil = [&] {
    return std::vector<int>(l.begin(), l.end()) == attendu && l.size() == attendu.size() &&
           l.empty() == attendu.empty() && (attendu.empty() || l.front() == attendu.front());
  };
  unsigned s = 7;
  auto tirage = [&s](int n) {
    s = s * 1103515245u + 12345u;
    return static_cast<int>((s >> 16) % static_cast<unsigned>(n));
  };
  int prochain = 1;
  for (int i = 0; i < 3000; ++i) {
    // Growing to a few hundred units, then shrinking, which leaves holes to squeeze.
    const int t = tirage(10);
    if (t < (i < 1500 ? 7 : 2) || attendu.empty()) {
      l.push_front(prochain);
      attendu.insert(attendu.begin(), prochain++);
    } else if (t < 9) {
      const int id = attendu[static_cast<std::size_t>(tirage(static_cast<int>(attendu.size())))];
      ASSERT_EQ(l.retirer(id), retirer_attendu(id)) << "etape " << i;
    } else {
      const int id = attendu.front();
      ASSERT_EQ(l.retirer(id), 1);
      attendu.erase(attendu.begin());
    }
    ASSERT_TRUE(pareil()) << "etape " << i;
  }
  EXPECT_EQ(l.retirer(prochain), 0);
  EXPECT_EQ(l.retirer(0), 0);
  // Rebuilt from the oldest end, with one identifier twice: the newest copy goes first.
  l.clear();
  attendu.clear();
  for (int id : {5, 9, 5, 2, 8}) {
    l.push_back(id);
    attendu.push_back(id);
  }
  ASSERT_TRUE(pareil());
  EXPECT_EQ(l.retirer(5), retirer_attendu(5));
  EXPECT_EQ(l.retirer(8), retirer_attendu(8));
  l.push_front(3);
  attendu.insert(attendu.begin(), 3);
  EXPECT_EQ(l.retirer(5), retirer_attendu(5));
  EXPECT_EQ(l.retirer(5), 0);
  EXPECT_EQ(std::vector<int>(l.begin(), l.end()), (std::vector<int>{3, 9, 2}));
  EXPECT_TRUE(pareil());
}
