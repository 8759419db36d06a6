// The model's parameters in the rules: the defaults take exactly the program's draws, and a
// changed chance reads the same draws as the default.
#include <gtest/gtest.h>

#include <tuple>

#include "commun/monde_test.h"
#include "commun/tribus_test.h"
#include "monde/carte.h"
#include "population/civ.h"
#include "population/unites.h"
#include "regles/epidemie.h"
#include "regles/milieu.h"
#include "socle/alea.h"
#include "socle/modele.h"

namespace {

class Parametres : public ::testing::Test {
 protected:
  void SetUp() override {
    construire_monde(3, 3, BAS, 5, 7000);
    ajouter_tribu(0, HERBIVORE, PACIFIQUE, BAS);
    ajouter_unite(0, 1, 1, 100);
    u = quelle_unite(1, 1);
  }
  void TearDown() override { reinitialiser_modele(); }
  void regler(const char* nom, int valeur) {
    parametres_modele p = modele();
    std::string erreur;
    ASSERT_TRUE(regler_parametre(p, nom, std::to_string(valeur), erreur)) << erreur;
    fixer_modele(p);
  }
  // Whether the draw r starts an outbreak: the unit loses people, and the outbreak takes the
  // eight spreading draws and one victims' draw after r.
  bool epidemie(int r) {
    scripter_alea({r, 0, 0, 0, 0, 0, 0, 0, 0, 9});
    u->nb_hab = 100;
    evolution_demo_par_epidemie(u);
    const bool eclatee = u->nb_hab != 100;
    EXPECT_EQ(alea_tirages_restants(), eclatee ? 0 : 9) << r;
    scripter_alea({});
    return eclatee;
  }
  unite* u = nullptr;
};

TEST_F(Parametres, LaChanceDEpidemieParDefautEstLeTirageDeVingtTroisEtLesChancesSEmboitent) {
  for (int r : {23, 123, 9923, 32723}) EXPECT_TRUE(epidemie(r)) << r;
  for (int r : {0, 22, 24, 124, 32767}) EXPECT_FALSE(epidemie(r)) << r;
  // Twice the chance keeps every outbreak of the default and adds as many again.
  regler("chance_epidemie", 200);
  for (int r : {23, 123, 24, 124}) EXPECT_TRUE(epidemie(r)) << r;
  EXPECT_FALSE(epidemie(25));
  regler("chance_epidemie", 0);
  EXPECT_FALSE(epidemie(23));
  regler("chance_epidemie", 10000);
  for (int r : {0, 1, 22, 32767}) EXPECT_TRUE(epidemie(r)) << r;
}

TEST_F(Parametres, LaContagionAtteintLesVoisinsSelonSaChanceSurLesMemesTirages) {
  ajouter_unite(0, 0, 0, 50);  // the first neighbour in the spreading order
  unite* voisin = quelle_unite(0, 0);
  auto contagion = [&](int tirage) {
    voisin->nb_hab = 50;
    u->nb_hab = 100;
    scripter_alea({23, tirage, 0, 0, 0, 0, 0, 0, 0, 9, 9});
    evolution_demo_par_epidemie(u);
    scripter_alea({});
    return voisin->nb_hab != 50;
  };
  EXPECT_TRUE(contagion(1));
  EXPECT_FALSE(contagion(2));
  regler("chance_contagion", 100);
  EXPECT_TRUE(contagion(2));
  regler("chance_contagion", 0);
  EXPECT_FALSE(contagion(1));
}

TEST_F(Parametres, LesCoefficientsDuMilieuEtLeDeploiementSuiventLeModele) {
  // On its preferred milieu a unit of 100 becomes 120 by default, 150 at 150 %.
  evolution_demo_par_milieu(u);
  EXPECT_EQ(u->nb_hab, 120);
  regler("milieu_prefere", 150);
  u->nb_hab = 100;
  evolution_demo_par_milieu(u);
  EXPECT_EQ(u->nb_hab, 150);
  regler("seuil_milieu", 200);
  evolution_demo_par_milieu(u);
  EXPECT_EQ(u->nb_hab, 150);
  // An overpopulated unit of 601 on a 500 cell keeps 300 and sends 300 by default; with 20 %
  // leaving it keeps 480 and sends 120.
  for (const auto& [part, garde, partis] : {std::tuple{50, 300, 300}, std::tuple{20, 480, 120}}) {
    construire_monde(3, 3, BAS, 5, 7000);
    regler("part_deploiement", part);
    ajouter_tribu(0, HERBIVORE, PACIFIQUE, BAS);
    ajouter_unite(0, 1, 1, 601);
    unite* w = quelle_unite(1, 1);
    scripter_alea({0});
    deploiement(w);
    EXPECT_EQ(w->nb_hab, garde) << part;
    EXPECT_EQ(nb_habitants(0, 0), partis) << part;
  }
}

}  // namespace
