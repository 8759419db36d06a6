// Epidemics: a rare outbreak in a unit that may spread to the units around it.
#pragma once

#include "monde/unite.h"

void evolution_demo_par_epidemie(unite* u);
