// Keyboard, mouse and typed line of the graphics window, driven headless through a recorder.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "commun/monde_test.h"
#include "console/console.h"
#include "console/interpreteur.h"
#include "graphique/clavier.h"
#include "graphique/console_gl.h"
#include "graphique/enregistreur.h"
#include "graphique/scene.h"
#include "graphique/textes_dessines.h"
#include "graphique/vue.h"
#include "monde/terrain.h"
#include "population/civ.h"
#include "socle/parametres.h"

using lignes_t = std::vector<std::string>;

namespace {

std::vector<std::string> interpretees;
std::istringstream entree;

int temoin(const char* ligne) {
  interpretees.emplace_back(ligne);
  return 1;
}
int lire_script() { return entree.get(); }

void taper(const std::string& touches) {
  for (const char c : touches) clavier(static_cast<unsigned char>(c), 0, 0);
}

void fixer_console(int ouverte) {
  etat_programme p = lire_etat_programme();
  p.console = ouverte;
  fixer_etat_programme(p);
}

void fixer_selection(int selection) {
  vue_gl v = lire_vue_gl();
  v.mode_selection = selection;
  ecrire_vue_gl(v);
}

// The typed line as the console reads it, up to its newline.
std::string lire_ligne_gl() {
  std::string l;
  for (int c = lire_car_gl(); c != '\n'; c = lire_car_gl()) l += static_cast<char>(c);
  return l;
}

}  // namespace

// A 10 by 10 world (c = 8/12, scene centre (4, -4)) in the window's start state, oblique view,
// every call recorded.
class Clavier : public testing::Test {
 protected:
  void SetUp() override {
    construire_monde(10, 10, BAS, 5, 1000);
    fixer_mode_affichage({0, 0, 1});
    init_vue();
    construire_scene();
    vue_predefinie(0);
    fixer_dessin(&e);
  }
  void TearDown() override { fixer_dessin(nullptr); }
  enregistreur e;
};

TEST_F(Clavier, CommandesConsoleFermee) {
  // K cycles the detail level 3 -> 1 -> 2 -> 3, rebuilding the scene each time.
  for (const int attendu : {1, 2, 3}) {
    clavier('K', 0, 0);
    EXPECT_EQ(lire_vue_gl().complexite, attendu);
  }
  // G, R, U toggle their switch and rebuild, in either case.
  for (const auto& [touche, champ] : {std::pair{'g', &vue_gl::dessin_guerres},
                                      {'R', &vue_gl::dessin_ressources},
                                      {'u', &vue_gl::dessin_unites}}) {
    clavier(touche, 0, 0);
    EXPECT_EQ(lire_vue_gl().*champ, 0) << touche;
    clavier(touche, 0, 0);
    EXPECT_EQ(lire_vue_gl().*champ, 1) << touche;
  }
  EXPECT_EQ(e.compter("nouvelle_liste"), 3 + 6);
  // E starts the timer chain (first tick in 10 ms) and stops it; L and M toggle the GL state.
  taper("eElLmM");
  EXPECT_EQ(animation_active(), 0);
  EXPECT_EQ(e.filtrer("armer_minuterie").size(), 1u);
  EXPECT_EQ(e.filtrer("armer_minuterie")[0].valeurs, (std::vector<double>{10}));
  for (const char* nom : {"eclairage_coupe", "fil_de_fer"}) {
    ASSERT_EQ(e.compter(nom), 2) << nom;
    EXPECT_EQ(e.filtrer(nom)[0].valeurs[0], 1);
    EXPECT_EQ(e.filtrer(nom)[1].valeurs[0], 0);
  }
  // J runs one step and rebuilds; an unbound key only redraws.
  {
    CaptureSortie sortie;
    creer_tab_civ();
    e.appels.clear();
    clavier('j', 0, 0);
    EXPECT_NE(sortie.texte(), "");
    EXPECT_EQ(e.compter("nouvelle_liste"), 1);
  }
  e.appels.clear();
  clavier('x', 0, 0);
  EXPECT_EQ(e.appels.size(), 1u);
  EXPECT_EQ(e.compter("redessiner"), 1);
  // Escape, q and Q ask for the end.
  for (const int touche : {27, int{'q'}, int{'Q'}}) {
    fixer_etat_programme({0, 0, 0, 0});
    clavier(touche, 0, 0);
    EXPECT_EQ(lire_etat_programme().fin_demandee, 1) << int(touche);
  }
}

TEST_F(Clavier, OuvertureFermetureEtSaisie) {
  // c, C and ² do not open the console in selection mode.
  fixer_selection(1);
  for (const int touche : {int{'c'}, int{'C'}, 178}) clavier(touche, 0, 0);
  EXPECT_EQ(lire_etat_programme().console, 0);
  fixer_selection(0);
  for (const int touche : {int{'c'}, int{'C'}, 178}) {
    fixer_console(0);
    clavier(touche, 0, 0);
    EXPECT_EQ(lire_etat_programme().console, 1);
    EXPECT_EQ(console_affichee(), (lignes_t{">|"}));
  }
  // Backspace on the prompt mark does nothing; Escape is stored, it does not quit.
  clavier(8, 0, 0);
  taper("ansj\b\x1b\bi 1");
  EXPECT_EQ(console_affichee(), (lignes_t{">ansi 1|"}));
  clavier(27, 0, 0);
  clavier(8, 0, 0);
  EXPECT_EQ(lire_etat_programme().fin_demandee, 0);
  EXPECT_EQ(lire_vue_gl().ligne_prete, 0);
  // Enter: the line is ready and moves into the scroll-back.
  clavier(13, 0, 0);
  EXPECT_EQ(lire_vue_gl().ligne_prete, 1);
  EXPECT_EQ(console_affichee(), (lignes_t{">ansi 1", "|"}));
  EXPECT_EQ(lire_ligne_gl(), "ansi 1");
  // ² closes the console without echo; the next opening starts an empty line.
  taper("ab");
  clavier(178, 0, 0);
  EXPECT_EQ(lire_etat_programme().console, 0);
  EXPECT_EQ(console_affichee(), (lignes_t{">ansi 1", ">ab|"}));
  taper("c\r");
  EXPECT_EQ(lire_ligne_gl(), "");
  // The bytes 255 and 0 would end the reading or the text: they are not typed.
  taper(std::string("x\xff\0y\r", 5));
  EXPECT_EQ(lire_ligne_gl(), "xy");
  // A full line ignores further keys; Enter ends it over its last character.
  taper(std::string(600, 'a') + "\r");
  EXPECT_EQ(lire_ligne_gl(), std::string(497, 'a'));
  // Nothing typed: an empty line, never a read past the line.
  reinitialiser_clavier();
  EXPECT_EQ(lire_car_gl(), '\n');
}

TEST_F(Clavier, Historique) {
  fixer_console(1);
  // A console open from start-up gets its prompt mark with the first key.
  taper("un\r");
  EXPECT_EQ(lire_ligne_gl(), "un");
  taper("deux\rtrois\r");
  const lignes_t rappels = {">trois|", ">deux|", ">un|", ">|"};
  for (const std::string& attendu : rappels) {
    touches_speciales(TOUCHE_HAUT, 0, 0);
    EXPECT_EQ(console_affichee().back(), attendu);
  }
  // A recalled line is edited and sent like a typed one.
  for (int i = 0; i < 7; ++i) touches_speciales(TOUCHE_HAUT, 0, 0);
  taper("s\r");
  EXPECT_EQ(lire_ligne_gl(), "troiss");
  // An entry too long for the history keeps its first 97 characters.
  taper(std::string(150, 'b') + "\r");
  touches_speciales(TOUCHE_HAUT, 0, 0);
  taper("\r");
  EXPECT_EQ(lire_ligne_gl(), std::string(97, 'b'));
  vider_historique();
  touches_speciales(TOUCHE_HAUT, 0, 0);
  EXPECT_EQ(console_affichee().back(), ">|");
}

TEST_F(Clavier, DeplacementsDeLOeil) {
  // Forward along the horizontal view direction, sideways along zoom x up = (0.8, -0.6, 0).
  const struct {
    int touche;
    float dx, dy, dz;
  } cas[] = {
      {TOUCHE_HAUT, 0.18f, 0.24f, 0},    {TOUCHE_BAS, -0.18f, -0.24f, 0},
      {TOUCHE_GAUCHE, -0.24f, 0.18f, 0}, {TOUCHE_DROITE, 0.24f, -0.18f, 0},
      {TOUCHE_PAGE_HAUT, 0, 0, 0.3f},    {TOUCHE_PAGE_BAS, 0, 0, -0.3f},
      {TOUCHE_PAGE_BAS + 1, 0, 0, 0},
  };
  for (const auto& c : cas) {
    vue_gl v = lire_vue_gl();
    v.x_eye = 1, v.y_eye = 2, v.z_eye = 3;
    v.x_zoom = 0.6f, v.y_zoom = 0.8f, v.z_zoom = 0;
    v.x_up = 0, v.y_up = 0, v.z_up = 1;
    ecrire_vue_gl(v);
    touches_speciales(c.touche, 0, 0);
    v = lire_vue_gl();
    EXPECT_NEAR(v.x_eye, 1 + c.dx, 1e-6) << c.touche;
    EXPECT_NEAR(v.y_eye, 2 + c.dy, 1e-6) << c.touche;
    EXPECT_NEAR(v.z_eye, 3 + c.dz, 1e-6) << c.touche;
  }
  // A view direction with no y component moves the eye by (0, 0.3).
  vue_gl v = lire_vue_gl();
  v.x_zoom = 1, v.y_zoom = 0;
  ecrire_vue_gl(v);
  touches_speciales(TOUCHE_HAUT, 0, 0);
  EXPECT_FLOAT_EQ(lire_vue_gl().x_eye, 1);
  EXPECT_FLOAT_EQ(lire_vue_gl().y_eye, 2.3f);
  // In selection mode the arrows neither move the eye nor redraw.
  fixer_selection(1);
  e.appels.clear();
  for (const int touche : {TOUCHE_HAUT, TOUCHE_GAUCHE, TOUCHE_PAGE_HAUT})
    touches_speciales(touche, 0, 0);
  EXPECT_TRUE(e.appels.empty());
  EXPECT_FLOAT_EQ(lire_vue_gl().y_eye, 2.3f);
  // Console open: Page Up scrolls the console back, the eye stays.
  fixer_selection(0);
  fixer_console(1);
  for (int i = 0; i < 20; ++i) console_gl_ecrire(("L" + std::to_string(i) + "\n").c_str());
  touches_speciales(TOUCHE_PAGE_HAUT, 0, 0);
  EXPECT_EQ(console_affichee().front(), "L2");
  touches_speciales(TOUCHE_PAGE_BAS, 0, 0);
  EXPECT_EQ(console_affichee().front(), "L3");
  EXPECT_FLOAT_EQ(lire_vue_gl().y_eye, 2.3f);
}

TEST_F(Clavier, PresetsDeLaSelection) {
  const float c = 8.0f / 12;
  touches_speciales(TOUCHE_HAUT, 0, 0);
  clavier('i', 0, 0);
  vue_gl v = lire_vue_gl();
  EXPECT_EQ(v.mode_selection, 1);
  EXPECT_FLOAT_EQ(v.x_eye, 6 * c);
  EXPECT_FLOAT_EQ(v.y_eye, -6 * c);
  EXPECT_FLOAT_EQ(v.z_eye, 9.8f);
  // N does nothing in selection mode; I again restores the oblique view, earlier moves lost.
  clavier('n', 0, 0);
  EXPECT_FLOAT_EQ(lire_vue_gl().z_eye, 9.8f);
  clavier('I', 0, 0);
  v = lire_vue_gl();
  EXPECT_EQ(v.mode_selection, 0);
  EXPECT_FLOAT_EQ(v.y_eye, -12 * c - 2.5f);
  EXPECT_FLOAT_EQ(v.z_eye, 9.0f);
}

TEST_F(Clavier, GlissementEtClic) {
  const vue_gl depart = lire_vue_gl();
  souris(BOUTON_GAUCHE, BOUTON_ENFONCE, 100, 100);
  // Pitch by 50 pixels down, then yaw by 20 pixels right.
  mouvement_souris(100, 150);
  const double a = 0.15;
  vue_gl v = lire_vue_gl();
  EXPECT_NEAR(v.y_zoom, depart.y_zoom * std::cos(a) - depart.y_up * std::sin(a), 1e-6);
  EXPECT_NEAR(v.z_zoom, depart.z_zoom * std::cos(a) - depart.z_up * std::sin(a), 1e-6);
  EXPECT_NEAR(v.z_up, depart.z_zoom * std::sin(a) + depart.z_up * std::cos(a), 1e-6);
  const vue_gl incline = v;
  mouvement_souris(120, 150);
  const double b = -0.06;
  v = lire_vue_gl();
  EXPECT_NEAR(v.x_zoom, -incline.y_zoom * std::sin(b), 1e-6);
  EXPECT_NEAR(v.y_zoom, incline.y_zoom * std::cos(b), 1e-6);
  EXPECT_FLOAT_EQ(v.z_zoom, incline.z_zoom);
  EXPECT_NEAR(v.x_up, -incline.y_up * std::sin(b), 1e-6);
  // Released, or pressed with the console open: no drag.
  for (const int ouverte : {0, 1}) {
    fixer_console(ouverte);
    souris(BOUTON_GAUCHE, ouverte ? BOUTON_ENFONCE : 1, 120, 150);
    mouvement_souris(300, 10);
    EXPECT_FLOAT_EQ(lire_vue_gl().x_zoom, v.x_zoom);
    EXPECT_FLOAT_EQ(lire_vue_gl().z_up, v.z_up);
  }
  // In selection mode a left press records the click.
  fixer_console(0);
  fixer_selection(1);
  e.appels.clear();
  souris(BOUTON_GAUCHE, BOUTON_ENFONCE, 321, 123);
  EXPECT_EQ(e.compter("redessiner"), 1);
  mouvement_souris(0, 0);
  EXPECT_EQ(lire_vue_gl().x_clic, 321);
  EXPECT_EQ(lire_vue_gl().y_clic, 123);
  EXPECT_FLOAT_EQ(lire_vue_gl().x_zoom, v.x_zoom);
}

TEST_F(Clavier, LigneLueCommeAuPrompt) {
  // The same edited line, typed in the window and read at the text prompt, reaches the
  // interpreter unchanged.
  fixer_interpreteur(temoin);
  fixer_entree_sortie(lire_car_gl, console_gl_ecrire);
  interpretees.clear();
  taper("c  hour\t250ms\r");
  lire_commande();
  taper("pro_mOde\x1bz\b 3 \r");
  lire_commande();
  const lignes_t en_fenetre = interpretees;
  ASSERT_EQ(en_fenetre.size(), 2u);
  interpretees.clear();
  entree = std::istringstream("  hour\t250ms\npro_mOde\x1b 3 \n");
  fixer_entree_sortie(lire_script, nullptr);
  lire_commande();
  lire_commande();
  EXPECT_EQ(en_fenetre, interpretees);

  // With the real interpreter the answer lands in the window console, folded, then the prompt.
  fixer_interpreteur(interpreter_commande);
  fixer_entree_sortie(lire_car_gl, nullptr);
  console_gl_vider();
  taper("bold 1\r");
  lire_commande();
  console_gl_ecrire("\xff");
  EXPECT_EQ(console_affichee(), (lignes_t{">bold 1", "Vous n'etes pas en mode ansi.", ">|"}));
}
