// The window console: its ring of lines, the overlay and the cell panel, drawn into a recorder.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "commun/monde_test.h"
#include "graphique/console_gl.h"
#include "graphique/enregistreur.h"
#include "graphique/scene.h"
#include "graphique/textes_dessines.h"
#include "monde/carte.h"
#include "population/civ.h"
#include "population/unites.h"
#include "socle/parametres.h"

using lignes_t = std::vector<std::string>;

namespace {

void ecrire(const std::vector<std::string>& textes) {
  for (const std::string& t : textes) console_gl_ecrire(t.c_str());
}

// "L<i>\n" for i in [de, a).
void ecrire_lignes(int de, int a) {
  for (int i = de; i < a; ++i) console_gl_ecrire(("L" + std::to_string(i) + "\n").c_str());
}

// "L<i>" for i in [de, a), then the blank input bar.
lignes_t vue_lignes(int de, int a) {
  lignes_t l;
  for (int i = de; i < a; ++i) l.push_back("L" + std::to_string(i));
  l.push_back("|");
  return l;
}

}  // namespace

class ConsoleGl : public testing::Test {
 protected:
  void SetUp() override { reinitialiser_programme(); }
};

TEST_F(ConsoleGl, DixSeptLignesEtDefilement) {
  ecrire_lignes(0, 20);
  EXPECT_EQ(console_affichee(), vue_lignes(3, 20));
  for (int i = 0; i < 3; ++i) console_gl_remonter();
  EXPECT_EQ(console_affichee(), vue_lignes(0, 17));
  // Back no further than the oldest written line, forward no further than the newest 17.
  console_gl_remonter();
  EXPECT_EQ(console_affichee(), vue_lignes(0, 17));
  for (int i = 0; i < 5; ++i) console_gl_descendre();
  EXPECT_EQ(console_affichee(), vue_lignes(3, 20));
  // A new line brings the view back to the newest lines.
  console_gl_remonter();
  ecrire_lignes(20, 21);
  EXPECT_EQ(console_affichee(), vue_lignes(4, 21));

  // After the ring has wrapped, the oldest line kept is the one after the current line.
  init_console_gl();
  ecrire_lignes(0, 60);
  for (int i = 0; i < 60; ++i) console_gl_remonter();
  EXPECT_EQ(console_affichee(), vue_lignes(11, 28));

  // Clearing blanks the text; what follows is written from the start of the line.
  console_gl_ecrire("abc");
  console_gl_vider();
  console_gl_ecrire("de");
  EXPECT_EQ(console_affichee(), (lignes_t{"de|"}));
}

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
