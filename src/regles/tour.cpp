// A tribe's turn: each unit present when the turn began runs the rules in their fixed order,
// newest first; units founded during the turn wait for the next one.
#include "regles/tour.h"

#include <vector>

#include "monde/carte.h"
#include "monde/terrain.h"
#include "population/unites.h"
#include "regles/alimentation.h"
#include "regles/epidemie.h"
#include "regles/evolution.h"
#include "regles/milieu.h"
#include "socle/journal.h"
#include "socle/sortie.h"

namespace {

struct Etat {
  // Scratch space of a turn, emptied when each turn begins: the units that play it.
  std::vector<unite*> a_jouer;
};

Etat etat;

// The turn lines go both to the debug log and to standard output.
void tracer_tour(const char* format, const unite* u) {
  ecrire_debug(format, u->x, u->y, u->nb_hab);
  ecrire_trace(format, u->x, u->y, u->nb_hab);
}

}  // namespace

int jouer_tour(civilisation* c) {
  if (c == nullptr) return 0;
  // A tribe whose last unit went is deleted when its next turn comes.
  if (c->liste_unite.empty()) {
    supprimer_civ(c);
    return 1;
  }
  // The units present when the turn begins play, newest first. Units founded during the turn go
  // to the head of the list and wait for the next turn; a unit removed before its place in the
  // walk comes (its record stays readable until the next step) is passed over, and removing
  // the one playing does not disturb the others.
  etat.a_jouer.clear();
  for (int id : c->liste_unite) etat.a_jouer.push_back(donner_unite(id));
  for (unite* u : etat.a_jouer) {
    if (u == nullptr || donner_unite(u->id) != u) continue;
    tracer_tour("  jouer_tour: debut (%d,%d) nb_h=%d\n", u);
    evolution_unite(u);
    tracer_tour("  jouer_tour: fin   (%d,%d) nb_h=%d\n", u);
    if (u->nb_hab <= 0) supprimer_unite(u);
  }
  return 1;
}

int evolution_unite(unite* u) {
  if (u == nullptr) return 0;
  evolution_demo_par_epidemie(u);
  evolution_demo_par_milieu(u);
  evolution_demo_par_alimentation(u);
  evolution_demo_par_surpop(u);
  evolution_intellectuelle(u);
  coloniser_terrain(u);
  // Wood is taken from the unit's own cell only, on the population left after colonisation
  // (straight from the cell's terrain, as consommer_ressource would once it has found it).
  const int bois = consommation_tour(u, BOIS);
  if (terrain* t = donner_terrain(u->x, u->y); t != nullptr)
    modifier_ressources(t, BOIS, t->ressources[BOIS] - bois);
  else
    consommer_ressource(u->x, u->y, BOIS, bois);
  return 1;
}
