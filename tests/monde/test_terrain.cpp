// Terrain: creation checks, accessors on a missing terrain, the two modifiers, conso and the
// climate drift with scripted draws.
#include <gtest/gtest.h>

#include "commun/monde_test.h"
#include "controle/alea.h"
#include "monde/terrain.h"

TEST(Terrain, CreationHorsBornes) {
  reinitialiser_monde();
  CaptureJournaux journaux;
  auto t = creer_terrain(5, 12);
  EXPECT_EQ(t->altitude, BAS);
  EXPECT_EQ(t->climat, 0);
  EXPECT_EQ(t->popmax, 500);
  EXPECT_EQ(t->ressources, (std::array<std::int32_t, 4>{0, 0, 0, 0}));
  const auto lignes = journaux.debug();
  ASSERT_EQ(lignes.size(), 2u);
  EXPECT_NE(lignes[0].find(
                "climat passe en parametre n'est pas dans les bornes fixees mais initialise a 0"),
            std::string::npos);
  EXPECT_NE(
      lignes[1].find("altitude passee en parametre n'a pas une valeur connue mais initialisee a 1"),
      std::string::npos);

  for (int a = MER; a <= HAUT; ++a) EXPECT_EQ(creer_terrain(a, 9)->popmax, pop_terrain(a));
  EXPECT_EQ(pop_terrain(MER), 0);
  EXPECT_EQ(pop_terrain(MOYEN), 400);
  EXPECT_EQ(pop_terrain(HAUT), 250);
  EXPECT_EQ(pop_terrain(4), -1);
  EXPECT_TRUE(contient(journaux.debug(), "pop_terrain - altitude 4 inconnue, renvoie -1"));
}

TEST(Terrain, AccesseursEtModificateursRefusent) {
  reinitialiser_monde();
  CaptureJournaux journaux;
  EXPECT_EQ(donner_altitude(nullptr), -1);
  EXPECT_EQ(donner_climat(nullptr), -1);
  EXPECT_EQ(donner_popmax(nullptr), -1);
  EXPECT_EQ(t_donner_ressources(nullptr, EAU), -1);
  EXPECT_EQ(modifier_altitude(nullptr, BAS), 0);
  EXPECT_EQ(modifier_ressources(nullptr, EAU, 3), 0);
  EXPECT_EQ(conso(nullptr), -1);
  EXPECT_EQ(evolution_climat(nullptr, 5), 0);
  const auto lignes = journaux.debug();
  EXPECT_TRUE(contient(lignes, "donner_popmax - pointeur NULL passe en parametre, renvoie false"));
  EXPECT_TRUE(contient(lignes, "conso - pointeur NULL passe en parametre, -1 est renvoye"));

  auto t = creer_terrain(MOYEN, 4);
  EXPECT_EQ(t_donner_ressources(t.get(), 4), -1);
  EXPECT_EQ(t_donner_ressources(t.get(), -1), -1);
  EXPECT_TRUE(contient(journaux.debug(), "t_donner_ressources - ressource 4 inconnue, renvoie -1"));
  EXPECT_EQ(modifier_altitude(t.get(), 4), 0);
  EXPECT_EQ(t->altitude, MOYEN);
  EXPECT_EQ(modifier_altitude(t.get(), HAUT), 1);
  EXPECT_EQ(t->popmax, 250);

  // Negative quantities and unknown codes change nothing on land; values are replaced, with no
  // ceiling applied.
  EXPECT_EQ(modifier_ressources(t.get(), BOIS, 120), 1);
  EXPECT_EQ(modifier_ressources(t.get(), BOIS, -1), 0);
  EXPECT_EQ(modifier_ressources(t.get(), 4, 10), 0);
  EXPECT_EQ(modifier_ressources(t.get(), EAU, 9000), 1);
  EXPECT_EQ(t->ressources, (std::array<std::int32_t, 4>{9000, 120, 0, 0}));
}

TEST(Terrain, LaMerEstRemiseAPleineEauParToutChangement) {
  reinitialiser_monde();
  CaptureJournaux journaux;
  auto mer = creer_terrain(MER, 3);
  EXPECT_EQ(modifier_ressources(mer.get(), BOIS, 500), 1);
  EXPECT_EQ(mer->ressources, (std::array<std::int32_t, 4>{7000, 0, 0, 0}));
  mer->ressources[EAU] = 10;
  // Even a refused request (negative, unknown code) resets the sea and counts as done.
  EXPECT_EQ(modifier_ressources(mer.get(), EAU, -5), 1);
  EXPECT_EQ(modifier_ressources(mer.get(), 9, 5), 1);
  EXPECT_EQ(mer->ressources[EAU], 7000);
  EXPECT_EQ(compter(journaux.debug(), "modifier_ressources - terrain " +
                                          std::string(testing::internal::StreamableToString(
                                              static_cast<void*>(mer.get()))) +
                                          ": MER ressource non modifiee"),
            3);
}

TEST(Terrain, ConsoSelonLeClimat) {
  auto t = creer_terrain(BAS, 9);
  t->ressources = {6900, 0, 10, 6990};
  EXPECT_EQ(conso(t.get()), 1);
  EXPECT_EQ(t->ressources, (std::array<std::int32_t, 4>{7000, 450, 460, 7000}));

  // Drought: every stock above 0 loses a third, truncated; the sea too.
  for (int altitude : {BAS, MER}) {
    auto sec = creer_terrain(altitude, 0);
    sec->ressources = {100, 2, 1, 0};
    EXPECT_EQ(conso(sec.get()), 1);
    EXPECT_EQ(sec->ressources, (std::array<std::int32_t, 4>{66, 1, 0, 0}));
  }

  auto mer = creer_terrain(MER, 3);
  mer->ressources = {4666, 0, 0, 0};
  EXPECT_EQ(conso(mer.get()), 1);
  EXPECT_EQ(mer->ressources[EAU], 4666);
}

TEST(Terrain, DeriveDuClimat) {
  reinitialiser_monde();
  // k = r * 5 / 32768: 0 for r = 0, 4 for r = 32767, 2 for r = 16384.
  auto moyen = creer_terrain(MOYEN, 5);
  scripter_alea({0});
  EXPECT_EQ(evolution_climat(moyen.get(), 5), 1);
  EXPECT_EQ(moyen->climat, 7);
  moyen->climat = 5;
  scripter_alea({32767});
  evolution_climat(moyen.get(), 5);
  EXPECT_EQ(moyen->climat, 3);

  // The halfway step truncates toward zero: (0 - 5) / 2 is -2.
  moyen->climat = 5;
  scripter_alea({0});
  evolution_climat(moyen.get(), 0);
  EXPECT_EQ(moyen->climat, 5);

  CaptureJournaux journaux;
  auto haut = creer_terrain(HAUT, 4);
  scripter_alea({16384});
  evolution_climat(haut.get(), 4);
  EXPECT_EQ(haut->climat, 4);
  haut->climat = 9;
  scripter_alea({16384});
  evolution_climat(haut.get(), 9);
  EXPECT_EQ(haut->climat, 9);
  haut->climat = 2;
  scripter_alea({16384});
  evolution_climat(haut.get(), 2);
  EXPECT_EQ(haut->climat, 1);
  const std::string p = testing::internal::StreamableToString(static_cast<void*>(haut.get()));
  const auto lignes = journaux.debug();
  EXPECT_EQ(lignes, (std::vector<std::string>{
                        "evolution_climat - climat du terrain " + p + ": avant-> 4",
                        "evolution_climat - climat du terrain " + p + ": apres-> 4",
                        "evolution_climat - climat du terrain " + p + ": avant-> 9",
                        "evolution_climat - climat du terrain " + p + ": apres-> 9",
                        "evolution_climat - climat du terrain " + p +
                            ": altitude=HAUT donc climat plus rude apres-> 10",
                        "evolution_climat - climat du terrain " + p +
                            ": recalibrage du climat dans les bornes apres-> 9",
                        "evolution_climat - climat du terrain " + p + ": avant-> 2",
                        "evolution_climat - climat du terrain " + p + ": apres-> 2",
                        "evolution_climat - climat du terrain " + p +
                            ": altitude=HAUT donc climat plus rude apres-> 1",
                    }));

  // Low ground and sea grow wetter; the result never leaves 0..9.
  auto mer = creer_terrain(MER, 0);
  scripter_alea({32767});
  evolution_climat(mer.get(), 0);
  EXPECT_EQ(mer->climat, 0);
  auto bas = creer_terrain(BAS, 9);
  scripter_alea({0});
  evolution_climat(bas.get(), 9);
  EXPECT_EQ(bas->climat, 9);

  // A push outside 0..9 is refused without a draw.
  scripter_alea({});
  EXPECT_EQ(evolution_climat(bas.get(), 10), 0);
  EXPECT_EQ(evolution_climat(bas.get(), -1), 0);
  EXPECT_EQ(bas->climat, 9);
  EXPECT_EQ(alea_nb_tirages(), 0);
}
