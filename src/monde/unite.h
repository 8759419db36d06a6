// The population unit record and its accessors, shared by the map (which holds at most one unit
// per cell) and by the populations that create and remove units.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

struct coord {
  std::int32_t x;
  std::int32_t y;
};

struct unite {
  std::int32_t id;                     // 1 or more, unique among living units
  std::int32_t code;                   // code of the unit's civilisation
  std::int32_t x;                      // column of its cell
  std::int32_t y;                      // row of its cell
  std::int32_t nb_hab;                 // inhabitants
  std::vector<int> adversaires;        // units met in the current war phase
  std::int32_t en_guerre;              // matched against an adversary in some war phase
  std::int32_t victoire;               // won a war
  std::int32_t comportement;           // 1 hostile, 2 pacifique, 3 reciproque
  std::int32_t nb_tours;               // turns played
  std::int32_t connaissance;           // 0 basic, 1 superior
  std::optional<coord> case_conquise;  // cell won in the last victorious war
};

// Accessors: each writes its trace line and gives -1 (or none, or no change) for no unit.
int donner_id_unite(const unite* u);
int code(const unite* u);
std::optional<coord> coordonnees_terrain(const unite* u);
int nb_hab_unite(const unite* u);
void modifier(unite* u, int nb_hab);
int donner_comportement_unite(const unite* u);
