// Milieu coefficient, overpopulation test and the deployment of the surplus onto neighbours.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "commun/monde_test.h"
#include "controle/alea.h"
#include "monde/carte.h"
#include "monde/terrain.h"
#include "population/civ.h"
#include "population/unites.h"
#include "regles/milieu.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

// The tribe that deploys (prefers the plain), and a stranger.
constexpr int TRIBU = 3;
constexpr int AUTRE = 6;

// The messages written by one rule (those starting with one of the prefixes), in order.
std::vector<std::string> trace(CaptureJournaux& j, std::vector<std::string> prefixes) {
  std::vector<std::string> gardees;
  for (const std::string& l : j.debug())
    for (const std::string& p : prefixes)
      if (l.rfind(p, 0) == 0) gardees.push_back(l);
  return gardees;
}

std::vector<std::string> trace_deploiement(CaptureJournaux& j) {
  return trace(j, {"deploiement:", "deployer:"});
}

unite* poser(int tribu, int x, int y, int nb_hab) {
  ajouter_unite(tribu, x, y, nb_hab);
  return quelle_unite(x, y);
}

// A plain of the given size holding the two tribes.
void plaine(int x, int y) {
  construire_monde(x, y, BAS, 5);
  ajouter_tribu(TRIBU, 1, 2, 1);
  ajouter_tribu(AUTRE, 1, 2, 1);
}

// Every cell around (1, 1) of a 3 by 3 plain held by a full unit of the tribe.
unite* entoure_de_pleins(int nb_hab) {
  plaine(3, 3);
  for (int x = 0; x < 3; ++x)
    for (int y = 0; y < 3; ++y)
      if (x != 1 || y != 1) poser(TRIBU, x, y, 500);
  return poser(TRIBU, 1, 1, nb_hab);
}

std::string essai(int x, int y) {
  return "deploiement: Essai sur (" + std::to_string(x) + "," + std::to_string(y) + ")";
}

}  // namespace

TEST(Milieu, CoefficientSelonLAltitudeAuDessusDeNeuf) {
  plaine(3, 3);
  fixer_case(2, 2, MOYEN, 0, 0, 0, 0);
  const std::vector<std::pair<int, int>> ailleurs = {{9, 9}, {10, 8}, {12, 9}};
  for (auto [avant, apres] : ailleurs) {
    unite* u = poser(TRIBU, 2, 2, avant);
    CaptureJournaux j;
    EXPECT_EQ(evolution_demo_par_milieu(u), 1);
    EXPECT_EQ(u->nb_hab, apres);
    const std::string id = std::to_string(u->id);
    EXPECT_THAT(trace(j, {"evolution_demo_par_milieu"}),
                ElementsAre("evolution_demo_par_milieu: id_unite=" + id +
                                " nb_hab=" + std::to_string(avant),
                            "evolution_demo_par_milieu: id_unite=" + id +
                                " nb_hab=" + std::to_string(apres) + " c.c=0.800000"));
    supprimer_unite(u);
  }
  const std::vector<std::pair<int, int>> prefere = {{9, 9}, {10, 12}, {14, 16}};
  for (auto [avant, apres] : prefere) {
    unite* u = poser(TRIBU, 1, 1, avant);
    CaptureJournaux j;
    EXPECT_EQ(evolution_demo_par_milieu(u), 1);
    EXPECT_EQ(u->nb_hab, apres);
    const std::string id = std::to_string(u->id);
    EXPECT_THAT(trace(j, {"evolution_demo_par_milieu"}),
                ElementsAre("evolution_demo_par_milieu: avant id_unite=" + id +
                                " nb_hab=" + std::to_string(avant),
                            "evolution_demo_par_milieu: apres id_unite=" + id +
                                " nb_hab=" + std::to_string(apres) + " c.c=1.200000"));
    supprimer_unite(u);
  }
  CaptureJournaux j;
  EXPECT_EQ(evolution_demo_par_milieu(nullptr), 0);
  EXPECT_THAT(j.debug(), ElementsAre("evolution_demo_par_milieu: pointeur NULL"));
}

TEST(Surpopulation, DeploieSeulementAuDelaDuPopmax) {
  plaine(3, 3);
  unite* u = poser(TRIBU, 1, 1, 500);
  CaptureJournaux j;
  scripter_alea({});
  EXPECT_EQ(evolution_demo_par_surpop(u), 1);
  EXPECT_EQ(u->nb_hab, 500);
  EXPECT_EQ(alea_nb_tirages(), 0);
  EXPECT_EQ(deployer(nullptr), -1);
  EXPECT_EQ(evolution_demo_par_surpop(nullptr), 0);
  modifier(u, 501);
  EXPECT_EQ(deployer(u), 1);
  EXPECT_THAT(j.debug(),
              ElementsAre("deployer: nb_hab=500 popmax=500 donc pas de deploiement a faire",
                          "evolution_demo_par_surpop: pointeur NULL",
                          "deployer: nb_hab=501 popmax=500 donc deploiement a faire"));
}

TEST(Deploiement, SixCentsSurPlaineFondentUneUniteDeTroisCents) {
  plaine(5, 5);
  unite* u = poser(TRIBU, 2, 2, 600);
  CaptureJournaux j;
  scripter_alea({0});
  EXPECT_EQ(evolution_demo_par_surpop(u), 1);
  EXPECT_EQ(alea_tirages_restants(), 0);
  EXPECT_EQ(alea_nb_tirages(), 1);
  EXPECT_EQ(u->nb_hab, 300);
  EXPECT_THAT(trace_deploiement(j),
              ElementsAre("deployer: nb_hab=600 popmax=500 donc deploiement a faire", essai(1, 1),
                          "deploiement: 300 deployes"));
  const unite* nouvelle = quelle_unite(1, 1);
  ASSERT_NE(nouvelle, nullptr);
  EXPECT_EQ(nouvelle->code, TRIBU);
  EXPECT_EQ(nouvelle->x, 1);
  EXPECT_EQ(nouvelle->y, 1);
  EXPECT_EQ(nouvelle->nb_hab, 300);
  const civilisation* c = donner_civ(TRIBU);
  EXPECT_EQ(c->liste_unite.front().get(), nouvelle);
  EXPECT_EQ(c->nb_unites, 2);
  EXPECT_THAT(verifier_monde(), IsEmpty());

  // An odd population loses one inhabitant: 601 deploy 300 and keep 300.
  plaine(5, 5);
  u = poser(TRIBU, 2, 2, 601);
  scripter_alea({0});
  deploiement(u);
  EXPECT_EQ(u->nb_hab, 300);
  EXPECT_EQ(nb_habitants(1, 1), 300);
}

TEST(Deploiement, PremierePositionEssayeeSelonLaParite) {
  const std::vector<std::pair<int, int>> tirages_et_x = {{0, 1}, {1, 3}, {32766, 1}, {32767, 3}};
  for (auto [tirage, x] : tirages_et_x) {
    plaine(5, 5);
    unite* u = poser(TRIBU, 2, 2, 600);
    CaptureJournaux j;
    scripter_alea({tirage});
    deploiement(u);
    EXPECT_THAT(trace_deploiement(j), ElementsAre(essai(x, x), "deploiement: 300 deployes"))
        << "tirage " << tirage;
    EXPECT_EQ(nb_habitants(x, x), 300);
  }
}

TEST(Deploiement, EntoureDUnitesPleinesReprendCeQuiTientSurSaCase) {
  unite* u = entoure_de_pleins(520);
  CaptureJournaux j;
  scripter_alea({0});
  deploiement(u);
  EXPECT_EQ(u->nb_hab, 500);
  EXPECT_THAT(trace_deploiement(j),
              ElementsAre(essai(0, 0), essai(0, 1), essai(0, 2), essai(1, 0), essai(1, 2),
                          essai(2, 0), essai(2, 1), essai(2, 2),
                          "deploiement: il reste 260 a deployer", "deploiement: 240 revenus"));
  for (int x = 0; x < 3; ++x)
    for (int y = 0; y < 3; ++y) EXPECT_EQ(nb_habitants(x, y), 500);

  // 502 with an odd draw: the walk runs backwards; 249 come back and 2 are lost.
  u = entoure_de_pleins(502);
  CaptureJournaux j2;
  scripter_alea({1});
  deploiement(u);
  EXPECT_EQ(u->nb_hab, 500);
  EXPECT_THAT(trace_deploiement(j2),
              ElementsAre(essai(2, 2), essai(2, 1), essai(2, 0), essai(1, 2), essai(1, 0),
                          essai(0, 2), essai(0, 1), essai(0, 0),
                          "deploiement: il reste 251 a deployer", "deploiement: 249 revenus"));
  EXPECT_EQ(donner_civ(TRIBU)->nb_unites, 9);
}

TEST(Deploiement, MontagneEntoureeDeMer) {
  construire_monde(3, 3, MER, 5);
  ajouter_tribu(TRIBU, 1, 2, 1);
  fixer_case(1, 1, HAUT, 0, 0, 0, 0);
  unite* u = poser(TRIBU, 1, 1, 300);
  CaptureJournaux j;
  scripter_alea({0});
  EXPECT_EQ(evolution_demo_par_surpop(u), 1);
  EXPECT_EQ(u->nb_hab, 250);
  EXPECT_THAT(trace_deploiement(j),
              ElementsAre("deployer: nb_hab=300 popmax=250 donc deploiement a faire",
                          "deploiement: il reste 150 a deployer", "deploiement: 100 revenus"));
  EXPECT_EQ(donner_civ(TRIBU)->nb_unites, 1);

  // A free mountain neighbour takes its popmax of 250; the 50 left all come back.
  construire_monde(3, 3, MER, 5);
  ajouter_tribu(TRIBU, 1, 2, 1);
  fixer_case(1, 1, BAS, 0, 0, 0, 0);
  fixer_case(2, 2, HAUT, 0, 0, 0, 0);
  u = poser(TRIBU, 1, 1, 600);
  CaptureJournaux j2;
  scripter_alea({1});
  deploiement(u);
  EXPECT_EQ(u->nb_hab, 350);
  EXPECT_EQ(nb_habitants(2, 2), 250);
  EXPECT_THAT(trace_deploiement(j2),
              ElementsAre(essai(2, 2), "deploiement: 250 deployes",
                          "deploiement: il reste 50 a deployer", "deploiement: 50 revenus"));
  EXPECT_THAT(verifier_monde(), IsEmpty());
}

TEST(Deploiement, CompleteLesUnitesDeSaTribuEtPasseLesEtrangers) {
  plaine(5, 5);
  poser(TRIBU, 1, 1, 450);
  poser(AUTRE, 1, 2, 100);
  unite* u = poser(TRIBU, 2, 2, 600);
  CaptureJournaux j;
  scripter_alea({0});
  deploiement(u);
  EXPECT_EQ(u->nb_hab, 300);
  EXPECT_EQ(nb_habitants(1, 1), 500);
  EXPECT_EQ(nb_habitants(1, 2), 100);
  EXPECT_EQ(quelle_tribu(1, 3), TRIBU);
  EXPECT_EQ(nb_habitants(1, 3), 250);
  EXPECT_THAT(trace_deploiement(j),
              ElementsAre(essai(1, 1), "deploiement: 50 deployes", essai(1, 2), essai(1, 3),
                          "deploiement: 250 deployes"));

  // Room larger than what is left: the same-tribe unit takes all of it.
  plaine(5, 5);
  poser(TRIBU, 1, 1, 100);
  u = poser(TRIBU, 2, 2, 600);
  scripter_alea({0});
  deploiement(u);
  EXPECT_EQ(nb_habitants(1, 1), 400);
  EXPECT_EQ(nb_habitants(1, 2), -1);  // nothing left for the next cell
  EXPECT_THAT(verifier_monde(), IsEmpty());
}

TEST(Deploiement, EnCoinNeSortJamaisDeLaCarte) {
  plaine(3, 3);
  unite* u = poser(TRIBU, 0, 0, 1000);
  fixer_case(0, 1, HAUT, 0, 0, 0, 0);
  CaptureJournaux j;
  scripter_alea({0});
  deploiement(u);
  // D = 500: (0, 1) takes 250 and (1, 0) the remaining 250.
  EXPECT_THAT(trace_deploiement(j), ElementsAre(essai(0, 1), "deploiement: 250 deployes",
                                                essai(1, 0), "deploiement: 250 deployes"));
  EXPECT_EQ(u->nb_hab, 500);
  EXPECT_THAT(j.erreur(), IsEmpty());
  EXPECT_THAT(verifier_monde(), IsEmpty());
}
