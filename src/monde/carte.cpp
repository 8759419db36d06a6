// The world grid. Cells live in a fixed 100 by 100 array for the whole run; only those inside
// the current dimensions are used. Each cell holds its terrain itself and its unit's identifier,
// so the walks over the map read contiguous memory. The reset clears only the columns and rows that
// may have been written since the last one, so that resetting a small world costs little. Queries
// check bounds first and report requests outside the map to the error log.
#include "monde/carte.h"

#include <algorithm>
#include <array>

#include "socle/defauts.h"
#include "socle/journal.h"

namespace {

struct cellule {
  terrain sol{};
  bool genere = false;  // the cell has received its terrain
  int occupant = 0;     // identifier of the unit standing there, 0 for none
};

struct Etat {
  int x = COLONNES_INITIALES;
  int y = LIGNES_INITIALES;
  // Every cell outside the first x_ecrit columns and y_ecrit rows is empty: the largest
  // dimensions set and cells installed since the last reset stay within them.
  int x_ecrit = COLONNES_INITIALES;
  int y_ecrit = LIGNES_INITIALES;
  std::array<std::array<cellule, TAILLE_MAX_CARTE>, TAILLE_MAX_CARTE> cases;
};

Etat etat;

cellule& case_de(int x, int y) { return etat.cases[x][y]; }

// Widens the part of the grid that the next reset clears.
void noter_ecriture(int x, int y) {
  etat.x_ecrit = std::max(etat.x_ecrit, x);
  etat.y_ecrit = std::max(etat.y_ecrit, y);
}

// The cell's terrain, none before generation.
terrain* sol_de(int x, int y) {
  cellule& c = case_de(x, y);
  return c.genere ? &c.sol : nullptr;
}

}  // namespace

void donner_dimensions(int& x, int& y) {
  x = etat.x;
  y = etat.y;
  ecrire_debug("la carte a maintenant comme dimensions 0..%d 0..%d\n", x, y);
}

void fixer_dimensions(int x, int y) {
  if (x >= 1 && x <= TAILLE_MAX_CARTE && y >= 1 && y <= TAILLE_MAX_CARTE) {
    etat.x = x;
    etat.y = y;
    noter_ecriture(x, y);
  } else {
    ecrire_debug("Dimensions inchangees,car elles doivent etre posititves et inferieures a 100\n");
  }
  ecrire_debug("la carte a maintenant comme dimensions 0..%d 0..%d\n", etat.x, etat.y);
}

int combien_colonnes() { return etat.x; }
int combien_lignes() { return etat.y; }

int dans_carte(int x, int y) { return x >= 0 && x < etat.x && y >= 0 && y < etat.y ? 1 : 0; }

void ajouter_unite_carte(const unite* u) {
  const auto c = coordonnees_terrain(u);
  if (!c || !dans_carte(c->x, c->y)) return;
  ecrire_debug("On ajoute une unité à la carte en %d %d\n", c->x, c->y);
  case_de(c->x, c->y).occupant = u->id;
}

void retirer_unite_carte(const unite* u) {
  const auto c = coordonnees_terrain(u);
  if (!c || !dans_carte(c->x, c->y)) return;
  case_de(c->x, c->y).occupant = 0;
  ecrire_debug("On supprime de la carte l'unite en %d %d\n", c->x, c->y);
}

void installer_unite_carte(const unite* u) {
  if (u != nullptr && dans_carte(u->x, u->y)) case_de(u->x, u->y).occupant = u->id;
}

int donner_occupant(int x, int y) { return dans_carte(x, y) ? case_de(x, y).occupant : -1; }

int quelle_altitude(int x, int y) {
  if (!dans_carte(x, y)) {
    ecrire_erreur("quelle_altitude: case hors de la carte\n");
    return -1;
  }
  return donner_altitude(sol_de(x, y));
}

int quelle_climat(int x, int y) {
  if (!dans_carte(x, y)) {
    ecrire_erreur("quelle_climat: on demande une unite hors de la carte\n");
    return -1;
  }
  return donner_climat(sol_de(x, y));
}

int combien_popmax(int x, int y) {
  if (!dans_carte(x, y)) {
    ecrire_erreur("combien_popmax: case hors de la carte\n");
    return -1;
  }
  return donner_popmax(sol_de(x, y));
}

int combien_ressouce(int x, int y, int ressource) {
  if (!dans_carte(x, y)) {
    ecrire_erreur("combien_ressouce: case hors de la carte\n");
    return 0;
  }
  if (ressource < EAU || ressource > NOURRITURE_ANIMALE) {
    ecrire_erreur("combien_ressouce: la ressource n'existe pas\n");
    return 0;
  }
  return t_donner_ressources(sol_de(x, y), ressource);
}

void consommer_ressource(int x, int y, int ressource, int quantite) {
  if (!dans_carte(x, y)) {
    ecrire_erreur("consommer_ressource: case hors de la carte\n");
    return;
  }
  if (ressource < EAU || ressource > NOURRITURE_ANIMALE) {
    ecrire_erreur("consommer_ressource: la ressource n'existe pas\n");
    return;
  }
  terrain* t = sol_de(x, y);
  modifier_ressources(t, ressource, t_donner_ressources(t, ressource) - quantite);
}

terrain* donner_terrain(int x, int y) { return dans_carte(x, y) ? sol_de(x, y) : nullptr; }

void installer_terrain(int x, int y, std::unique_ptr<terrain> t) {
  if (x >= 0 && x < TAILLE_MAX_CARTE && y >= 0 && y < TAILLE_MAX_CARTE) {
    noter_ecriture(x + 1, y + 1);
    cellule& c = case_de(x, y);
    c.genere = t != nullptr;
    c.sol = t != nullptr ? *t : terrain{};
    c.occupant = 0;
  }
}

void reinitialiser_carte() {
  for (int x = 0; x < etat.x_ecrit; ++x)
    for (int y = 0; y < etat.y_ecrit; ++y) etat.cases[x][y] = {};
  etat.x = COLONNES_INITIALES;
  etat.y = LIGNES_INITIALES;
  etat.x_ecrit = COLONNES_INITIALES;
  etat.y_ecrit = LIGNES_INITIALES;
}
