// Feeding: what a unit's inhabitants lack for the turn, what its cell and neighbours supply,
// the death of the unfed and the growth of a well-fed population.
#pragma once

#include <array>

#include "monde/unite.h"

// Shortfall of each resource for the current feeding, indexed by resource code.
using besoins_t = std::array<int, 4>;

// What the unit takes of resource r from its own cell: min(threshold, cell); -1 for no unit or
// r outside 0..4.
int consommation_tour(const unite* u, int r);
// Shortfall of resource r on the unit's cell; -1 for no unit or r outside 0..3.
int besoin(const unite* u, int r);
// Takes the missing quantities from the usable neighbours; 1 when every shortfall is met.
int chercher_ressources_voisines(const unite* u, besoins_t& besoins);
void tuer_herbi_non_nourris(unite* u, const besoins_t& besoins);
void tuer_omni_non_nourris(unite* u, const besoins_t& besoins);
void tuer_carni_non_nourris(unite* u, const besoins_t& besoins);
// One feeding; 1, or 0 for no unit.
int evolution_demo_par_alimentation(unite* u);
