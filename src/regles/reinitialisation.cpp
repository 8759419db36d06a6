// The rules layer back to its start state.
#include "regles/reinitialisation.h"

#include "regles/guerre.h"
#include "regles/simulation.h"

void reinitialiser_regles() {
  init_conflits();
  fixer_observateurs_pas({});
}
