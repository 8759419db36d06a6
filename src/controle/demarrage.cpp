// Start of the chosen display.
#include "controle/demarrage.h"

#include "console/affich.h"
#include "socle/parametres.h"

// This build has no graphics display: asking for it fails, and start-up falls back to text.
int initialiser_affichage(int* /*argc*/, char** /*argv*/) {
  if (lire_mode_affichage().opengl) return 0;
  return init_affich_text();
}
