// Accessors of the unit record; each answers a missing unit with its trace line and -1.
#include "monde/unite.h"

#include "socle/journal.h"

int donner_id_unite(const unite* u) {
  if (u == nullptr) {
    ecrire_debug("L'unite demande est vide\n");
    return -1;
  }
  return u->id;
}

int code(const unite* u) {
  if (u == nullptr) {
    ecrire_debug("\ncode:L'unite demandee est vide\n");
    return -1;
  }
  return u->code;
}

std::optional<coord> coordonnees_terrain(const unite* u) {
  if (u == nullptr) {
    ecrire_debug("\ncoordonnees_terrain:L'unite demandee est vide\n");
    return std::nullopt;
  }
  return coord{u->x, u->y};
}

int nb_hab_unite(const unite* u) {
  if (u == nullptr) {
    ecrire_debug("\nnb_hab_unite:L'unite demandee est vide\n");
    return -1;
  }
  return u->nb_hab;
}

void modifier(unite* u, int nb_hab) {
  if (u == nullptr) {
    ecrire_debug("modifier: L'unite est vide\n");
    return;
  }
  u->nb_hab = nb_hab;
}

int donner_comportement_unite(const unite* u) {
  if (u == nullptr) {
    ecrire_debug("L'unite demande est vide\n");
    return -1;
  }
  return u->comportement;
}
