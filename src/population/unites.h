// The units: the one store that owns every living unit and finds it by its identifier, the
// identifiers with reuse of the last released one first, the holding area where removed units
// stay readable until the next step, and the questions asked about the unit of a cell. The
// tribes, above, hold their units' identifiers and make and unmake units through this store.
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
// The identifier for a new unit: the last released one, or the count of living units plus one.
int generer_id_unite();

// The living unit with that identifier, none for any other identifier (no trace).
unite* donner_unite(int id);
// N, the identifiers given so far: each of 1..N is a living unit's or on the free stack.
int combien_identifiants();
// The living units: N less the free identifiers.
int combien_unites();

// Takes a new unit's record (its identifier from generer_id_unite) into the store; gives the
// record, which keeps its address until it is released.
unite* enregistrer_unite(std::unique_ptr<unite> u);
// Takes the living unit out of the store into the holding area and pushes its identifier on the
// free stack, with that line. The record stays readable until liberer_unites_supprimees().
void retirer_unite(unite* u);
// Releases the records of removed units (start of each simulation step).
void liberer_unites_supprimees();

// The unit on a cell, by its coordinates; outside the map each writes its error-log line and
// gives its neutral value. For an empty cell the last three give the accessors' answer to no
// unit (their trace line and -1).
unite* quelle_unite(int x, int y);
int quelle_unite_code(int x, int y);
int quelle_tribu(int x, int y);
int nb_habitants(int x, int y);

// Records by identifier: the record of unit `id` at index id - 1, none for a free identifier.
using registre_unites = std::vector<std::unique_ptr<unite>>;
// A restored world, once its tribes are in place (remplacer_liste_civ): its units by identifier
// and the free-identifier stack, bottom first. Nothing here allocates.
void installer_unites(registre_unites unites, std::vector<int> id_libres);

// Tests: no unit, empty stack, removed records released.
void reinitialiser_unites();
