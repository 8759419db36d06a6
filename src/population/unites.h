// Making and unmaking units: identifiers with reuse of the last released one first, creation,
// insertion into the tribe and onto the map, removal.
#pragma once

#include <list>
#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

#include "monde/unite.h"
#include "population/civ.h"

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

// Where each unit stands in its tribe's list, so that removing one costs no walk.
using reperes_unites = std::unordered_map<const unite*, liste_unites::iterator>;
// A restored world, built aside: where each of its units stands. Building this may fail for want
// of memory, so it is done before anything of the world is replaced.
reperes_unites reperer_unites(std::list<civilisation>& civs);
// A restored world, once its tribes are in place (remplacer_liste_civ): their units' places and
// the free-identifier stack, bottom first. Nothing here allocates.
void installer_unites(reperes_unites reperes, std::vector<int> id_libres);

// Tests: empty stack, removed records released.
void reinitialiser_unites();
