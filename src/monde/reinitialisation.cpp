// The map layer back to its start state.
#include "monde/reinitialisation.h"

#include "monde/carte.h"

void reinitialiser_monde() { reinitialiser_carte(); }
