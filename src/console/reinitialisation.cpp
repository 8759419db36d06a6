// The console layer back to its start state.
#include "console/reinitialisation.h"

#include "console/console.h"
#include "console/interpreteur.h"

void reinitialiser_console() {
  init_console();
  fixer_actions_graphiques({});
}
