// A window for the tests: the current world's scene at the first preset view in an 800 x 600
// window, every drawing call recorded; closed by putting the layers back to their start.
#pragma once

#include <gtest/gtest.h>

#include "commun/capture.h"
#include "commun/monde_test.h"
#include "commun/reinitialisation_test.h"
#include "graphique/console_gl.h"
#include "graphique/dessin.h"
#include "graphique/enregistreur.h"
#include "graphique/scene.h"
#include "graphique/vue.h"
#include "monde/carte.h"
#include "monde/generation.h"
#include "monde/terrain.h"
#include "observation/avancee.h"
#include "observation/statistiques.h"
#include "population/civ.h"
#include "population/placement.h"
#include "socle/alea.h"
#include "socle/parametres.h"

inline void ouvrir_fenetre_test(enregistreur& e) {
  init_vue();
  construire_scene();
  vue_predefinie(0);
  fixer_taille_fenetre(800, 600);
  fixer_dessin(&e);
}

// The line the prompt reads from the window, its end removed.
inline std::string lire_ligne() {
  std::string l;
  for (int c = lire_car_gl(); c != '\n'; c = lire_car_gl()) l += static_cast<char>(c);
  return l;
}

inline void fermer_fenetre_test() {
  fixer_dessin(nullptr);
  reinitialiser_couches();
}

// The world of "-g --seed 5 -i 30 20" after twelve steps (twelve J), its output thrown away.
inline void monde_graine_5() {
  reinitialiser_couches();
  fixer_dimensions(30, 20);
  semer_partie(5);
  creer_tab_civ();
  creer_carte();
  positionner_unite();
  suivre_les_pas();
  CaptureSortie sortie;
  avancer(12);
}

// A 4 x 4 plain shown in the window, every drawing call recorded.
class Fenetre : public ::testing::Test {
 protected:
  void SetUp() override {
    construire_monde(4, 4, BAS, 5, 100);
    fixer_mode_affichage({0, 0, 1});
    ouvrir_fenetre_test(e);
  }
  void TearDown() override { fermer_fenetre_test(); }
  enregistreur e;
};
