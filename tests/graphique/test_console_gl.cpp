// The window console and its typed line: the ring of lines, the overlay and the cell panel drawn
// into a recorder; the timer chain and the typed line as a user drives them (E pressed twice
// within a timer period, a linefeed key, a run started with the console open).
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

using lignes_t = std::vector<std::string>;

TEST(ConsoleGl, LignesTropLonguesCoupees) {
  reinitialiser_couches();
  for (const std::string& t :
       {std::string(600, 'x') + "\n", std::string(200, '\t') + "fin\n", std::string("ok\n")})
    console_gl_ecrire(t.c_str());
  EXPECT_EQ(console_affichee(),
            (lignes_t{std::string(498, 'x'), std::string(498, ' '), "ok", "|"}));
}

class InfosCase : public testing::Test {
 protected:
  // A 10 by 10 world in an 800 by 600 window: the map spans x 150..650 and y 50..550.
  void SetUp() override {
    construire_monde(10, 10, BAS, 5, 1000);
    construire_scene();
    fixer_taille_fenetre(800, 600);
  }
  // The panel's texts for a click at (x, y).
  static std::vector<texte_dessine> panneau(int x, int y) {
    vue_gl v = lire_vue_gl();
    v.x_clic = x;
    v.y_clic = y;
    ecrire_vue_gl(v);
    return textes_dessines(enregistrer(dessiner_infos_case));
  }
  static lignes_t lignes(int x, int y) {
    lignes_t l;
    for (const texte_dessine& t : panneau(x, y)) l.push_back(t.texte);
    return l;
  }
};

TEST_F(InfosCase, ClicVersCaseEtCote) {
  // Seen from above, the panel describes the cell drawn under the click, whatever the window's
  // size; off the map there is none.
  vue_predefinie(1);
  for (const auto& [W, x, y] : {std::array{800, 400, 300},
                                {800, 160, 70},
                                {800, 640, 530},
                                {1600, 800, 300},
                                {1600, 330, 40},
                                {800, 5, 5},
                                {800, 795, 300}}) {
    fixer_taille_fenetre(W, 600);
    int cx = -1, cy = -1;
    const std::string attendue =
        case_sous_pointeur(x, y, cx, cy) != 0
            ? "Case: X=" + std::to_string(cx) + " - Y=" + std::to_string(cy)
            : "Pas de case selectionnee";
    const lignes_t l = lignes(x, y);
    ASSERT_GE(l.size(), 2u);
    EXPECT_EQ(l[1], attendue) << W << " " << x << " " << y;
  }
  fixer_taille_fenetre(800, 600);
  EXPECT_EQ(lignes(400, 300)[1], "Case: X=5 - Y=5");
  EXPECT_EQ(lignes(5, 5)[1], "Pas de case selectionnee");
  // The panel goes on the side away from the click; a click on the centre line puts it right.
  for (const auto& [x, gauche] : {std::pair{399, 500}, {400, 500}, {401, 10}}) {
    const auto textes = panneau(x, 300);
    EXPECT_EQ(textes[0].x, gauche + 5);
    EXPECT_EQ(textes[0].y, 600 - 27);
    EXPECT_EQ(textes[1].y, 600 - 43);
  }
}

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
