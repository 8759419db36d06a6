// Knowledge, colonisation of distant cells of the preferred milieu, and provisional hostility.
#pragma once

#include "monde/unite.h"

void evolution_intellectuelle(unite* u);
void coloniser_terrain(unite* u);
void changer_comportement(unite* u);
