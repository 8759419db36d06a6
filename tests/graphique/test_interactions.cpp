// A recorded session of the window, driven headless: keys, special keys, mouse, timer ticks and
// reshapes in a fixed order. After each event the view, the program state, the console overlay,
// the line read by the prompt and the drawing calls made are written as one block; the whole
// text must equal tests/graphique/attendu/interactions.txt (PANGAEOLITH_ENREGISTRER=1 rewrites
// it). The sky colours keep their own table below.
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

// One event: k key, s special key, b mouse button (a, state b at c, d), m mouse move (c, d),
// t timer tick (a = hour step in tenths, b = delay in ms), r reshape (c x d), l the prompt reads
// a line, o open the console state (a), v selection mode (a), h clear the history.
struct evenement {
  char type;
  int a = 0, b = 0, c = 0, d = 0;
};

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

  std::vector<evenement> session;
  auto touches = [&](const std::string& t) {
    for (unsigned char c : t) session.push_back({'k', c});
  };
  touches("KKKgGRrUuEeLlMmxjPp");
  for (int s : std::initializer_list<int>{TOUCHE_HAUT, TOUCHE_BAS, TOUCHE_GAUCHE, TOUCHE_DROITE,
                                          TOUCHE_PAGE_HAUT, TOUCHE_PAGE_BAS, TOUCHE_PAGE_BAS + 1})
    session.push_back({'s', s});
  session.push_back({'b', BOUTON_GAUCHE, BOUTON_ENFONCE, 100, 100});
  session.push_back({'m', 0, 0, 100, 150});
  session.push_back({'m', 0, 0, 120, 150});
  session.push_back({'b', BOUTON_GAUCHE, 1, 120, 150});
  session.push_back({'m', 0, 0, 300, 10});
  touches("ic\xb2n");
  session.push_back({'s', TOUCHE_HAUT});
  session.push_back({'b', BOUTON_GAUCHE, BOUTON_ENFONCE, 321, 123});
  session.push_back({'m', 0, 0, 0, 0});
  touches("IN\xb2");
  touches("\bansj\b\x1b\bi 1\x1b\b\r");
  session.push_back({'l'});
  touches(
      "ab\xb2"
      "c\r");
  session.push_back({'l'});
  touches(std::string("x\xff\0y\r", 5));
  session.push_back({'l'});
  touches(std::string(600, 'a') + "\r");
  session.push_back({'l'});
  touches("un\rdeux\r" + std::string(150, 'b') + "\r");
  for (int i = 0; i < 5; ++i) session.push_back({'s', TOUCHE_HAUT});
  touches("s\r");
  session.push_back({'l'});
  session.push_back({'h'});
  session.push_back({'s', TOUCHE_HAUT});
  touches("bold 1\rpro_mOde\x1bz\b 3 \r");
  session.push_back({'l'});
  session.push_back({'l'});
  // Sixty lines wrap the ring of fifty; Page Up goes back to the oldest kept, no further.
  for (int i = 0; i < 60; ++i) touches("L" + std::to_string(i) + "\r");
  for (int i = 0; i < 36; ++i) session.push_back({'s', TOUCHE_PAGE_HAUT});
  for (int i = 0; i < 3; ++i) session.push_back({'s', TOUCHE_PAGE_BAS});
  touches("\xb2PEq");
  session.push_back({'o', 0});
  for (int i = 0; i < 40; ++i) session.push_back({'t', 5, 0});
  for (int i = 0; i < 6; ++i) session.push_back({'t', 200, -5});
  session.push_back({'r', 0, 0, 640, 0});
  session.push_back({'r', 0, 0, 800, 600});
  session.push_back({'t', 5, 250});
  touches("e");
  session.push_back({'t', 5, 250});
  touches("\x1bQ");

  std::string texte;
  for (const evenement& ev : session) {
    e.appels.clear();
    std::string lue;
    switch (ev.type) {
      case 'k':
        clavier(static_cast<unsigned char>(ev.a), 0, 0);
        break;
      case 's':
        touches_speciales(ev.a, 0, 0);
        break;
      case 'b':
        souris(ev.a, ev.b, ev.c, ev.d);
        break;
      case 'm':
        mouvement_souris(ev.c, ev.d);
        break;
      case 't':
        fixer_pas_heure(static_cast<float>(ev.a) / 10);
        fixer_delai_minuterie(ev.b);
        minuterie(0);
        break;
      case 'r':
        redimensionner_vue(ev.c, ev.d);
        break;
      case 'l':
        lue = " -> [" + lire_ligne() + "]";
        break;
      case 'o':
        drapeaux().console = ev.a;
        drapeaux().fin_demandee = 0;
        break;
      case 'h':
        vider_historique();
        break;
    }
    texte += std::string(1, ev.type) + " " + std::to_string(ev.a) + " " + std::to_string(ev.b) +
             " " + std::to_string(ev.c) + " " + std::to_string(ev.d) + lue + "\n" + etat_apres(e);
  }
  fixer_dessin(nullptr);
  comparer_enregistrement("tests/graphique/attendu/interactions.txt", texte);
}

TEST(Vue, CielEtSoleilSelonLHeure) {
  struct cas {
    float heure;
    float bleu;  // the sky's blue; red and green are a fifth of it
    bool soleil;
  };
  const cas table[] = {{6.9f, 0, false}, {7.0f, 0, true},     {10.5f, 0.75f, true},
                       {14.0f, 1, true}, {21.0f, 0, true},    {21.1f, 0, false},
                       {3.0f, 0, false}, {17.5f, 0.75f, true}};
  for (const cas& c : table) {
    SCOPED_TRACE(c.heure);
    const couleur_ciel_t ciel = couleur_ciel(c.heure);
    EXPECT_NEAR(ciel.b, c.bleu, 1e-6);
    EXPECT_NEAR(ciel.r, 0.2f * c.bleu, 1e-6);
    EXPECT_NEAR(ciel.g, 0.2f * c.bleu, 1e-6);
    EXPECT_EQ(ciel.a, 1.0f);
    EXPECT_EQ(soleil_allume(c.heure), c.soleil);
  }
}
