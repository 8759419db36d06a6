// The model's parameters: the numbers of world generation, map update, initial placement and the
// rules that a modeller may vary, each with its name, unit, allowed range and default. The
// defaults are the program's own values: a run that sets nothing plays exactly as it always has.
// Every parameter is an integer; chances are counted in parts of a hundred or of ten thousand.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

// Per-tribe parameters; -1 leaves the tribe as its tribe set makes it (the fixed table, or the
// draws of --rand, which are made either way).
struct parametres_tribu {
  int unites = 1;         // units placed at the start
  int habitants = -1;     // inhabitants of each starting unit; -1: drawn below the cell's capacity
  int regime = -1;        // 0 herbivore, 1 omnivore, 2 carnivore
  int comportement = -1;  // 1 hostile, 2 peaceful, 3 reciprocal
  int milieu = -1;        // preferred altitude class: 1 low, 2 middle, 3 high
};

struct parametres_modele {
  // Resources and climate: indexed by resource code (water, wood, plant food, animal food) and by
  // altitude class (sea, low, middle, high).
  int ressource_max = 7000;                           // ceiling of a cell's stock
  std::array<int, 4> regeneration = {125, 50, 50, 50};  // growth per step and climate point
  int poussee_climat = 2;   // largest push drawn on a cell's climate each step
  int derive_climat = 2;    // largest drift of a cell's climate in a step
  std::array<int, 4> capacite = {0, 500, 400, 250};   // popmax by altitude class
  // Feeding and growth.
  std::array<int, 4> besoin = {10, 4, 5, 7};          // needs per inhabitant and turn
  int croissance = 150;            // percent a fed unit becomes
  // Milieu and overpopulation.
  int seuil_milieu = 10;           // smallest unit the milieu changes
  int milieu_prefere = 120;        // percent a unit becomes on its preferred milieu
  int milieu_autre = 80;           // percent it becomes elsewhere
  int part_deploiement = 50;       // percent of an overpopulated unit that leaves
  // Epidemics.
  int chance_epidemie = 100;       // outbreak chance of a unit's turn, per ten thousand
  int chance_contagion = 50;       // chance that an outbreak reaches each neighbour, percent
  // Behaviour and war.
  int seuil_hostilite_pacifique = 100;   // smallest peaceful unit that turns hostile when short
  int seuil_hostilite_reciproque = 200;  // the same for a reciprocal unit
  int pertes_guerre = 100;         // percent of the drawn losses a battle inflicts
  int part_conquete = 50;          // percent of a winner that settles on the conquered cell
  std::array<parametres_tribu, 9> tribus{};
};

// The parameters the rules read; the reference stays valid for the whole run.
const parametres_modele& modele();

// Replaces the whole record (a saved run puts back its own).
void fixer_modele(const parametres_modele& p);

// Back to the defaults.
void reinitialiser_modele();

// Whether every parameter has its default value.
bool modele_par_defaut(const parametres_modele& p);

// A parameter as a user names it. A per-tribe parameter whose default is -1 (as the tribe set
// makes it) also takes -1 back, outside its range.
struct description_parametre {
  std::string nom;    // e.g. "besoin_eau", "tribu3_regime"
  std::string sens;   // what it means, one French line
  std::string unite;  // e.g. "habitants", "%", "pour dix mille"
  int minimum;
  int maximum;
  int defaut;
};

// The largest capacity of an altitude class, and of a starting unit. With at least a tenth of an
// overpopulated unit leaving, no unit passes 144 capacities between two steps, so a population
// times every coefficient and need, and a tribe's total over 10 000 cells, stay within an int.
inline constexpr int CAPACITE_MAXIMALE = 1000;

// Every parameter, in the order they are listed and written.
const std::vector<description_parametre>& parametres_connus();

// The value of a named parameter in `p`; false when no parameter has that name.
bool valeur_parametre(const parametres_modele& p, std::string_view nom, int& valeur);

// Sets a named parameter in `p` from its text. The text must be a whole decimal integer within
// the parameter's range; otherwise `p` is unchanged, the answer is false and `erreur` names the
// parameter and its range (or says that no parameter has that name).
bool regler_parametre(parametres_modele& p, std::string_view nom, std::string_view valeur,
                      std::string& erreur);

// "nom=valeur", as --param takes it.
bool regler_affectation(parametres_modele& p, std::string_view affectation, std::string& erreur);

// The parameters that differ from their defaults, as "nom=valeur" in table order.
std::vector<std::string> parametres_changes(const parametres_modele& p);
