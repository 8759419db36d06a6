// The graphics front-end back to its start state: each module's own reset.
#include "graphique/reinitialisation.h"

#include "graphique/ajouts.h"
#include "graphique/clavier.h"
#include "graphique/console_gl.h"
#include "graphique/courbe_gl.h"
#include "graphique/dessin.h"
#include "graphique/scene.h"
#include "graphique/vue.h"
#include "graphique/vue_gl.h"

void reinitialiser_graphique() {
  fixer_dessin(nullptr);
  reinitialiser_vue();
  reinitialiser_vue_gl();
  reinitialiser_scene();
  init_console_gl();
  reinitialiser_clavier();
  reinitialiser_ajouts();
  reinitialiser_courbe_gl();
}
