// Feeding: shortfalls, takings from the cell and the neighbours, the death of the unfed and the
// growth of a fed population, for the three diets.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "commun/monde_test.h"
#include "controle/alea.h"
#include "monde/carte.h"
#include "monde/terrain.h"
#include "population/civ.h"
#include "population/unites.h"
#include "regles/alimentation.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

constexpr int HERBI = 0;
constexpr int OMNI = 1;
constexpr int CARNI = 2;
// The tribe fed in every test, and a stranger.
constexpr int TRIBU = 5;
constexpr int AUTRE = 0;

// The messages written by the feeding rule itself, in order.
std::vector<std::string> trace_alimentation(CaptureJournaux& j) {
  std::vector<std::string> gardees;
  for (const std::string& l : j.debug())
    for (const char* prefixe :
         {"evolution_demo_par_alimentation", "besoin ", "consommation_tour", "tuer_"})
      if (l.rfind(prefixe, 0) == 0) gardees.push_back(l);
  return gardees;
}

unite* poser(int tribu, int x, int y, int nb_hab) {
  ajouter_unite(tribu, x, y, nb_hab);
  return quelle_unite(x, y);
}

// Water, wood, plant food, animal food of a cell.
std::vector<int> stocks(int x, int y) {
  const terrain* t = donner_terrain(x, y);
  return {t->ressources[EAU], t->ressources[BOIS], t->ressources[NOURRITURE_VEGETALE],
          t->ressources[NOURRITURE_ANIMALE]};
}

// A 5 by 5 plain with no resources; the tribe's unit stands on (2, 2), whose stocks are given.
unite* unite_au_centre(int regime, int nb_hab, int eau, int bois, int vegetale, int animale) {
  construire_monde(5, 5, BAS, 5);
  ajouter_tribu(TRIBU, regime, 2, 1);
  ajouter_tribu(AUTRE, regime, 1, 1);
  fixer_case(2, 2, BAS, eau, bois, vegetale, animale);
  return poser(TRIBU, 2, 2, nb_hab);
}

}  // namespace

TEST(Alimentation, HerbivoreNourriPrendSaPartEtCroitDeMoitie) {
  unite* u = unite_au_centre(HERBI, 10, 1000, 1000, 1000, 1000);
  CaptureJournaux j;
  scripter_alea({});
  EXPECT_EQ(evolution_demo_par_alimentation(u), 1);
  EXPECT_EQ(u->nb_hab, 15);
  EXPECT_THAT(stocks(2, 2), ElementsAre(900, 1000, 950, 1000));
  EXPECT_THAT(
      trace_alimentation(j),
      ElementsAre("evolution_demo_par_alimentation:(2,2) nb_habitants=10 r.a=0",
                  "besoin EAU: seuil_de_subsistance=100 qte dispo=1000",
                  "besoin BOIS: seuil_de_subsistance=40 qte dispo=1000",
                  "besoin NOURRITURE_VEGETALE: seuil_de_subsistance=50 qte dispo=1000",
                  "besoin NOURRITURE_ANIMALE: seuil_de_subsistance=0 qte dispo=1000",
                  "consommation_tour:EAU", "consommation_tour:qte consommee=100",
                  "consommation_tour:NOURRITURE_VEGETALE", "consommation_tour:qte consommee=50"));
  EXPECT_EQ(alea_nb_tirages(), 0);
  EXPECT_THAT(verifier_monde(), IsEmpty());
}

TEST(Alimentation, CroissanceTronquee) {
  unite* u = unite_au_centre(HERBI, 7, 1000, 1000, 1000, 0);
  evolution_demo_par_alimentation(u);
  EXPECT_EQ(u->nb_hab, 10);

  u = unite_au_centre(CARNI, 1, 1000, 1000, 0, 1000);
  evolution_demo_par_alimentation(u);
  EXPECT_EQ(u->nb_hab, 1);

  u = unite_au_centre(CARNI, 3, 1000, 1000, 0, 1000);
  evolution_demo_par_alimentation(u);
  EXPECT_EQ(u->nb_hab, 4);
  EXPECT_THAT(stocks(2, 2), ElementsAre(970, 1000, 0, 979));
}

TEST(Alimentation, ManqueDeCinqEauNeTuePersonneMaisEmpecheLaCroissance) {
  unite* u = unite_au_centre(HERBI, 10, 95, 1000, 1000, 0);
  CaptureJournaux j;
  evolution_demo_par_alimentation(u);
  EXPECT_EQ(u->nb_hab, 10);
  EXPECT_THAT(stocks(2, 2), ElementsAre(0, 1000, 950, 0));
  EXPECT_THAT(
      trace_alimentation(j),
      ElementsAre("evolution_demo_par_alimentation:(2,2) nb_habitants=10 r.a=0",
                  "besoin EAU: seuil_de_subsistance=100 qte dispo=95",
                  "besoin BOIS: seuil_de_subsistance=40 qte dispo=1000",
                  "besoin NOURRITURE_VEGETALE: seuil_de_subsistance=50 qte dispo=1000",
                  "besoin NOURRITURE_ANIMALE: seuil_de_subsistance=0 qte dispo=0",
                  "consommation_tour:EAU", "consommation_tour:qte consommee=95",
                  "consommation_tour:NOURRITURE_VEGETALE", "consommation_tour:qte consommee=50",
                  "tuer_herbi_non_nourris:mise a mort de 0 habitants qui n'ont pas bu"));
}

TEST(Alimentation, CarnivoreAffameEntoureDEtrangersMeurtEnEntier) {
  construire_monde(3, 3, BAS, 5, 1000);
  ajouter_tribu(TRIBU, CARNI, 2, 1);
  ajouter_tribu(AUTRE, CARNI, 1, 1);
  fixer_case(1, 1, BAS, 1000, 1000, 1000, 0);
  for (int x = 0; x < 3; ++x)
    for (int y = 0; y < 3; ++y)
      if (x != 1 || y != 1) poser(AUTRE, x, y, 5);
  unite* u = poser(TRIBU, 1, 1, 20);
  CaptureJournaux j;
  evolution_demo_par_alimentation(u);
  EXPECT_EQ(u->nb_hab, 0);
  EXPECT_TRUE(contient(trace_alimentation(j),
                       "tuer_carni_non_nourris:mise a mort de 20 habitants qui n'ont pas mange"));
  // The strangers' food is never touched.
  for (int x = 0; x < 3; ++x)
    for (int y = 0; y < 3; ++y)
      if (x != 1 || y != 1) {
        EXPECT_THAT(stocks(x, y), ElementsAre(1000, 1000, 1000, 1000));
      }
  // The unit is left on the map with no inhabitants: removing it is the turn's business.
  EXPECT_EQ(quelle_unite(1, 1), u);

  // As many thirsty as hungry: the thirsty are counted, with the thirst message.
  u = unite_au_centre(CARNI, 10, 0, 1000, 0, 0);
  CaptureJournaux j2;
  evolution_demo_par_alimentation(u);
  EXPECT_EQ(u->nb_hab, 0);
  EXPECT_TRUE(contient(trace_alimentation(j2),
                       "tuer_carni_non_nourris:mise a mort de 10 habitants qui n'ont pas bu"));
}

TEST(Alimentation, OmnivoreAvecEauEtUneNourritureCroitSansRienPrendre) {
  unite* u = unite_au_centre(OMNI, 10, 1000, 1000, 1000, 0);
  CaptureJournaux j;
  evolution_demo_par_alimentation(u);
  EXPECT_EQ(u->nb_hab, 15);
  EXPECT_THAT(stocks(2, 2), ElementsAre(1000, 1000, 1000, 0));
  EXPECT_EQ(trace_alimentation(j).size(), 5u);  // the opening line and the four shortfalls

  u = unite_au_centre(OMNI, 10, 1000, 1000, 0, 1000);
  evolution_demo_par_alimentation(u);
  EXPECT_EQ(u->nb_hab, 15);
  EXPECT_THAT(stocks(2, 2), ElementsAre(1000, 1000, 0, 1000));
}

TEST(Alimentation, OmnivoreAssoiffeMaisPourvuEnVegetauxNiMeurtNiCroit) {
  unite* u = unite_au_centre(OMNI, 10, 50, 1000, 1000, 0);
  fixer_case(1, 1, BAS, 1000, 0, 0, 0);
  CaptureJournaux j;
  evolution_demo_par_alimentation(u);
  EXPECT_EQ(u->nb_hab, 10);
  EXPECT_THAT(stocks(2, 2), ElementsAre(0, 1000, 950, 0));
  EXPECT_THAT(stocks(1, 1), ElementsAre(1000, 0, 0, 0));  // the search never happens
  const auto trace = trace_alimentation(j);
  EXPECT_EQ(trace.back(), "consommation_tour:qte consommee=50");
}

TEST(Alimentation, OmnivoreCompleteLesVegetauxParLaViande) {
  // Neither food alone feeds all 10. 20 plant food feed 4; the 6 others need 42 animal food,
  // and 50 are there.
  unite* u = unite_au_centre(OMNI, 10, 1000, 1000, 20, 50);
  CaptureJournaux j;
  evolution_demo_par_alimentation(u);
  EXPECT_EQ(u->nb_hab, 10);
  EXPECT_THAT(stocks(2, 2), ElementsAre(900, 1000, 0, 8));
  const auto trace = trace_alimentation(j);
  ASSERT_GE(trace.size(), 2u);
  EXPECT_EQ(trace[trace.size() - 2], "evolution_demo_par_alimentation:qte_necess_anim=42");
  EXPECT_EQ(trace.back(), "evolution_demo_par_alimentation:qte_dispo_anim=50");

  // Only 14 animal food: 2 more are fed, 4 stay unfed and either food may feed them; the first
  // neighbour gives 8 plant food, so 12 plant (2 people) and 28 animal (4 people) are missing.
  u = unite_au_centre(OMNI, 10, 1000, 1000, 20, 14);
  fixer_case(1, 1, BAS, 0, 0, 8, 0);
  CaptureJournaux j2;
  evolution_demo_par_alimentation(u);
  EXPECT_EQ(u->nb_hab, 8);
  EXPECT_THAT(stocks(2, 2), ElementsAre(900, 1000, 0, 0));
  EXPECT_THAT(stocks(1, 1), ElementsAre(0, 0, 0, 0));
  EXPECT_TRUE(contient(trace_alimentation(j2),
                       "tuer_omni_non_nourris:mise a mort de 2 habitants qui n'ont pas mange"));

  // No water at all: the 10 thirsty outnumber the 6 hungry, yet the message speaks of food.
  u = unite_au_centre(OMNI, 10, 0, 1000, 20, 0);
  CaptureJournaux j3;
  evolution_demo_par_alimentation(u);
  EXPECT_EQ(u->nb_hab, 0);
  EXPECT_TRUE(contient(trace_alimentation(j3),
                       "tuer_omni_non_nourris:mise a mort de 10 habitants qui n'ont pas mange"));
}

TEST(Alimentation, VoisinsVisitesDansLOrdreFixeEtEtrangersIgnores) {
  // Water short by 100 and wood by 40 at (1, 1). (0, 0), first in the order, belongs to a
  // stranger; (0, 1) is free; (0, 2) holds a unit of the same tribe.
  construire_monde(4, 4, BAS, 5);
  ajouter_tribu(TRIBU, HERBI, 2, 1);
  ajouter_tribu(AUTRE, HERBI, 1, 1);
  fixer_case(1, 1, BAS, 0, 0, 1000, 0);
  fixer_case(0, 0, BAS, 1000, 1000, 0, 0);
  fixer_case(0, 1, BAS, 60, 0, 0, 0);
  fixer_case(0, 2, BAS, 60, 100, 0, 0);
  fixer_case(1, 0, BAS, 500, 500, 0, 0);
  poser(AUTRE, 0, 0, 5);
  poser(TRIBU, 0, 2, 5);
  unite* u = poser(TRIBU, 1, 1, 10);
  besoins_t besoins{100, 40, 0, 0};
  EXPECT_EQ(chercher_ressources_voisines(u, besoins), 1);
  EXPECT_THAT(besoins, ElementsAre(0, 0, 0, 0));
  EXPECT_THAT(stocks(0, 0), ElementsAre(1000, 1000, 0, 0));
  EXPECT_THAT(stocks(0, 1), ElementsAre(0, 0, 0, 0));
  EXPECT_THAT(stocks(0, 2), ElementsAre(20, 60, 0, 0));
  EXPECT_THAT(stocks(1, 0), ElementsAre(500, 500, 0, 0));  // the search stopped before it

  // Met by the neighbours, the shortfall no longer prevents growth.
  fixer_case(1, 1, BAS, 95, 1000, 1000, 0);
  fixer_case(0, 0, BAS, 3, 0, 0, 0);  // a stranger's: passed over
  fixer_case(0, 1, BAS, 3, 0, 0, 0);
  fixer_case(0, 2, BAS, 10, 0, 0, 0);
  evolution_demo_par_alimentation(u);
  EXPECT_EQ(u->nb_hab, 15);
  EXPECT_THAT(stocks(0, 0), ElementsAre(3, 0, 0, 0));
  EXPECT_THAT(stocks(0, 1), ElementsAre(0, 0, 0, 0));
  EXPECT_THAT(stocks(0, 2), ElementsAre(8, 0, 0, 0));

  // Short of what no neighbour holds: 0, and the shortfall left.
  besoins = {0, 0, 0, 70};
  EXPECT_EQ(chercher_ressources_voisines(u, besoins), 0);
  EXPECT_THAT(besoins, ElementsAre(0, 0, 0, 70));
  // A shortfall below 0 is not a met one: the eight positions are all asked (six empty cells
  // answer through the unit accessor), nothing is taken and the result is 0.
  besoins = {-10, 0, 0, 0};
  CaptureJournaux j;
  EXPECT_EQ(chercher_ressources_voisines(u, besoins), 0);
  EXPECT_THAT(besoins, ElementsAre(-10, 0, 0, 0));
  EXPECT_EQ(compter(j.debug(), "code:L'unite demandee est vide"), 6);
  EXPECT_THAT(verifier_monde(), IsEmpty());
}

TEST(Alimentation, LaMerEstUneSourceDEauInepuisable) {
  construire_monde(3, 3, BAS, 5);
  ajouter_tribu(TRIBU, HERBI, 2, 1);
  fixer_case(0, 0, MER, 0, 0, 0, 0);
  fixer_case(0, 1, BAS, 50, 0, 0, 0);
  fixer_case(1, 1, BAS, 0, 1000, 1000, 0);
  unite* u = poser(TRIBU, 1, 1, 10);
  CaptureJournaux j;
  evolution_demo_par_alimentation(u);
  EXPECT_EQ(u->nb_hab, 15);
  EXPECT_THAT(stocks(0, 0), ElementsAre(7000, 0, 0, 0));
  EXPECT_THAT(stocks(0, 1), ElementsAre(50, 0, 0, 0));
  // The search stops after the sea: only that one empty cell was asked for its tribe.
  EXPECT_EQ(compter(j.debug(), "code:L'unite demandee est vide"), 1);
}

TEST(Alimentation, UniteEnCoinNePuiseQueSurSesTroisVoisins) {
  construire_monde(3, 3, BAS, 5);
  ajouter_tribu(TRIBU, HERBI, 2, 1);
  fixer_case(0, 0, BAS, 0, 1000, 1000, 0);
  fixer_case(0, 1, BAS, 30, 0, 0, 0);
  fixer_case(1, 0, BAS, 30, 0, 0, 0);
  fixer_case(1, 1, BAS, 70, 0, 0, 0);
  unite* u = poser(TRIBU, 0, 0, 10);
  CaptureJournaux j;
  evolution_demo_par_alimentation(u);
  EXPECT_EQ(u->nb_hab, 15);
  // Order (0, 1), (1, 0), (1, 1): the last one gives only the 40 still missing.
  EXPECT_THAT(stocks(0, 1), ElementsAre(0, 0, 0, 0));
  EXPECT_THAT(stocks(1, 0), ElementsAre(0, 0, 0, 0));
  EXPECT_THAT(stocks(1, 1), ElementsAre(30, 0, 0, 0));
  EXPECT_THAT(j.erreur(), IsEmpty());
}

TEST(Alimentation, MiseAMortSelonLeRegimeEtLaSoif) {
  unite* u = unite_au_centre(HERBI, 10, 0, 0, 0, 0);
  CaptureJournaux j;
  // 3 thirsty, 3 hungry: the thirsty are counted.
  tuer_herbi_non_nourris(u, {30, 0, 15, 0});
  EXPECT_EQ(u->nb_hab, 7);
  // 2 thirsty, 3 hungry.
  tuer_herbi_non_nourris(u, {20, 0, 15, 0});
  EXPECT_EQ(u->nb_hab, 4);
  // Another diet's killing step does nothing.
  tuer_carni_non_nourris(u, {0, 0, 0, 21});
  tuer_omni_non_nourris(u, {0, 0, 10, 21});
  EXPECT_EQ(u->nb_hab, 4);
  EXPECT_THAT(trace_alimentation(j),
              ElementsAre("tuer_herbi_non_nourris:mise a mort de 3 habitants qui n'ont pas bu",
                          "tuer_herbi_non_nourris:mise a mort de 3 habitants qui n'ont pas mange"));

  // The omnivore's hungry are the fewer of the two food counts.
  u = unite_au_centre(OMNI, 10, 0, 0, 0, 0);
  tuer_omni_non_nourris(u, {0, 0, 10, 70});
  EXPECT_EQ(u->nb_hab, 8);
  tuer_omni_non_nourris(u, {30, 0, 10, 70});
  EXPECT_EQ(u->nb_hab, 5);
}

TEST(Alimentation, ConsommationEtBesoinHorsBornes) {
  unite* u = unite_au_centre(HERBI, 10, 1000, 30, 1000, 30);
  CaptureJournaux j;
  EXPECT_EQ(consommation_tour(nullptr, EAU), -1);
  EXPECT_EQ(consommation_tour(u, -1), -1);
  EXPECT_EQ(consommation_tour(u, 5), -1);
  EXPECT_EQ(besoin(nullptr, EAU), -1);
  EXPECT_EQ(besoin(u, 4), -1);
  EXPECT_EQ(besoin(u, 5), -1);
  EXPECT_EQ(evolution_demo_par_alimentation(nullptr), 0);
  EXPECT_THAT(j.debug(), IsEmpty());

  // Code 4 names no resource: nothing is taken, the cell query reports it.
  EXPECT_EQ(consommation_tour(u, 4), 0);
  EXPECT_THAT(j.debug(), ElementsAre("consommation_tour:RESSOURCE INEXISTANTE",
                                     "consommation_tour:qte consommee=0"));
  EXPECT_THAT(j.erreur(), ElementsAre("combien_ressouce: la ressource n'existe pas",
                                      "combien_ressouce: la ressource n'existe pas"));

  // The diet plays no part in consommation_tour, which takes nothing itself; it does in besoin.
  EXPECT_EQ(consommation_tour(u, NOURRITURE_ANIMALE), 30);
  EXPECT_EQ(consommation_tour(u, BOIS), 30);
  EXPECT_EQ(consommation_tour(u, EAU), 100);
  EXPECT_EQ(besoin(u, NOURRITURE_ANIMALE), 0);
  EXPECT_EQ(besoin(u, BOIS), 10);
  EXPECT_EQ(besoin(u, EAU), 0);
  EXPECT_THAT(stocks(2, 2), ElementsAre(1000, 30, 1000, 30));
}
