// A window for the tests: the current world's scene at the first preset view in an 800 x 600
// window, every drawing call recorded; closed by putting the layers back to their start.
#pragma once

#include "commun/reinitialisation_test.h"
#include "graphique/dessin.h"
#include "graphique/enregistreur.h"
#include "graphique/scene.h"
#include "graphique/vue.h"

inline void ouvrir_fenetre_test(enregistreur& e) {
  init_vue();
  construire_scene();
  vue_predefinie(0);
  fixer_taille_fenetre(800, 600);
  fixer_dessin(&e);
}

inline void fermer_fenetre_test() {
  fixer_dessin(nullptr);
  reinitialiser_couches();
}
