// A tribe's turn: every unit present when it began plays, newest first, and empty units go.
#pragma once

#include "monde/unite.h"
#include "population/civ.h"

// 0 for no civilisation, else 1.
int jouer_tour(civilisation* c);
// The per-unit rules in their fixed order; 1, or 0 for no unit.
int evolution_unite(unite* u);
