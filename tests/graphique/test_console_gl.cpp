// The window console: its ring of lines, the overlay and the cell panel, drawn into a recorder.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "commun/monde_test.h"
#include "commun/reinitialisation_test.h"
#include "graphique/console_gl.h"
#include "graphique/enregistreur.h"
#include "graphique/pointage.h"
#include "graphique/scene.h"
#include "graphique/textes_dessines.h"
#include "graphique/vue.h"
#include "graphique/vue_gl.h"
#include "monde/carte.h"
#include "monde/terrain.h"
#include "population/civ.h"
#include "population/unites.h"
#include "socle/parametres.h"

using lignes_t = std::vector<std::string>;

namespace {

void ecrire(const std::vector<std::string>& textes) {
  for (const std::string& t : textes) console_gl_ecrire(t.c_str());
}

}  // namespace

class ConsoleGl : public testing::Test {
 protected:
  void SetUp() override { reinitialiser_couches(); }
};

TEST_F(ConsoleGl, LignesTropLonguesCoupees) {
  ecrire({std::string(600, 'x') + "\n", std::string(200, '\t') + "fin\n", "ok\n"});
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
    enregistreur e;
    fixer_dessin(&e);
    dessiner_infos_case();
    fixer_dessin(nullptr);
    return textes_dessines(e);
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
  fixer_taille_fenetre(800, 600);
  for (const auto& [x, gauche] : {std::pair{399, 500}, {400, 500}, {401, 10}}) {
    const auto textes = panneau(x, 300);
    EXPECT_EQ(textes[0].x, gauche + 5);
    EXPECT_EQ(textes[0].y, 600 - 27);
    EXPECT_EQ(textes[1].y, 600 - 43);
  }
}
