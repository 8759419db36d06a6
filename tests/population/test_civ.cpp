// Civilisations: the fixed and the drawn tables, the pass cursor, deletion, look-ups.
#include <gtest/gtest.h>

#include <cstring>

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
  CaptureJournaux journaux;
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
  const auto lignes = journaux.debug();
  EXPECT_TRUE(contient(lignes, "civ-supprimer_civ : la civilisation 0 a ete supprimee"));
  EXPECT_TRUE(contient(lignes, "civ-supprimer_civ : civilisation inexistante"));
  EXPECT_TRUE(contient(lignes, "civ-supprimer_civ : plus de civilisation"));
}
