// Per-step update: each cell's resources grow or wither with its climate, then its climate
// drifts around itself. Three draws per cell, cells by columns.
#include "monde/mise_a_jour.h"

#include <algorithm>

#include "monde/carte.h"
#include "socle/alea.h"
#include "socle/modele.h"

void mise_a_jour_carte() {
  const int X = combien_colonnes();
  const int Y = combien_lignes();
  for (int x = 0; x < X; ++x)
    for (int y = 0; y < Y; ++y) {
      terrain* t = donner_terrain(x, y);
      conso(t);
      // The push: 0 with chance 1/3, each of -2, -1, +1, +2 with chance 1/6 (for the default
      // largest push of 2).
      const int sens = tirer_proportion(2);
      const int ampleur = tirer_proportion(modele().poussee_climat + 1);
      const int d = sens == 1 ? ampleur : -ampleur;
      const int m = std::clamp(donner_climat(t) + d, 0, 9);
      evolution_climat(t, m);
    }
}

void ajuster_carte_au_modele() {
  const int plafond = modele().ressource_max;
  for (int x = 0; x < combien_colonnes(); ++x)
    for (int y = 0; y < combien_lignes(); ++y) {
      terrain* t = donner_terrain(x, y);
      if (t == nullptr) continue;
      t->popmax = pop_terrain(t->altitude);
      for (auto& q : t->ressources) q = std::min(q, plafond);
    }
}
