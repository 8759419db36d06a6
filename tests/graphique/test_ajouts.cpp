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

}  // namespace

TEST_F(Ajouts, SessionDesAjoutsEnregistree) {
  // The seed-5 world driven through the additions and the cell panel: after each event, the
  // pace, the switches, the marker size, the eye, the sky of the hour, the unit spheres' radius
  // and the tribe colours of a rebuilt scene, after a click, the debug log's new lines and the
  // panel as drawn must equal tests/graphique/attendu/ajouts.txt. Events: k key a, m wheel step a
  // at (b, c) with the cell under it, c click at (b, c), v preset view a, s selection mode a,
  // r reshape to b x c, h hour a tenths, a additions switch a.
  CaptureSortie sortie;
  CaptureJournaux journaux;
  std::size_t lus = 0;
  std::string texte;
  const auto jouer = [&](char type, int a, int b = 0, int c = 0, int fois = 1) {
    for (int i = 0; i < fois; ++i) {
      e.appels.clear();
      vue_gl v = lire_vue_gl();
      if (type == 'k') clavier(static_cast<unsigned char>(a), 0, 0);
      if (type == 'm') molette(a, b, c);
      if (type == 'c') souris(BOUTON_GAUCHE, BOUTON_ENFONCE, b, c);
      if (type == 'v') vue_predefinie(a);
      if (type == 's') v.mode_selection = a, ecrire_vue_gl(v);
      if (type == 'r') fixer_taille_fenetre(b, c);
      if (type == 'h') v.heure = static_cast<float>(a) / 10, ecrire_vue_gl(v);
      if (type == 'a') fixer_ajouts_actifs(a);
      v = lire_vue_gl();
      const couleur_ciel_t ciel = couleur_ciel(v.heure);
      char t[400];
      std::snprintf(t, sizeof t,
                    "%c %d %d %d\n  delai %d anim %d bandeau %d echelle %d tri %d oeil %.5g %.5g "
                    "%.5g heure %.5g ciel %.5g %.5g %.5g %.5g soleil %d\n",
                    type, a, b, c, int(lire_delai_minuterie()), animation_active(),
                    bandeau_affiche(), echelle_unites(), v.nb_triangles, v.x_eye, v.y_eye, v.z_eye,
                    v.heure, ciel.r, ciel.g, ciel.b, ciel.a, int(soleil_allume(v.heure)));
      texte += t;
      int x = -1, y = -1;
      const int touchee = type == 'm' ? case_sous_pointeur(b, c, x, y) : 0;
      if (type == 'm')
        texte += "  case " + std::to_string(touchee) + " " + std::to_string(x) + " " +
                 std::to_string(y) + "\n";
      for (const appel& s : e.filtrer("sphere"))
        if (s.valeurs[1] == 8) {
          texte += "  sphere " + std::to_string(s.valeurs[0]) + "\n  couleurs";
          std::set<std::vector<double>> vues;
          for (const appel& k : e.filtrer("couleur_octets"))
            if (vues.insert(k.valeurs).second)
              for (double d : k.valeurs) texte += " " + std::to_string(int(d));
          texte += "\n";
          break;
        }
      const std::vector<std::string> journal = journaux.debug();
      for (; lus < journal.size(); ++lus)
        if (type == 'c') texte += "  journal " + journal[lus] + "\n";
      if (type != 'c') continue;
      e.appels.clear();
      dessiner_infos_case();
      for (const auto& d : textes_dessines(e))
        texte += "  " + std::to_string(d.x) + " " + std::to_string(d.y) + " " + d.texte + "\n";
    }
  };
  // Switched off, the keys of the additions do nothing.
  jouer('a', 0);
  for (const char k : std::string("hH+- tT")) jouer('k', k);
  jouer('a', 1);
  for (const char k : std::string(" +-- e")) jouer('k', k);
  jouer('k', '-', 0, 0, 40);
  jouer('k', '+', 0, 0, 40);
  for (const int h : {69, 70, 105, 140, 210, 211, 30, 175}) jouer('h', h);
  jouer('k', 't', 0, 0, 3);
  jouer('v', 1);
  jouer('m', 1, 200, 150);
  jouer('m', 1, 200, 150, 60);
  jouer('m', -1, 200, 150, 62);
  jouer('v', 1);
  jouer('s', 1);
  // Unit spheres, off the map, each side of the middle, a unit of the tribe whose name is long;
  // then the design's panel.
  const std::pair<int, int> clics[] = {{113, 190}, {133, 210}, {2, 2},     {400, 5},  {795, 595},
                                       {399, 300}, {400, 300}, {401, 300}, {232, 264}};
  for (const auto& [x, y] : clics) jouer('c', 0, x, y);
  jouer('a', 0);
  for (const auto& [x, y] : clics) jouer('c', 0, x, y);
  jouer('r', 0, 1600, 600);
  jouer('c', 0, 800, 300);
  jouer('c', 0, 330, 40);
  comparer_enregistrement("tests/graphique/attendu/ajouts.txt", texte);
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
