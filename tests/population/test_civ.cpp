// Civilisations: the fixed and the drawn tables, the pass cursor, deletion, look-ups.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "commun/monde_test.h"
#include "controle/alea.h"
#include "controle/parametres.h"
#include "population/civ.h"

TEST(Civ, TableFixe) {
  reinitialiser_monde();
  CaptureSortie sortie;
  creer_tab_civ();
  EXPECT_EQ(sortie.texte(), "");
  ASSERT_EQ(liste_civ().size(), 9u);
  int attendu = 0;
  for (const civilisation& c : liste_civ()) {
    EXPECT_EQ(c.code, attendu++);
    // Every combination of diet and behaviour, in a fixed order; all prefer the plain.
    EXPECT_EQ(c.code, 3 * (2 - c.regime) + c.comportement - 1);
    EXPECT_EQ(c.milieu_prefere, 1);
    EXPECT_EQ(c.nb_unites, 0);
    EXPECT_TRUE(c.liste_unite.empty());
    EXPECT_GT(std::strlen(c.nom), 0u);
    EXPECT_LE(std::strlen(c.nom), 31u);
  }
  EXPECT_STREQ(donner_civ(2)->nom, "MCHERCH_PA_OU_TU_VAMTROUVE");
  EXPECT_STREQ(donner_civ(5)->nom, "BOUFFE_TOUT_SE_LAISSE_PAS_FAIRE");
  EXPECT_STREQ(donner_civ(8)->nom, "TOUCHE_PAS_MES_EPINARDS");

  // One pass prints one line per tribe, then gives none and starts over.
  civilisation* c = civ_suivante();
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(c->code, 0);
  int n = 1;
  while (civ_suivante() != nullptr) ++n;
  EXPECT_EQ(n, 9);
  const std::string texte = sortie.texte();
  EXPECT_EQ(texte.rfind("\nciv 0 nom:", 0), 0u);
  EXPECT_NE(texte.find(" r.a:2 comp:1 m.p:1\n"), std::string::npos);
  EXPECT_NE(texte.find("\nciv 8 nom:TOUCHE_PAS_MES_EPINARDS r.a:0 comp:3 m.p:1\n"),
            std::string::npos);
  EXPECT_EQ(civ_suivante()->code, 0);
}

TEST(Civ, TableTiree) {
  reinitialiser_monde();
  fixer_tribus_aleatoires(1);
  // Tribe 0: name slot 0 ("a"), milieu 1, behaviour 2, diet 2; tribe 1: slot 0 again (used,
  // drawn again), slot 1 ("b"), milieu 3, behaviour 3, diet 0.
  scripter_alea({0, 0, 1, 2, 20, 41, 2, 5, 3});
  CaptureSortie sortie;
  CaptureJournaux journaux;
  creer_tab_civ();
  EXPECT_TRUE(contient(journaux.debug(), "civ-creer_tab_noms : Cree !"));
  const civilisation* a = donner_civ(0);
  EXPECT_STREQ(a->nom, "a");
  EXPECT_EQ(a->milieu_prefere, 1);
  EXPECT_EQ(a->comportement, 2);
  EXPECT_EQ(a->regime, 2);
  const civilisation* b = donner_civ(1);
  EXPECT_STREQ(b->nom, "b");
  EXPECT_EQ(b->milieu_prefere, 3);
  EXPECT_EQ(b->comportement, 3);
  EXPECT_EQ(b->regime, 0);
  EXPECT_EQ(sortie.texte().rfind(
                "\nciv 0 nom:a r.a:2 comp:2 m.p:1\n\nciv 1 nom:b r.a:0 comp:3 m.p:3\n", 0),
            0u);

  for (unsigned graine = 1; graine <= 30; ++graine) {
    reinitialiser_monde();
    fixer_tribus_aleatoires(1);
    initialiser_alea(graine);
    CaptureSortie lignes;
    creer_tab_civ();
    std::set<std::string> noms;
    for (const civilisation& c : liste_civ()) {
      noms.insert(c.nom);
      ASSERT_EQ(std::strlen(c.nom), 1u);
      ASSERT_TRUE(std::strchr("abcefghijklmnopqrstu", c.nom[0]) != nullptr);
      ASSERT_GE(c.regime, 0);
      ASSERT_LE(c.regime, 2);
      ASSERT_GE(c.comportement, 1);
      ASSERT_LE(c.comportement, 3);
      ASSERT_GE(c.milieu_prefere, 1);
      ASSERT_LE(c.milieu_prefere, 3);
    }
    ASSERT_EQ(noms.size(), 9u);
    const std::string texte = lignes.texte();
    ASSERT_EQ(std::count(texte.begin(), texte.end(), '\n'), 18);
    // The creation pass leaves the cursor on the first tribe.
    ASSERT_EQ(civ_suivante()->code, 0);
  }
}

TEST(Civ, RecherchesParCode) {
  reinitialiser_monde();
  creer_tab_civ();
  EXPECT_EQ(donner_comportement(9), -1);
  EXPECT_EQ(donner_regime(-1), -1);
  EXPECT_EQ(donner_milieu_prefere(9), -1);
  EXPECT_EQ(donner_civ(9), nullptr);
  EXPECT_EQ(donner_regime(3), 1);
  EXPECT_EQ(donner_comportement(7), 2);
  // A code already used or a value out of range is refused.
  EXPECT_EQ(ajouter_civ(3, "X", 0, 1, 1), 0);
  EXPECT_EQ(ajouter_civ(9, "X", 3, 1, 1), 0);
  EXPECT_EQ(ajouter_civ(9, "X", 0, 0, 1), 0);
  EXPECT_EQ(ajouter_civ(9, "X", 0, 1, 4), 0);
  EXPECT_EQ(ajouter_civ(9, "UN_NOM_BIEN_TROP_LONG_POUR_LE_CHAMP_DU_NOM", 0, 1, 1), 1);
  EXPECT_EQ(std::strlen(donner_civ(9)->nom), 31u);
}

TEST(Civ, SuppressionPendantUnPassage) {
  reinitialiser_monde();
  creer_tab_civ();
  CaptureSortie sortie;
  CaptureJournaux journaux;
  // Deleting the tribe just handed out lets the pass go on with the next one.
  civilisation* zero = civ_suivante();
  supprimer_civ(zero);
  EXPECT_EQ(civ_suivante()->code, 1);
  civilisation* c = nullptr;
  while ((c = civ_suivante()) != nullptr) {
    if (c->code == 8) supprimer_civ(c);
  }
  // The next pass starts at the new first tribe.
  EXPECT_EQ(civ_suivante()->code, 1);
  EXPECT_TRUE(contient(journaux.debug(), "civ-supprimer_civ : la civilisation 0 a ete supprimee"));

  // A record not in the list is reported and the list stays as it was.
  civilisation etrangere{};
  supprimer_civ(&etrangere);
  EXPECT_TRUE(contient(journaux.debug(), "civ-supprimer_civ : civilisation inexistante"));
  EXPECT_EQ(liste_civ().size(), 7u);

  // Deleting everything leaves an empty list: every call then gives none.
  while (!liste_civ().empty()) supprimer_civ(&liste_civ().back());
  EXPECT_EQ(civ_suivante(), nullptr);
  EXPECT_EQ(civ_suivante(), nullptr);
  supprimer_civ(&etrangere);
  EXPECT_TRUE(contient(journaux.debug(), "civ-supprimer_civ : plus de civilisation"));
}

TEST(Civ, NomsTires) {
  reinitialiser_monde();
  creer_tab_noms();
  std::set<std::string> noms;
  for (int i = 0; i < 20; ++i) noms.insert(choisir_nom());
  EXPECT_EQ(noms.size(), 20u);
  EXPECT_EQ(noms.count("d"), 0u);
  // With every name used there is nothing left to draw, and the drawing does not hang.
  EXPECT_STREQ(choisir_nom(), "");
}
