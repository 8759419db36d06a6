// Recorded drawing calls (every call and value, one a line, in tests/graphique/attendu/appels):
// the scene of a small mixed world at the three detail levels and with its switches, the console
// overlay, the cell panel and the chart. A change of any vertex, colour, normal, text or triangle
// count shows here, with the first call that changed; the relief's own generator is checked by
// rule below.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>

#include "commun/capture.h"
#include "commun/monde_test.h"
#include "commun/reinitialisation_test.h"
#include "commun/tribus_test.h"
#include "graphique/console_gl.h"
#include "graphique/courbe_gl.h"
#include "graphique/enregistreur.h"
#include "graphique/scene.h"
#include "graphique/vue.h"
#include "graphique/vue_gl.h"
#include "monde/carte.h"
#include "monde/terrain.h"
#include "observation/courbe.h"
#include "population/civ.h"
#include "population/unites.h"
#include "regles/guerre.h"
#include "regles/simulation.h"
#include "socle/alea.h"

namespace {

// Compares the calls of one case with tests/graphique/attendu/appels/<nom>.txt.
void comparer_appels(const std::string& nom, const std::string& appels) {
  comparer_enregistrement("tests/graphique/attendu/appels/" + nom + ".txt", appels);
}

std::string dessiner(void (*f)()) { return enregistrer(f).dump(); }

// 5 by 4: hills, a mountain, a plain with every resource, sea; a unit of a table tribe and one
// of a tribe past the colour table, at war.
void monde_mixte() {
  construire_monde(5, 4, MOYEN, 5, 0);
  fixer_case(0, 0, HAUT, 0, 0, 0, 0);
  fixer_case(1, 0, BAS, 5, 6, 7, 8);
  fixer_case(3, 2, MER, 7000, 0, 0, 0);
  fixer_case(4, 3, BAS, 10, 0, 0, 3);
  ajouter_tribu(3, OMNIVORE, HOSTILE, BAS);
  ajouter_tribu(40, HERBIVORE, PACIFIQUE, MOYEN);
  ajouter_unite(3, 1, 0, 100);
  ajouter_unite(40, 2, 1, 50);
  ajouter_conflit(quelle_unite(1, 0), quelle_unite(2, 1));
}

}  // namespace

TEST(Scene, ReliefIdentiqueSansToucherLaSuiteDuMonde) {
  monde_mixte();
  initialiser_alea(77);
  const int attendu = tirer_alea();
  initialiser_alea(77);
  const std::string premiere = dessiner(construire_scene);
  EXPECT_EQ(tirer_alea(), attendu) << "the relief's jitter draws from its own generator";
  EXPECT_EQ(dessiner(construire_scene), premiere);
}

TEST(Empreintes, Scene) {
  // Each case: its name, then detail level, resources, units and wars drawn.
  for (const auto& [nom, n, ressources, unites, guerres] :
       {std::tuple{"scene_1", 1, 1, 1, 1}, {"scene_2", 2, 1, 1, 1}, {"scene_3", 3, 1, 1, 1},
        {"scene_2_nue", 2, 0, 0, 0}, {"scene_1_sans_unites", 1, 1, 0, 1}}) {
    monde_mixte();
    vue_gl v = lire_vue_gl();
    v.complexite = n, v.dessin_ressources = ressources, v.dessin_unites = unites;
    v.dessin_guerres = guerres;
    ecrire_vue_gl(v);
    const std::string appels = dessiner(construire_scene);
    comparer_appels(nom, appels + "triangles " + std::to_string(lire_vue_gl().nb_triangles) + "\n");
  }
  construire_monde(1, 1, BAS, 5, 0);
  comparer_appels("scene_1x1", dessiner(construire_scene));
}

TEST(Empreintes, ConsoleEtPanneau) {
  for (const int H : {600, 1000})
    for (const int reduite : {0, 1}) {
      reinitialiser_couches();
      fixer_taille_fenetre(800, H);
      for (int i = 0; i < 20; ++i) console_gl_ecrire(("L" + std::to_string(i) + "\n").c_str());
      console_gl_ecrire("Légende : àéèêëîïôùûüç ÀÉÿ\ttab\n> saisie\n");
      // A line longer than the store, last: nothing of it may reach the next line.
      console_gl_ecrire((std::string(600, 'x') + "\n").c_str());
      vue_gl v = lire_vue_gl();
      v.console_reduite = reduite;
      ecrire_vue_gl(v);
      comparer_appels("console_" + std::to_string(H) + "_" + std::to_string(reduite),
                      dessiner(dessiner_console));
    }
  monde_mixte();
  construire_scene();
  fixer_taille_fenetre(800, 600);
  // The panel describes the cell drawn under the click, seen from above as in selection mode.
  vue_predefinie(1);
  for (const auto& [x, y] : {std::pair{200, 150}, {360, 300}, {650, 300}}) {
    vue_gl v = lire_vue_gl();
    v.x_clic = x;
    v.y_clic = y;
    ecrire_vue_gl(v);
    comparer_appels("panneau_" + std::to_string(x) + "_" + std::to_string(y),
                    dessiner(dessiner_infos_case));
  }
}

TEST(Empreintes, Courbe) {
  monde_mixte();
  fixer_taille_fenetre(800, 600);
  {
    CaptureSortie sortie;
    for (int i = 0; i < 12; ++i) bcleprincip();
  }
  comparer_appels("courbe_12_pas", dessiner(dessiner_courbe));
  drapeaux().console = 1;
  comparer_appels("courbe_sous_console", dessiner(dessiner_courbe));
}
