// A recorded session of the window, driven headless: keys, special keys, mouse, timer ticks and
// reshapes in a fixed order. After each event the view, the program state, the console overlay,
// the line read by the prompt and the drawing calls made are written as one block; the whole
// text must equal tests/graphique/attendu/interactions.txt (PANGAEOLITH_ENREGISTRER=1 rewrites
// it).
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <string>

#include "commun/capture.h"
#include "commun/monde_test.h"
#include "commun/reinitialisation_test.h"
#include "commun/tribus_test.h"
#include "console/console.h"
#include "console/interpreteur.h"
#include "graphique/ajouts.h"
#include "graphique/clavier.h"
#include "graphique/console_gl.h"
#include "graphique/courbe_gl.h"
#include "graphique/enregistreur.h"
#include "graphique/fenetre_test.h"
#include "graphique/scene.h"
#include "graphique/textes_dessines.h"
#include "graphique/vue.h"
#include "graphique/vue_gl.h"
#include "monde/terrain.h"
#include "observation/statistiques.h"
#include "population/civ.h"
#include "population/unites.h"
#include "socle/parametres.h"

namespace {

std::string etat_apres(const enregistreur& e) {
  const vue_gl v = lire_vue_gl();
  const drapeaux_boucle& p = drapeaux();
  char t[512];
  std::snprintf(t, sizeof t,
                "  oeil %.5g %.5g %.5g vise %.5g %.5g %.5g haut %.5g %.5g %.5g\n"
                "  niveau %d res %d unites %d guerres %d sel %d clic %d %d heure %.5g "
                "reduite %d pret %d tri %d taille %dx%d\n"
                "  console %d boucle %d fin %d anim %d courbe %d pas %lld\n",
                v.x_eye, v.y_eye, v.z_eye, v.x_zoom, v.y_zoom, v.z_zoom, v.x_up, v.y_up, v.z_up,
                v.complexite, v.dessin_ressources, v.dessin_unites, v.dessin_guerres,
                v.mode_selection, v.x_clic, v.y_clic, v.heure, v.console_reduite, v.ligne_prete,
                v.nb_triangles, v.largeur, v.hauteur, p.console, p.boucle_active, p.fin_demandee,
                animation_active(), courbe_affichee(), static_cast<long long>(releve().pas));
  std::string s = t;
  std::map<std::string, int> appels;
  for (const appel& a : e.appels) ++appels[a.nom];
  s += "  appels";
  for (const auto& [nom, n] : appels)
    if (nom != "sommet" && nom != "normale" && nom != "couleur")
      s += " " + nom + "=" + std::to_string(n);
  for (const appel& a : e.filtrer("armer_minuterie"))
    s += " arme=" + std::to_string(int(a.valeurs[0]));
  s += "\n  ecran";
  for (const std::string& l : console_affichee()) s += " [" + l + "]";
  return s + "\n";
}

}  // namespace

TEST(Interactions, SessionEnregistree) {
  construire_monde(10, 10, BAS, 5, 1000);
  // The design's window: with its additions off the session is the recorded one.
  fixer_ajouts_actifs(0);
  ajouter_tribu(0, CARNIVORE, PACIFIQUE, BAS);
  ajouter_unite(0, 4, 4, 300);
  fixer_mode_affichage({0, 0, 1});
  init_vue();
  construire_scene();
  vue_predefinie(0);
  fixer_taille_fenetre(800, 600);
  fixer_interpreteur(interpreter_commande);
  fixer_entree_sortie(lire_car_gl, nullptr);
  enregistreur e;
  fixer_dessin(&e);
  CaptureSortie sortie;

  // Plays one event `fois` times, each written with the state after it: k key a, s special key
  // a, b mouse button a in state b at (c, d), m mouse move to (c, d), t timer tick (a = hour step
  // in tenths, b = delay in ms), r reshape to c x d, l the prompt reads a line, o console state
  // set to a, h history cleared.
  std::string texte;
  const auto jouer = [&](char type, int a = 0, int b = 0, int c = 0, int d = 0, int fois = 1) {
    for (int i = 0; i < fois; ++i) {
      e.appels.clear();
      std::string lue;
      if (type == 'k') clavier(static_cast<unsigned char>(a), 0, 0);
      if (type == 's') touches_speciales(a, 0, 0);
      if (type == 'b') souris(a, b, c, d);
      if (type == 'm') mouvement_souris(c, d);
      if (type == 't') fixer_pas_heure(static_cast<float>(a) / 10), fixer_delai_minuterie(b);
      if (type == 't') minuterie(0);
      if (type == 'r') redimensionner_vue(c, d);
      if (type == 'l') lue = " -> [" + lire_ligne() + "]";
      if (type == 'o') drapeaux().console = a, drapeaux().fin_demandee = 0;
      if (type == 'h') vider_historique();
      texte += std::string(1, type) + " " + std::to_string(a) + " " + std::to_string(b) + " " +
               std::to_string(c) + " " + std::to_string(d) + lue + "\n" + etat_apres(e);
    }
  };
  const auto touches = [&](const std::string& t) {
    for (unsigned char c : t) jouer('k', c);
  };
  touches("KKKgGRrUuEeLlMmxjPp");
  for (int s : std::initializer_list<int>{TOUCHE_HAUT, TOUCHE_BAS, TOUCHE_GAUCHE, TOUCHE_DROITE,
                                          TOUCHE_PAGE_HAUT, TOUCHE_PAGE_BAS, TOUCHE_PAGE_BAS + 1})
    jouer('s', s);
  jouer('b', BOUTON_GAUCHE, BOUTON_ENFONCE, 100, 100);
  jouer('m', 0, 0, 100, 150);
  jouer('m', 0, 0, 120, 150);
  jouer('b', BOUTON_GAUCHE, 1, 120, 150);
  jouer('m', 0, 0, 300, 10);
  touches("ic\xb2n");
  jouer('s', TOUCHE_HAUT);
  jouer('b', BOUTON_GAUCHE, BOUTON_ENFONCE, 321, 123);
  jouer('m');
  touches("IN\xb2\bansj\b\x1b\bi 1\x1b\b\r");
  jouer('l');
  touches(
      "ab\xb2"
      "c\r");
  jouer('l');
  touches(std::string("x\xff\0y\r", 5));
  jouer('l');
  touches(std::string(600, 'a') + "\r");
  jouer('l');
  touches("un\rdeux\r" + std::string(150, 'b') + "\r");
  jouer('s', TOUCHE_HAUT, 0, 0, 0, 5);
  touches("s\r");
  jouer('l');
  jouer('h');
  jouer('s', TOUCHE_HAUT);
  touches("bold 1\rpro_mOde\x1bz\b 3 \r");
  jouer('l', 0, 0, 0, 0, 2);
  // Sixty lines wrap the ring of fifty; Page Up goes back to the oldest kept, no further.
  for (int i = 0; i < 60; ++i) touches("L" + std::to_string(i) + "\r");
  jouer('s', TOUCHE_PAGE_HAUT, 0, 0, 0, 36);
  jouer('s', TOUCHE_PAGE_BAS, 0, 0, 0, 3);
  touches("\xb2PEq");
  jouer('o', 0);
  jouer('t', 5, 0, 0, 0, 40);
  jouer('t', 200, -5, 0, 0, 6);
  jouer('r', 0, 0, 640, 0);
  jouer('r', 0, 0, 800, 600);
  jouer('t', 5, 250);
  touches("e");
  jouer('t', 5, 250);
  touches("\x1bQ");
  fixer_dessin(nullptr);
  comparer_enregistrement("tests/graphique/attendu/interactions.txt", texte);
}
