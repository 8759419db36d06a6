// The window's timer chain and typed line as a user drives them: E pressed twice within a timer
// period, a linefeed key, a run started with the console open.
#include <gtest/gtest.h>

#include <array>
#include <map>
#include <string>
#include <vector>

#include "commun/monde_test.h"
#include "commun/reinitialisation_test.h"
#include "console/console.h"
#include "graphique/clavier.h"
#include "graphique/console_gl.h"
#include "graphique/enregistreur.h"
#include "graphique/fenetre_test.h"
#include "graphique/pointage.h"
#include "graphique/scene.h"
#include "graphique/textes_dessines.h"
#include "graphique/vue.h"
#include "graphique/vue_gl.h"
#include "monde/terrain.h"
#include "socle/parametres.h"

namespace {

// The window's timer as the toolkit runs it: each arming takes its generation number, as the
// window's glue does, and the ticks come back in order of their due time.
class horloge {
 public:
  explicit horloge(enregistreur& e) : e_(e) {}
  // Arms what the calls made since the last look asked for, at time `maintenant`.
  void relever(int maintenant) {
    for (const appel& a : e_.appels)
      if (a.nom == "armer_minuterie")
        attente_.emplace((maintenant + static_cast<int>(a.valeurs[0])) * 1000 + sequence_++ % 1000,
                         noter_armement_minuterie());
    e_.appels.clear();
  }
  // Delivers every tick due by `jusqua` (milliseconds), in order.
  void avancer(int& maintenant, int jusqua) {
    while (!attente_.empty() && attente_.begin()->first / 1000 <= jusqua) {
      const auto [quand, generation] = *attente_.begin();
      attente_.erase(attente_.begin());
      maintenant = quand / 1000;
      tic_minuterie(generation);
      relever(maintenant);
    }
    maintenant = jusqua;
  }

 private:
  enregistreur& e_;
  std::multimap<int, int> attente_;  // due time x 1000 + arming order, generation
  int sequence_ = 0;
};

}  // namespace

TEST_F(Fenetre, EDeuxFoisNArretePasLaJournee) {
  horloge h(e);
  fixer_delai_minuterie(500);
  fixer_pas_heure(0.5f);
  vue_gl v = lire_vue_gl();
  v.heure = 14.0f;
  ecrire_vue_gl(v);
  int t = 0;
  clavier('e', 0, 0);  // start: first tick after 10 ms
  h.relever(t);
  h.avancer(t, 100);  // one tick at 10 ms, the next due at 510 ms
  EXPECT_FLOAT_EQ(lire_vue_gl().heure, 14.5f);
  // E E within the period: stop and start again at once.
  clavier('e', 0, 0);
  clavier('e', 0, 0);
  h.relever(t);
  // The fresh chain's tick (110 ms) runs; the old one (510 ms) is stale and dropped.
  h.avancer(t, 120);
  EXPECT_FLOAT_EQ(lire_vue_gl().heure, 15.0f) << "the fresh tick must not be dropped";
  h.avancer(t, 2000);
  // From then on one chain only: ticks at 110, 610, 1110, 1610 ms.
  EXPECT_FLOAT_EQ(lire_vue_gl().heure, 16.5f);
  // Stopped, nothing more comes, and a stop-start-stop leaves no chain running.
  clavier('e', 0, 0);
  clavier('e', 0, 0);
  clavier('e', 0, 0);
  h.relever(t);
  h.avancer(t, 10000);
  EXPECT_FLOAT_EQ(lire_vue_gl().heure, 16.5f);
  EXPECT_EQ(animation_active(), 0);
}

TEST_F(Fenetre, SautDeLigneCommeEntreeEtInviteDesLeDepart) {
  fixer_entree_sortie(lire_car_gl, console_gl_ecrire);
  drapeaux().console = 1;
  // A run started with the console open shows the prompt mark before any key.
  ouvrir_saisie();
  EXPECT_EQ(console_affichee(), std::vector<std::string>{">|"});
  // Ctrl-J (a linefeed) ends the line like Enter, and nothing of it stays in the line.
  for (unsigned char c : std::string("sh\n")) clavier(c, 0, 0);
  EXPECT_EQ(lire_vue_gl().ligne_prete, 1);
  EXPECT_EQ(lire_ligne(), "sh");
  clavier('a', 0, 0);
  const std::vector<std::string> ecran = console_affichee();
  EXPECT_EQ(ecran, (std::vector<std::string>{">sh", ">a|"}));
}
