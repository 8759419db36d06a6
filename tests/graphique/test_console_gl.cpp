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

// The recorded vertices of the primitive blocks of one kind, as (x, y) pairs.
std::vector<std::vector<double>> sommets(const enregistreur& e, primitive p) {
  std::vector<std::vector<double>> r;
  bool dedans = false;
  for (const appel& a : e.appels) {
    if (a.nom == "debut") dedans = a.valeurs[0] == static_cast<double>(p);
    if (a.nom == "fin") dedans = false;
    if (dedans && a.nom == "sommet") r.push_back({a.valeurs[0], a.valeurs[1]});
  }
  return r;
}

}  // namespace

class ConsoleGl : public testing::Test {
 protected:
  void SetUp() override { reinitialiser_programme(); }
};

TEST_F(ConsoleGl, InviteRepliementEtTabulations) {
  const struct {
    std::vector<std::string> textes;
    lignes_t vue;
  } cas[] = {
      {{"\xff"}, {">|"}},
      {{"\xff", "cont"}, {">cont|"}},
      {{"\xff"
        "ab",
        "\xff"
        "c"},
       {">c|"}},
      // Windows-1252 letters, a tab, a newline: the console moves on to a blank line.
      {{"\xe9t\xe9\tfini\n"}, {"ete    fini", "|"}},
      {{"\xe0\xe7\xe8\xea\xee\xf4\xf9"}, {"aceeiou|"}},
      // The program's own UTF-8 texts, even when written one byte at a time.
      {{"Raffraichissement de l'\xc3\xa9"
        "cran\n"},
       {"Raffraichissement de l'ecran", "|"}},
      {{"\xc3\x80\xc3\xa2\xc3\xa4\xc3\xa7\xc3\xa8\xc3\xab\xc3\xae\xc3\xaf\xc3\xb4\xc3\xb6\xc3\xb9"
        "\xc3\xbb\xc3\xbc\xc3\x89"},
       {"AaaceeiioouuuE|"}},
      {{"d\xc3", "\xa9j\xc3", "\xa0"}, {"deja|"}},
      // Bytes the bitmap font would draw as garbage.
      {{"a\x80"
        "b\xff"
        "c\xe2\x80\xa6"
        "d\xc3"
        "e\xc6\x92\xc3\x86\n"},
       {"a?b?c???d?e??", "|"}},
      {{"\xff"
        "ab\xc3"},
       {">ab?|"}},
  };
  for (const auto& c : cas) {
    init_console_gl();
    ecrire(c.textes);
    EXPECT_EQ(console_affichee(), c.vue) << c.textes[0];
  }
}

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

TEST_F(ConsoleGl, FondEtConsoleReduite) {
  for (const int H : {600, 1000}) {
    fixer_taille_fenetre(800, H);
    for (const int reduite : {0, 1}) {
      vue_gl v = lire_vue_gl();
      v.console_reduite = reduite;
      ecrire_vue_gl(v);
      enregistreur e;
      fixer_dessin(&e);
      dessiner_console();
      fixer_dessin(nullptr);
      const auto quads = sommets(e, primitive::quads);
      // 28 bands and the input bar, or the bar alone 1 to 18 pixels above the bottom.
      const double bas = reduite ? 1 : H - 298;
      ASSERT_EQ(quads.size(), reduite ? 4u : 29u * 4);
      EXPECT_EQ(quads[quads.size() - 4], (std::vector<double>{0, bas}));
      EXPECT_EQ(quads.back(), (std::vector<double>{0, bas + 17}));
      EXPECT_EQ(sommets(e, primitive::boucle_lignes)[2], (std::vector<double>{799, bas}));
      // Every quad counter-clockwise, so that face culling keeps it.
      for (std::size_t q = 0; q < quads.size(); q += 4) {
        double aire = 0;
        for (std::size_t i = 0; i < 4; ++i) {
          const auto& a = quads[q + i];
          const auto& b = quads[q + (i + 1) % 4];
          aire += a[0] * b[1] - b[0] * a[1];
        }
        EXPECT_GT(aire, 0);
      }
      const auto textes = textes_dessines(e);
      ASSERT_EQ(textes.size(), 1u);
      EXPECT_EQ(textes[0].y, bas + 4);
      EXPECT_EQ(e.compter("debut_2d"), 1);
      EXPECT_EQ(e.compter("fin_2d"), 1);
    }
  }
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

TEST_F(InfosCase, LignesDuPanneau) {
  fixer_case(0, 5, MOYEN, 120, 340, 560, 780);
  const lignes_t terrain = {"Infos:",
                            "Case: X=0 - Y=5",
                            "Infos terrain:",
                            "--------------",
                            "Type: Colline",
                            "Code climat (0 = tres chaud):5",
                            "Population max :400",
                            "Qte Eau:120,Qte Bois:340",
                            "Qte Veg:560,Qte Anim:780",
                            "Infos unite:",
                            "------------"};
  lignes_t sans_unite = terrain;
  sans_unite.push_back("Pas d'unite presente.");
  EXPECT_EQ(lignes(150, 300), sans_unite);

  ajouter_civ(5, "BOUFFE_TOUT_SE_LAISSE_PAS_FAIRE", OMNIVORE, RECIPROQUE, 3);
  ajouter_unite(5, 0, 5, 321);
  lignes_t avec_unite = terrain;
  for (const char* l :
       {"Code de l'unite :1", "Population :321", "Infos civ unite:", "----------------",
        "Code tribu :5", "Nom tribu :BOUFFE_TOUT_SE_LAISSE_PAS_FAIRE", "Regime : Omnivore",
        "Comportement : Reciproque", "Milieu prefere: Montagne"})
    avec_unite.push_back(l);
  EXPECT_EQ(lignes(150, 300), avec_unite);
}
