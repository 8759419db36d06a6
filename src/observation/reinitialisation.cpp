// The observation layer back to its start state.
#include "observation/reinitialisation.h"

#include "observation/statistiques.h"

void reinitialiser_observation() { reinitialiser_statistiques(); }
