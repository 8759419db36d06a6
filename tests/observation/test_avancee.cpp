// Advancing the world: every step counted, and each stop with its reason.
#include <gtest/gtest.h>

#include <csignal>
#include <vector>

#include "commun/capture.h"
#include "commun/monde_test.h"
#include "commun/reinitialisation_test.h"
#include "commun/tribus_test.h"
#include "monde/terrain.h"
#include "observation/avancee.h"
#include "observation/statistiques.h"
#include "population/civ.h"
#include "socle/signaux.h"

namespace {

// One tribe on a small plain, so that every step writes its tribe's line.
void petit_monde() {
  construire_monde(3, 3, BAS, 5, 7000);
  ajouter_tribu(0, HERBIVORE, PACIFIQUE, BAS);
  ajouter_unite(0, 1, 1, 50);
}

}  // namespace

TEST(Avancee, ArretsEntreDeuxPasEtLeursRaisons) {
  petit_monde();
  installer_signaux(1);
  std::vector<std::int64_t> suivis;
  {
    CaptureSortie sortie;
    // Ctrl-C during the second step: the steps stop before the third, and the interruption is
    // left for the caller to take. A pending one runs no step at all.
    const avancee b = avancer(5, [&](std::int64_t fait) {
      suivis.push_back(fait);
      if (fait == 2) std::raise(SIGINT);
    });
    EXPECT_EQ(suivis, (std::vector<std::int64_t>{1, 2}));
    EXPECT_EQ(b.fin, fin_avancee::interruption);
    EXPECT_EQ(b.pas_joues, 2);
    EXPECT_EQ(avancer(1).fin, fin_avancee::interruption);
    EXPECT_EQ(prendre_interruption(), 1);
    EXPECT_EQ(nombre_de_pas(), 2);

    // A request to end the run stops the steps even when an interruption is also pending.
    std::raise(SIGINT);
    std::raise(SIGTERM);
    const avancee c = avancer(4);
    EXPECT_EQ(c.fin, fin_avancee::arret);
    EXPECT_EQ(c.pas_joues, 0);
    EXPECT_EQ(nombre_de_pas(), 2);
  }
  reinitialiser_couches();
}
