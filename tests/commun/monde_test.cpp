// Hand-built worlds for the tests of the map layer and those above it.
#include "commun/monde_test.h"

#include "commun/reinitialisation_test.h"
#include "monde/carte.h"
#include "monde/terrain.h"

void construire_monde(int x, int y, int altitude, int climat, int ressource) {
  reinitialiser_couches();
  fixer_dimensions(x, y);
  for (int i = 0; i < x; ++i)
    for (int j = 0; j < y; ++j) {
      installer_terrain(i, j, creer_terrain(altitude, climat));
      terrain* t = donner_terrain(i, j);
      for (int r = 0; r < 4; ++r) modifier_ressources(t, r, ressource);
    }
}

void fixer_case(int x, int y, int altitude, int eau, int bois, int vegetale, int animale) {
  terrain* t = donner_terrain(x, y);
  modifier_altitude(t, altitude);
  modifier_ressources(t, EAU, eau);
  modifier_ressources(t, BOIS, bois);
  modifier_ressources(t, NOURRITURE_VEGETALE, vegetale);
  modifier_ressources(t, NOURRITURE_ANIMALE, animale);
}
