// The window's additions: the heads-up line and legend, the pace keys, the unit marker size,
// the wheel's zoom toward the pointer, the panel's long names; and the switch that
// turns them all off.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "commun/capture.h"
#include "commun/monde_test.h"
#include "commun/reinitialisation_test.h"
#include "commun/tribus_test.h"
#include "graphique/ajouts.h"
#include "graphique/clavier.h"
#include "graphique/console_gl.h"
#include "graphique/enregistreur.h"
#include "graphique/fenetre_test.h"
#include "graphique/pointage.h"
#include "graphique/scene.h"
#include "graphique/textes_dessines.h"
#include "graphique/vue.h"
#include "graphique/vue_gl.h"
#include "monde/carte.h"
#include "monde/generation.h"
#include "monde/terrain.h"
#include "observation/avancee.h"
#include "observation/statistiques.h"
#include "population/civ.h"
#include "population/placement.h"
#include "population/unites.h"
#include "socle/alea.h"

namespace {

// The world of "-g --seed 5 -i 30 20" after twelve steps, in an 800 x 600 window.
class Ajouts : public ::testing::Test {
 protected:
  void SetUp() override {
    monde_graine_5();
    vue_gl v = vue_gl_par_defaut();
    ecrire_vue_gl(v);
    ouvrir_fenetre_test(e);
  }
  void TearDown() override { fermer_fenetre_test(); }
  enregistreur e;
};

double distance_oeil(const double p[3]) {
  const vue_gl v = lire_vue_gl();
  return std::hypot(v.x_eye - p[0], v.y_eye - p[1], v.z_eye - p[2]);
}

}  // namespace

TEST_F(Ajouts, BandeauEtAllure) {
  ASSERT_EQ(bandeau_affiche(), 1);
  std::vector<std::string> l = lignes_bandeau();
  EXPECT_EQ(l[0], "Pas 12 - 14h00 jour - allure en pause (E)");
  // One line per living tribe: code, name, inhabitants, as stats counts them.
  std::size_t vivantes = 0;
  for (const bilan_tribu& b : bilan_tribus()) vivantes += b.pas_extinction < 0;
  ASSERT_EQ(l.size(), vivantes + 1);
  EXPECT_EQ(l[1].substr(0, 30), " 0 CROC_SANGLANT_DES_PLAINES  ");
  // Space starts the day: at 500 ms a tick and 0.1 h a tick, a step every 90 s.
  clavier(' ', 0, 0);
  EXPECT_EQ(animation_active(), 1);
  EXPECT_EQ(lignes_bandeau()[0], "Pas 12 - 14h00 jour - allure 0,7 pas/min");
  clavier('+', 0, 0);
  EXPECT_EQ(lire_delai_minuterie(), 250);
  EXPECT_EQ(lignes_bandeau()[0], "Pas 12 - 14h00 jour - allure 1,3 pas/min");
  clavier('-', 0, 0);
  clavier('-', 0, 0);
  EXPECT_EQ(lire_delai_minuterie(), 1000);
  // Space again pauses; E keeps its own meaning.
  clavier(' ', 0, 0);
  EXPECT_EQ(animation_active(), 0);
  clavier('e', 0, 0);
  EXPECT_EQ(animation_active(), 1);
  // Night shows in the line, h hides it and shows it again.
  vue_gl v = lire_vue_gl();
  v.heure = 22.5f;
  ecrire_vue_gl(v);
  EXPECT_EQ(lignes_bandeau()[0].substr(0, 22), "Pas 12 - 22h30 nuit - ");
  clavier('h', 0, 0);
  EXPECT_EQ(bandeau_affiche(), 0);
  clavier('H', 0, 0);
  EXPECT_EQ(bandeau_affiche(), 1);
  // Drawn: the first line and every tribe's swatch in its colour.
  e.appels.clear();
  dessiner_bandeau();
  const auto textes = textes_dessines(e);
  ASSERT_FALSE(textes.empty());
  EXPECT_EQ(textes[0].texte.substr(0, 6), "Pas 12");
  EXPECT_EQ(e.filtrer("couleur_octets").size(), vivantes);
  // The extremes of the period stay within the hour command's range.
  for (int i = 0; i < 40; ++i) clavier('-', 0, 0);
  EXPECT_EQ(lire_delai_minuterie(), 3600000);
  for (int i = 0; i < 40; ++i) clavier('+', 0, 0);
  EXPECT_EQ(lire_delai_minuterie(), 0);
}

TEST_F(Ajouts, MarqueursEtMolette) {
  const int triangles = lire_vue_gl().nb_triangles;
  const auto rayon_unite = [&] {
    for (const appel& a : e.filtrer("sphere"))
      if (a.valeurs[1] == 8) return a.valeurs[0];
    return 0.0;
  };
  const double r1 = [&] {
    e.appels.clear();
    construire_scene();
    return rayon_unite();
  }();
  for (const int f : {2, 4, 1}) {
    e.appels.clear();
    clavier('t', 0, 0);
    EXPECT_NEAR(rayon_unite(), r1 * f, 1e-6);
    EXPECT_EQ(lire_vue_gl().nb_triangles, triangles) << "x" << f;
  }
  // The wheel moves toward the point under the pointer, which stays under it.
  vue_predefinie(1);
  double p[3];
  ASSERT_EQ(point_sous_pointeur(200, 150, p), 1);
  int x0 = -1, y0 = -1, x = -1, y = -1;
  case_sous_pointeur(200, 150, x0, y0);
  const double avant = distance_oeil(p);
  molette(1, 200, 150);
  EXPECT_NEAR(distance_oeil(p), avant * 0.8, 1e-3);
  EXPECT_EQ(case_sous_pointeur(200, 150, x, y), 1);
  EXPECT_EQ(x, x0);
  EXPECT_EQ(y, y0);
  // In and out within limits: never nearer than half a unit, never beyond 20 from the centre.
  for (int i = 0; i < 60; ++i) molette(1, 200, 150);
  EXPECT_GE(distance_oeil(p), 0.5);
  EXPECT_LT(distance_oeil(p), 0.5 / 0.8);
  for (int i = 0; i < 60; ++i) molette(-1, 200, 150);
  const vue_gl v = lire_vue_gl();
  const float c = taille_case();
  EXPECT_LE(std::hypot(v.x_eye - 16 * c, v.y_eye + 11 * c, v.z_eye), 20.0);
  EXPECT_GT(std::hypot(v.x_eye - 16 * c, v.y_eye + 11 * c, v.z_eye), 20.0 * 0.8);
}

TEST_F(Ajouts, PanneauNomLong) {
  vue_gl v = lire_vue_gl();
  v.mode_selection = 1;
  ecrire_vue_gl(v);
  vue_predefinie(1);
  // A click on a unit of tribe 0, whose name is 25 characters: cut to fit with an ellipsis.
  for (int py = 100; py < 500; py += 4)
    for (int px = 100; px < 700; px += 4) {
      int x = -1, y = -1;
      if (case_sous_pointeur(px, py, x, y) && quelle_tribu(x, y) == 0) {
        v = lire_vue_gl();
        v.x_clic = px, v.y_clic = py;
        ecrire_vue_gl(v);
        e.appels.clear();
        dessiner_infos_case();
        bool vu = false;
        for (const auto& t : textes_dessines(e))
          if (t.texte.rfind("Nom tribu :", 0) == 0) {
            EXPECT_EQ(t.texte, "Nom tribu :CROC_SANGLANT_DES...");
            EXPECT_LE(t.texte.size() * 9, 280u);
            vu = true;
          }
        EXPECT_TRUE(vu);
        // Additions off: the name whole, as designed.
        fixer_ajouts_actifs(0);
        e.appels.clear();
        dessiner_infos_case();
        fixer_ajouts_actifs(1);
        bool entier = false;
        for (const auto& t : textes_dessines(e))
          entier |= t.texte == "Nom tribu :CROC_SANGLANT_DES_PLAINES";
        EXPECT_TRUE(entier);
        py = px = 1000;
      }
    }
}

TEST_F(Ajouts, ToutSEteintAvecLeCommutateur) {
  fixer_ajouts_actifs(0);
  EXPECT_EQ(bandeau_affiche(), 0);
  const vue_gl avant = lire_vue_gl();
  for (unsigned char k : std::string("hH+- tT")) clavier(k, 0, 0);
  EXPECT_EQ(lire_delai_minuterie(), 500);
  EXPECT_EQ(animation_active(), 0);
  EXPECT_EQ(echelle_unites(), 1);
  EXPECT_EQ(e.filtrer("nouvelle_liste").size(), 0u);
  EXPECT_EQ(lire_vue_gl().nb_triangles, avant.nb_triangles);
}

// The pixels (every third) that show the cell under (px, py), as the click picks cells: the
// connected patch around that pixel.
static std::vector<std::pair<int, int>> pixels_de_la_case(int px, int py) {
  int x = -1, y = -1, cx = -1, cy = -1;
  case_sous_pointeur(px, py, x, y);
  std::vector<std::pair<int, int>> patch, a_voir{{px, py}};
  std::set<std::pair<int, int>> vus{{px, py}};
  while (!a_voir.empty()) {
    const auto [i, j] = a_voir.back();
    a_voir.pop_back();
    if (!case_sous_pointeur(i, j, cx, cy) || cx != x || cy != y) continue;
    patch.push_back({i, j});
    for (const auto& [di, dj] : {std::pair{3, 0}, {-3, 0}, {0, 3}, {0, -3}})
      if (i + di >= 0 && i + di < largeur_fenetre() && j + dj >= 0 && j + dj < hauteur_fenetre() &&
          vus.insert({i + di, j + dj}).second)
        a_voir.push_back({i + di, j + dj});
  }
  return patch;
}

// Whether the panel at left edge L (290 wide, from 10 to 500 below the top) holds one of them.
static bool couvre(int L, const std::vector<std::pair<int, int>>& pixels) {
  return std::any_of(pixels.begin(), pixels.end(), [&](const auto& p) {
    return p.first >= L && p.first <= L + 290 && p.second >= 10 && p.second <= 500;
  });
}

TEST_F(Ajouts, LePanneauLaisseLaCaseEnVue) {
  // From above, after wheel notches toward the middle and camera moves (left arrow: +, right:
  // -), a click at (px, 300 * H / 600); the side away from the click covers the cell, except in
  // the last two rows, and so does it stay with the additions off.
  struct cas {
    int W, H, crans, gauches, px;
    bool loin_couvre, sobre;
  };
  for (const cas& c :
       {cas{800, 600, 8, 0, 400, true, false}, cas{800, 600, 10, 1, 410, true, false},
        cas{640, 480, 2, 0, 320, true, false}, cas{800, 600, 0, 0, 420, false, false},
        cas{800, 600, 8, 0, 400, true, true}}) {
    SCOPED_TRACE(testing::Message() << c.W << " " << c.crans << " " << c.px << " " << c.sobre);
    fixer_ajouts_actifs(1);
    fixer_taille_fenetre(c.W, c.H);
    vue_gl v = lire_vue_gl();
    v.mode_selection = 0;  // the arrows move the camera outside selection mode only
    ecrire_vue_gl(v);
    vue_predefinie(1);
    for (int i = 0; i < c.crans; ++i) molette(1, c.W / 2, c.H / 2);
    for (int i = 0; i < std::abs(c.gauches); ++i)
      touches_speciales(c.gauches > 0 ? TOUCHE_GAUCHE : TOUCHE_DROITE, 0, 0);
    v = lire_vue_gl();
    v.mode_selection = 1, v.x_clic = c.px, v.y_clic = c.H / 2;
    ecrire_vue_gl(v);
    fixer_ajouts_actifs(!c.sobre);
    int x = -1, y = -1;
    ASSERT_EQ(case_sous_pointeur(c.px, c.H / 2, x, y), 1);
    const auto pixels = pixels_de_la_case(c.px, c.H / 2);
    const int loin = c.px * 2 > c.W ? 10 : c.W - 300;
    ASSERT_EQ(couvre(loin, pixels), c.loin_couvre);
    const int L = bord_gauche_panneau();
    EXPECT_EQ(L, c.sobre || !c.loin_couvre ? loin : 10 + c.W - 300 - loin);
    EXPECT_TRUE(c.sobre || !couvre(L, pixels));
    // Drawn there: the panel's first text at its margin.
    e.appels.clear();
    dessiner_infos_case();
    EXPECT_EQ(textes_dessines(e).at(0).x, L + 5);
  }
}

TEST_F(Ajouts, LeBandeauSEcarteDuPanneau) {
  // Every window from 640 x 480, the panel on either side: the heads-up line's box holds its
  // texts, lies in the window and never meets the panel's.
  for (const int W : {640, 700, 800, 1024, 1600})
    for (const int H : {480, 600, 760, 1000})
      for (const int clic : {W / 4, 3 * W / 4}) {
        SCOPED_TRACE(testing::Message() << W << "x" << H << " clic " << clic);
        fixer_taille_fenetre(W, H);
        vue_gl v = lire_vue_gl();
        v.mode_selection = 1, v.x_clic = clic, v.y_clic = H / 2;
        ecrire_vue_gl(v);
        const cadre_bandeau b = disposer_bandeau();
        const int L = bord_gauche_panneau();
        EXPECT_TRUE(b.gauche >= 0 && b.gauche + b.largeur <= W);
        const bool cote_a_cote = b.gauche + b.largeur < L || b.gauche > L + 290;
        EXPECT_TRUE(cote_a_cote || b.bas + b.hauteur < H - 500);
        e.appels.clear();
        dessiner_bandeau();
        const auto textes = textes_dessines(e);
        ASSERT_EQ(textes.size(), b.lignes.size());
        for (const auto& t : textes)
          EXPECT_TRUE(t.x >= b.gauche && t.x + 9 * int(t.texte.size()) <= b.gauche + b.largeur);
      }
}

TEST_F(Ajouts, SessionDuBandeauEnregistree) {
  // The seed-5 world with the additions on: after each event, the heads-up line as drawn (each
  // text with its position) must equal tests/graphique/attendu/bandeau.txt. An event is a key,
  // or ~ a timer tick of half an hour, < and > a reshape to 640 x 480 and 1024 x 768, [ and ] a
  // click at (150, 250) and (500, 250).
  const std::string session = " ++-tjhH" + std::string(20, '~') + "e e<i[]>";
  CaptureSortie sortie;
  fixer_pas_heure(0.5f);
  std::string texte;
  for (const char ev : session) {
    if (ev == '~')
      minuterie(0);
    else if (ev == '<' || ev == '>')
      redimensionner_vue(ev == '<' ? 640 : 1024, ev == '<' ? 480 : 768);
    else if (ev == '[' || ev == ']')
      souris(BOUTON_GAUCHE, BOUTON_ENFONCE, ev == '[' ? 150 : 500, 250);
    else
      clavier(static_cast<unsigned char>(ev), 0, 0);
    e.appels.clear();
    if (bandeau_affiche()) dessiner_bandeau();
    texte += std::string("[") + ev + "]\n";
    for (const auto& t : textes_dessines(e))
      texte += "  " + std::to_string(t.x) + " " + std::to_string(t.y) + " " + t.texte + "\n";
  }
  comparer_enregistrement("tests/graphique/attendu/bandeau.txt", texte);
}
