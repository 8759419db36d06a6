// The population layer back to its start state: civilisations first, then their units.
#include "population/reinitialisation.h"

#include "population/civ.h"
#include "population/unites.h"

void reinitialiser_population() {
  reinitialiser_civ();
  reinitialiser_unites();
}
