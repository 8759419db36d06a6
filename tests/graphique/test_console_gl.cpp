// The window console: its ring of lines, the overlay and the cell panel, drawn into a recorder.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "commun/monde_test.h"
#include "commun/reinitialisation_test.h"
#include "graphique/console_gl.h"
#include "graphique/enregistreur.h"
#include "graphique/scene.h"
#include "graphique/textes_dessines.h"
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
  const struct {
    int largeur, x, y;
    std::string case_choisie;
  } cas[] = {
      {800, 150, 300, "Case: X=0 - Y=5"},
      {800, 649, 300, "Case: X=9 - Y=5"},
      {800, 650, 300, ""},
      {800, 400, 50, "Case: X=5 - Y=0"},
      {800, 400, 549, "Case: X=5 - Y=9"},
      {800, 400, 550, ""},
      {800, 200, 100, "Case: X=1 - Y=1"},
      {1600, 300, 300, "Case: X=0 - Y=5"},
      {1600, 1299, 300, "Case: X=9 - Y=5"},
      {1600, 1300, 300, ""},
  };
  for (const auto& c : cas) {
    fixer_taille_fenetre(c.largeur, 600);
    const lignes_t l = lignes(c.x, c.y);
    ASSERT_GE(l.size(), 2u);
    EXPECT_EQ(l[1], c.case_choisie.empty() ? "Pas de case selectionnee" : c.case_choisie)
        << c.largeur << " " << c.x << " " << c.y;
  }
  // The panel goes on the side away from the click; a click on the centre line puts it right.
  fixer_taille_fenetre(800, 600);
  for (const auto& [x, gauche] : {std::pair{399, 500}, {400, 500}, {401, 10}}) {
    const auto textes = panneau(x, 300);
    EXPECT_EQ(textes[0].x, gauche + 5);
    EXPECT_EQ(textes[0].y, 600 - 27);
    EXPECT_EQ(textes[1].y, 600 - 43);
  }
}
