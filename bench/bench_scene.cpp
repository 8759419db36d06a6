// Benchmarks of the graphics front-end on a 100 by 100 world that has run 50 steps: building the
// scene at the three detail levels with the silent drawing interface (our own cost) and with GL
// in a window (our cost plus the driver's list compilation), and the frames per second of the
// display callback in an 800 by 600 window. The GL ones need an X display ($DISPLAY, Xvfb
// serves); without one they are skipped.
#include <benchmark/benchmark.h>

#include <cstdio>

#include "controle/reinitialisation.h"
#include "graphique/dessin.h"
#include "graphique/fenetre_gl.h"
#include "graphique/scene.h"
#include "graphique/vue.h"
#include "graphique/vue_gl.h"
#include "monde/carte.h"
#include "monde/generation.h"
#include "population/civ.h"
#include "population/placement.h"
#include "regles/simulation.h"
#include "socle/alea.h"
#include "socle/sortie.h"

namespace {

// The GL window, opened once for the whole run; false without a display.
bool fenetre_ouverte() {
  static const bool ouverte = [] {
    vue_gl v = lire_vue_gl();
    v.largeur = 800, v.hauteur = 600, v.double_buffer = 1, v.heure = 14.0f;
    ecrire_vue_gl(v);
    static char nom[] = "bench_pangaeolith";
    static char* argv[] = {nom, nullptr};
    int argc = 1;
    if (!init_opengl(&argc, argv)) return false;
    redimensionner(800, 600);
    return true;
  }();
  return ouverte;
}

// A 100 x 100 world after 50 steps (units spread, wars fought), standard output discarded, and
// the view at 14 h on the oblique preset with every marker drawn at the given level.
void monde_de_scene(int complexite) {
  reinitialiser_programme();
  FILE* nul = std::fopen("/dev/null", "w");
  fixer_sortie(nul);
  fixer_dimensions(100, 100);
  initialiser_alea(7);
  creer_tab_civ();
  creer_carte();
  positionner_unite();
  for (int i = 0; i < 50; ++i) bcleprincip();
  fixer_sortie(nullptr);
  std::fclose(nul);
  vue_gl v = lire_vue_gl();
  v.largeur = 800, v.hauteur = 600, v.double_buffer = 1, v.heure = 14.0f;
  ecrire_vue_gl(v);
  init_vue();
  v = lire_vue_gl();
  v.complexite = complexite;
  ecrire_vue_gl(v);
}

// range(0): detail level; range(1): 1 with GL in the window, 0 with the silent interface.
void BM_ConstruireScene100(benchmark::State& state) {
  const bool gl = state.range(1) != 0;
  if (gl && !fenetre_ouverte()) {
    state.SkipWithError("pas d'affichage X");
    return;
  }
  monde_de_scene(static_cast<int>(state.range(0)));
  fixer_dessin(gl ? &dessin_fenetre() : nullptr);
  for (auto _ : state) construire_scene();
  state.counters["triangles"] = lire_vue_gl().nb_triangles;
  fixer_dessin(nullptr);
}
BENCHMARK(BM_ConstruireScene100)
    ->ArgNames({"niveau", "gl"})
    ->ArgsProduct({{1, 2, 3}, {0, 1}})
    ->Unit(benchmark::kMillisecond);

// One frame of the display callback: sky, camera, sun, the scene's list, buffer swap. range(0):
// detail level; range(1): 1 with the resource and unit markers and war lines, 0 with the relief
// and plate alone (one long run of triangles, the reference for what the driver can draw).
void BM_AfficherGl800x600(benchmark::State& state) {
  if (!fenetre_ouverte()) {
    state.SkipWithError("pas d'affichage X");
    return;
  }
  monde_de_scene(static_cast<int>(state.range(0)));
  vue_gl v = lire_vue_gl();
  v.dessin_ressources = v.dessin_unites = v.dessin_guerres = static_cast<int>(state.range(1));
  ecrire_vue_gl(v);
  fixer_dessin(&dessin_fenetre());
  construire_scene();
  vue_predefinie(0);
  redimensionner(800, 600);
  for (auto _ : state) afficher_gl();
  state.counters["images/s"] =
      benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
  state.counters["triangles"] = lire_vue_gl().nb_triangles;
  fixer_dessin(nullptr);
}
BENCHMARK(BM_AfficherGl800x600)
    ->ArgNames({"niveau", "marqueurs"})
    ->ArgsProduct({{1, 2, 3}, {0, 1}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
