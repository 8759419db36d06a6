// Start of the chosen display.
#include "controle/demarrage.h"

#include "console/affich.h"
#include "console/interpreteur.h"
#include "graphique/console_gl.h"
#include "graphique/dessin.h"
#include "graphique/fenetre_gl.h"
#include "graphique/scene.h"
#include "socle/parametres.h"

namespace {

void redessiner_fenetre() { dessin_courant().redessiner(); }

}  // namespace

// The graphics window, or the text display. Once the window is open the commands typed in it
// can rebuild the scene, redraw the window and blank the window console.
int initialiser_affichage(int* argc, char** argv) {
  if (!lire_mode_affichage().opengl) return init_affich_text();
  if (argc == nullptr || argv == nullptr || !init_opengl(argc, argv)) return 0;
  fixer_actions_graphiques({construire_scene, redessiner_fenetre, console_gl_vider});
  return 1;
}
