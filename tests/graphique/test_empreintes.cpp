// Recorded drawing calls (every call and value, one a line, in tests/graphique/attendu/appels):
// the scene of a small mixed world at the three detail levels and with its switches, the console
// overlay, the cell panel and the chart, and the one colour table the scene and the chart share.
// A change of any vertex, colour, normal or text shows here, with the first call that changed;
// the triangle counts and the relief's own generator are checked by rule below.
#include <gtest/gtest.h>

#include <string>
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

// The scene's triangle count at a detail level with the three switches, and the war lines drawn.
int triangles(int complexite, int tout, int* lignes = nullptr, int unites = -1) {
  vue_gl v = lire_vue_gl();
  v.complexite = complexite;
  v.dessin_ressources = v.dessin_guerres = tout;
  v.dessin_unites = unites < 0 ? tout : unites;
  ecrire_vue_gl(v);
  const enregistreur e = enregistrer(construire_scene);
  if (lignes != nullptr)
    for (const appel& a : e.appels)
      *lignes += a.nom == "debut" && a.valeurs[0] == static_cast<double>(primitive::lignes);
  return lire_vue_gl().nb_triangles;
}

}  // namespace

TEST(Scene, TrianglesParNiveauParMarqueurEtParUnite) {
  // Relief and plate of 3 by 2: 4 and 13 per tile of the map and its border ring, 6 per fine
  // square; then 16 per resource marker and 64 per unit.
  for (auto [niveau, nu] : {std::pair{1, 4 * 20 + 48}, {2, 13 * 20 + 48}, {3, 6 * 20 * 16 + 48}}) {
    construire_monde(3, 2, BAS, 5, 0);
    EXPECT_EQ(triangles(niveau, 0), nu);
    fixer_case(0, 0, BAS, 10, 20, 0, 0);
    fixer_case(2, 1, BAS, 0, 0, 0, 5);
    ajouter_tribu(0, OMNIVORE, HOSTILE, BAS);
    ajouter_unite(0, 0, 0, 100);
    ajouter_unite(0, 2, 1, 100);
    ajouter_conflit(quelle_unite(0, 0), quelle_unite(2, 1));
    EXPECT_EQ(triangles(niveau, 1), nu + 3 * 16 + 2 * 64);
  }
  // War lines go with the units: hidden units hide them.
  int avec = 0, sans = 0;
  triangles(1, 1, &avec);
  triangles(1, 1, &sans, 0);
  EXPECT_GT(avec, sans);
}

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
  const struct {
    const char* nom;
    int complexite, ressources, unites, guerres;
  } cas[] = {{"scene_1", 1, 1, 1, 1},
             {"scene_2", 2, 1, 1, 1},
             {"scene_3", 3, 1, 1, 1},
             {"scene_2_nue", 2, 0, 0, 0},
             {"scene_1_sans_unites", 1, 1, 0, 1}};
  for (const auto& c : cas) {
    monde_mixte();
    vue_gl v = lire_vue_gl();
    v.complexite = c.complexite;
    v.dessin_ressources = c.ressources;
    v.dessin_unites = c.unites;
    v.dessin_guerres = c.guerres;
    ecrire_vue_gl(v);
    const std::string appels = dessiner(construire_scene);
    comparer_appels(c.nom,
                    appels + "triangles " + std::to_string(lire_vue_gl().nb_triangles) + "\n");
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

TEST(CouleursTribus, LaSceneEtLaCourbeDonnentLaMemeCouleurAChaqueTribu) {
  construire_monde(9, 1, BAS, 5, 0);
  for (int code = 0; code < 9; ++code) {
    ajouter_tribu(code, HERBIVORE, PACIFIQUE, BAS);
    ajouter_unite(code, code, 0, 50);
  }
  init_vue();
  // The unit markers, cells by columns: tribe 0 to 8 in turn.
  const auto couleurs = enregistrer(construire_scene).filtrer("couleur_octets");
  ASSERT_EQ(couleurs.size(), 9u);
  for (int code = 0; code < 9; ++code) {
    const auto c = couleur_tribu(code);
    EXPECT_EQ(couleurs[static_cast<std::size_t>(code)].valeurs,
              (std::vector<double>{double(c[0]), double(c[1]), double(c[2])}))
        << "tribu " << code;
  }
}
