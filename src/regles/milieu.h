// Growth on the preferred milieu, overpopulation and deployment of the surplus onto neighbours.
#pragma once

#include "monde/unite.h"

int evolution_demo_par_milieu(unite* u);
int evolution_demo_par_surpop(unite* u);
// 1 when the unit holds more than its cell's popmax, else 0; -1 for no unit.
int deployer(const unite* u);
void deploiement(unite* u);
