// The ground of one map cell: altitude class, climate, four resource stocks and the largest
// population it holds, with every operation on it.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

// Altitude codes.
enum : int { MER = 0, BAS = 1, MOYEN = 2, HAUT = 3 };

// Resource codes, indices into `terrain::ressources`.
enum : int { EAU = 0, BOIS = 1, NOURRITURE_VEGETALE = 2, NOURRITURE_ANIMALE = 3 };

// The ceiling of every resource is the model's `ressource_max`. A sea cell holds water only: the
// ceiling after any change, less after a drought.

struct terrain {
  std::int32_t altitude;                   // 0..3
  std::int32_t climat;                     // 0 (driest) .. 9
  std::array<std::int32_t, 4> ressources;  // indexed by resource code
  std::int32_t popmax;                     // pop_terrain(altitude)
};

// A new terrain without resources; a climate outside 0..9 becomes 0, an altitude outside 0..3
// becomes BAS, each with its trace line.
std::unique_ptr<terrain> creer_terrain(int altitude, int climat);

// Largest population for an altitude code: 0 for the sea, the model's capacity of the class
// otherwise (500, 400, 250 by default); -1 for an unknown code.
int pop_terrain(int altitude);

int donner_altitude(const terrain* t);
int donner_climat(const terrain* t);
int donner_popmax(const terrain* t);
int t_donner_ressources(const terrain* t, int ressource);

// 1 done, 0 refused.
int modifier_altitude(terrain* t, int altitude);
int modifier_ressources(terrain* t, int ressource, int quantite);

// Resource change of one step: 1, or -1 for no terrain.
int conso(terrain* t);

// Climate drift of one step toward `moyenne_climat`: 1 done, 0 refused. Makes one draw.
int evolution_climat(terrain* t, int moyenne_climat);
