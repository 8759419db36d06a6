// Making and unmaking units: identifiers with reuse of the last released one first, creation,
// insertion into the tribe and onto the map, removal.
#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "monde/unite.h"

// Empty stack of released identifiers.
void creer_liste_id_libres();
// Released identifiers, the top (next reused) last.
const std::vector<int>& id_free_list();

// A pair when (x, y) lies inside the map, else none with a trace line.
std::optional<coord> creer_coord(int x, int y);
// The identifier for a new unit: the last released one, or the next fresh one.
int generer_id_unite();
// A bare record, linked nowhere; none when nb_hab <= 0 (no identifier consumed).
std::unique_ptr<unite> creer_unite(int code, int x, int y, int nb_hab);
// Creates the unit, puts it at the head of its tribe's list and on its cell.
void ajouter_unite(int code, int x, int y, int nb_hab);
// Unlinks the unit from its tribe, releases its identifier and frees its cell. The record stays
// readable until liberer_unites_supprimees().
void supprimer_unite(unite* u);
// Releases the records of removed units (start of each simulation step).
void liberer_unites_supprimees();

// A restored world, tribe lists already made: appends a built unit at the tail of its tribe's
// list (lists are restored head first) and puts it on its cell, without trace lines. The tribe
// must exist and the cell be inside the map and free; 0 otherwise, and nothing changes.
int installer_unite(std::unique_ptr<unite> u);
// A restored world: the free-identifier stack, bottom first.
void fixer_id_libres(std::vector<int> ids);

// Tests: empty stack, removed records released.
void reinitialiser_unites();
