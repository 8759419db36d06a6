// Milieu and overpopulation: a unit grows on the altitude class its tribe prefers and shrinks
// elsewhere; a unit above its cell's popmax sends half its people onto the neighbouring cells.
#include "regles/milieu.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "monde/carte.h"
#include "monde/terrain.h"
#include "population/civ.h"
#include "population/unites.h"
#include "socle/alea.h"
#include "socle/journal.h"
#include "socle/modele.h"

namespace {

// n times pourcent / 100, truncated (the coefficients 1.2 and 0.8 by default); populations under
// the model's seuil_milieu are left as they are.
int appliquer_coefficient(int n, int pourcent) {
  if (n < modele().seuil_milieu) return n;
  return static_cast<int>(std::int64_t{n} * pourcent / 100);
}

// Places up to `a_deployer` inhabitants of the tribe on one neighbour: a new unit on free land,
// or the room left in a unit of the same tribe. Sea, other tribes and full units take nobody.
// Gives the number placed.
int deployer_sur(int tribu, int x, int y, int a_deployer) {
  if (!dans_carte(x, y) || quelle_altitude(x, y) == MER) return 0;
  ecrire_debug("deploiement: Essai sur (%d,%d)\n", x, y);
  const int popmax = combien_popmax(x, y);
  unite* voisin = quelle_unite(x, y);
  int places = 0;
  if (voisin == nullptr) {
    places = std::min(popmax, a_deployer);
    ajouter_unite(tribu, x, y, places);
  } else if (voisin->code == tribu && voisin->nb_hab < popmax) {
    places = std::min(popmax - voisin->nb_hab, a_deployer);
    modifier(voisin, voisin->nb_hab + places);
  } else {
    return 0;
  }
  ecrire_debug("deploiement: %i deployes\n", places);
  return places;
}

// What found no room comes back to the unit that kept `garde`, up to its own cell's popmax; the
// rest is lost.
void reprendre(unite* u, int garde, int reste) {
  ecrire_debug("deploiement: il reste %i a deployer\n", reste);
  const int popmax = combien_popmax(u->x, u->y);
  const int place = popmax - garde;
  if (place > reste) {
    ecrire_debug("deploiement: %i revenus\n", reste);
    modifier(u, garde + reste);
  } else {
    ecrire_debug("deploiement: %i revenus\n", place);
    modifier(u, popmax);
  }
}

}  // namespace

int evolution_demo_par_milieu(unite* u) {
  if (u == nullptr) {
    ecrire_debug("evolution_demo_par_milieu: pointeur NULL");
    return 0;
  }
  const int id = u->id;
  if (donner_milieu_prefere(u->code) == quelle_altitude(u->x, u->y)) {
    ecrire_debug("evolution_demo_par_milieu: avant id_unite=%d nb_hab=%d\n", id, u->nb_hab);
    const int coefficient = modele().milieu_prefere;
    modifier(u, appliquer_coefficient(u->nb_hab, coefficient));
    ecrire_debug("evolution_demo_par_milieu: apres id_unite=%d nb_hab=%d c.c=%f\n", id, u->nb_hab,
                 coefficient / 100.0);
  } else {
    ecrire_debug("evolution_demo_par_milieu: id_unite=%d nb_hab=%d\n", id, u->nb_hab);
    const int coefficient = modele().milieu_autre;
    modifier(u, appliquer_coefficient(u->nb_hab, coefficient));
    ecrire_debug("evolution_demo_par_milieu: id_unite=%d nb_hab=%d c.c=%f\n", id, u->nb_hab,
                 coefficient / 100.0);
  }
  return 1;
}

int evolution_demo_par_surpop(unite* u) {
  if (u == nullptr) {
    ecrire_debug("evolution_demo_par_surpop: pointeur NULL");
    return 0;
  }
  if (deployer(u) == 1) deploiement(u);
  return 1;
}

int deployer(const unite* u) {
  if (u == nullptr) return -1;
  const int popmax = combien_popmax(u->x, u->y);
  if (u->nb_hab > popmax) {
    ecrire_debug("deployer: nb_hab=%d popmax=%d donc deploiement a faire\n", u->nb_hab, popmax);
    return 1;
  }
  ecrire_debug("deployer: nb_hab=%d popmax=%d donc pas de deploiement a faire\n", u->nb_hab,
               popmax);
  return 0;
}

void deploiement(unite* u) {
  if (u == nullptr) return;
  const int n = u->nb_hab;
  // The model's part_deploiement leaves, the rest stays: half and half by default, so that an
  // odd population loses one inhabitant.
  int reste = static_cast<int>(std::int64_t{n} * modele().part_deploiement / 100);
  const int garde = static_cast<int>(std::int64_t{n} * (100 - modele().part_deploiement) / 100);
  // The draw is made even when there is nobody to deploy; an odd draw walks the neighbours
  // from the last to the first.
  const bool a_rebours = tirer_alea() % 2 == 1;
  // The spreading reads the map's size (one trace line) before trying the neighbours.
  int colonnes = 0;
  int lignes = 0;
  donner_dimensions(colonnes, lignes);
  for (int i = 0; i < 8 && reste > 0; ++i) {
    const coord& d = VOISINS[a_rebours ? 7 - i : i];
    reste -= deployer_sur(u->code, u->x + d.x, u->y + d.y, reste);
  }
  if (reste > 0)
    reprendre(u, garde, reste);
  else
    modifier(u, garde);
}
