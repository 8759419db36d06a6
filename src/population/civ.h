// The nine civilisations (tribes): the ordered list `liste_civ` that owns them, the cursor that
// hands them out one turn after the other, and the look-ups by code. Each tribe holds its units'
// identifiers; making and unmaking a unit, which changes both its tribe's list and the unit store
// below, is done here.
#pragma once

#include <cstddef>
#include <cstdint>
#include <list>
#include <memory>
#include <string_view>
#include <vector>

#include "monde/unite.h"

// Tribes created at start-up, codes 0..8.
inline constexpr int NB_TRIBUS = 9;

// Diets (`regime`).
enum : int { HERBIVORE = 0, OMNIVORE = 1, CARNIVORE = 2 };
// Behaviours (`comportement`) of tribes and units.
enum : int { HOSTILE = 1, PACIFIQUE = 2, RECIPROQUE = 3 };

// The identifiers of a tribe's living units, newest first (new units go to the head); the units
// themselves are in the store (donner_unite). Kept contiguous: a tribe holds at most a few
// thousand units, so shifting the identifiers when one goes in at the head or comes out costs
// less than a linked list's walk to find the one removed.
using liste_unites = std::vector<int>;

struct civilisation {
  char nom[32];                 // at most 31 characters
  std::int32_t code;            // 0..8, unique
  std::int32_t regime;          // 0 herbivore, 1 omnivore, 2 carnivore
  std::int32_t comportement;    // 1 hostile, 2 pacifique, 3 reciproque
  std::int32_t milieu_prefere;  // 1 plaine, 2 colline, 3 montagne
  liste_unites liste_unite;
};

// Living units of the tribe: the length of its list.
inline int nb_unites(const civilisation& c) { return static_cast<int>(c.liste_unite.size()); }

// Every civilisation, in creation (code) order.
std::list<civilisation>& liste_civ();

// Creates the empty list, the free-identifier stack and the nine tribes (fixed or drawn).
void creer_tab_civ();
// Appends a tribe: 1 when created, 0 for a code already used or values out of range.
int ajouter_civ(int code, const char* nom, int regime, int comportement, int milieu_prefere);
// The twenty one-letter names of random mode, all unused.
void creer_tab_noms();
// Draws an unused name of the table and marks it used.
const char* choisir_nom();
// Next tribe of the pass, printing its line; none at the end of a pass (the cursor restarts).
civilisation* civ_suivante();
// Unlinks and releases a tribe (removing first any unit it still has).
void supprimer_civ(civilisation* c);
// A restored world: the tribes built aside, their units' identifiers in their lists, replace
// every tribe (the unit store starts afresh with them, for installer_unites) and the cursor is
// put at position `rang`. Nothing here allocates, so a world read aside goes in whole.
void remplacer_liste_civ(std::list<civilisation> civs, std::size_t rang);
// Whether the program ever gives the name `nom` to the tribe of code `code`: its name in the
// fixed table, or one of the one-letter names of random mode.
bool nom_de_tribu_possible(int code, std::string_view nom);
// The cursor as a position in liste_civ (the list's size at the end of a pass), and its
// restoration (a position past the end means the end of a pass).
std::size_t rang_civ_courante();
void fixer_rang_civ_courante(std::size_t rang);

int donner_regime(int code);
int donner_comportement(int code);
int donner_milieu_prefere(int code);
civilisation* donner_civ(int code);
// The tribe's name, "" when no tribe has that code.
const char* nom_tribu(int code);

// A bare record, linked nowhere, with a new identifier and the tribe's behaviour; none when
// nb_hab <= 0 (no identifier consumed).
std::unique_ptr<unite> creer_unite(int code, int x, int y, int nb_hab);
// Creates the unit, puts it in the store, at the head of its tribe's list and on its cell.
void ajouter_unite(int code, int x, int y, int nb_hab);
// Takes the unit out of its tribe's list, releases its identifier and frees its cell. The record
// stays readable until liberer_unites_supprimees().
void supprimer_unite(unite* u);

// Tests: no civilisation, cursor at the end, names unused; no unit.
void reinitialiser_civ();
