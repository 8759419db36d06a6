// The model's parameter table: names, ranges and the text a user types.
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
  // The table reaches every field: nine tribes of five, plus the world's and the rules'.
  EXPECT_EQ(noms.size(), 25u + 9u * 5u);
  int v = 0;
  ASSERT_TRUE(valeur_parametre(d, "besoin_animale", v));
  EXPECT_EQ(v, 7);
  ASSERT_TRUE(valeur_parametre(d, "capacite_haut", v));
  EXPECT_EQ(v, 250);
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
  EXPECT_NE(erreur.find("besoin_sel"), std::string::npos);
  EXPECT_FALSE(regler_affectation(p, "besoin_eau", erreur));
  // -1 hands a tribe back to its tribe set, and is refused where it means nothing.
  EXPECT_FALSE(regler_parametre(p, "tribu2_comportement", "0", erreur));
  EXPECT_FALSE(regler_parametre(p, "croissance", "-1", erreur));
  EXPECT_TRUE(modele_par_defaut(p));
}

TEST(Modele, LesChangementsSontListesDansLOrdreDeLaTableEtDefaits) {
  parametres_modele p{};
  std::string erreur;
  ASSERT_TRUE(regler_affectation(p, "tribu8_regime=2", erreur)) << erreur;
  ASSERT_TRUE(regler_affectation(p, "besoin_eau=8", erreur)) << erreur;
  ASSERT_TRUE(regler_parametre(p, "chance_epidemie", "10000", erreur)) << erreur;
  EXPECT_EQ(p.besoin[0], 8);
  EXPECT_EQ(p.tribus[8].regime, 2);
  EXPECT_EQ(parametres_changes(p),
            (std::vector<std::string>{"besoin_eau=8", "chance_epidemie=10000", "tribu8_regime=2"}));
  ASSERT_TRUE(regler_parametre(p, "tribu8_regime", "-1", erreur));
  ASSERT_TRUE(regler_parametre(p, "besoin_eau", "10", erreur));
  ASSERT_TRUE(regler_parametre(p, "chance_epidemie", "100", erreur));
  EXPECT_TRUE(modele_par_defaut(p));

  fixer_modele(p);
  p.croissance = 200;
  EXPECT_EQ(modele().croissance, 150);  // the record is handed over by copy
  fixer_modele(p);
  EXPECT_EQ(modele().croissance, 200);
  reinitialiser_modele();
  EXPECT_TRUE(modele_par_defaut(modele()));
}

}  // namespace
