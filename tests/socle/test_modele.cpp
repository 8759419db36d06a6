// The model's parameter table: names, defaults and ranges (their messages are checked end to end).
#include "socle/modele.h"

#include <gtest/gtest.h>

#include <set>

namespace {

TEST(Modele, LesValeursParDefautSontCellesDuProgrammeEtLesNomsUniques) {
  const parametres_modele d{};
  EXPECT_TRUE(modele_par_defaut(d));
  std::set<std::string> noms;
  for (const description_parametre& p : parametres_connus()) {
    EXPECT_TRUE(noms.insert(p.nom).second) << p.nom;
    int v = 0;
    ASSERT_TRUE(valeur_parametre(d, p.nom, v)) << p.nom;
    EXPECT_EQ(v, p.defaut) << p.nom;
    EXPECT_TRUE(v == -1 || (v >= p.minimum && v <= p.maximum)) << p.nom;
  }
}

TEST(Modele, UneValeurMalFormeeOuHorsPlageEstRefuseeEnNommantLeParametre) {
  parametres_modele p{};
  std::string erreur;
  for (const char* texte : {"", "12x", " 3", "+3", "3.5", "0", "101", "99999999999999999999"}) {
    EXPECT_FALSE(regler_parametre(p, "besoin_eau", texte, erreur)) << texte;
    EXPECT_NE(erreur.find("besoin_eau"), std::string::npos) << erreur;
    EXPECT_NE(erreur.find("1..100"), std::string::npos) << erreur;
  }
  EXPECT_TRUE(modele_par_defaut(p));
  EXPECT_FALSE(regler_parametre(p, "besoin_sel", "3", erreur));
  // -1 hands a tribe back to its tribe set, and is refused where it means nothing.
  EXPECT_FALSE(regler_parametre(p, "tribu2_comportement", "0", erreur));
  EXPECT_FALSE(regler_parametre(p, "croissance", "-1", erreur));
  EXPECT_TRUE(modele_par_defaut(p));
}

}  // namespace
