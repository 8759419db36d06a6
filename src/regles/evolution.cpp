// Knowledge of a unit, colonisation of distant cells of its tribe's preferred milieu, and the
// provisional hostility of large peaceful or reciprocal units short of water or food.
#include "regles/evolution.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>

#include "monde/carte.h"
#include "monde/terrain.h"
#include "population/civ.h"
#include "population/unites.h"
#include "regles/alimentation.h"
#include "socle/alea.h"
#include "socle/journal.h"
#include "socle/modele.h"

namespace {

// A direction of colonisation; `mot` is the word of its trace line, none for "no move".
struct direction {
  int dx;
  int dy;
  const char* mot;
};

// Indexed by a draw modulo 5.
constexpr std::array<direction, 5> DIRECTIONS = {{{0, -1, "au nord"},
                                                  {0, 1, "au sud"},
                                                  {1, 0, "a l'est"},
                                                  {0, 0, nullptr},
                                                  {-1, 0, "a l'ouest"}}};

// The cell's altitude as quelle_altitude gives it, read straight from the terrain the scan looks
// up; a cell without one goes through quelle_altitude and its trace line.
int altitude(int x, int y) {
  const terrain* t = donner_terrain(x, y);
  return t != nullptr ? t->altitude : quelle_altitude(x, y);
}

// From (x, y) along the direction: the nearest cell of altitude m, or the last cell before the
// map's edge when none comes first; none when the unit already stands on that edge. Units on
// the way do not stop the scan.
std::optional<coord> cible(const unite& u, const direction& d, int m) {
  coord t{u.x + d.dx, u.y + d.dy};
  if (!dans_carte(t.x, t.y)) return std::nullopt;
  while (dans_carte(t.x + d.dx, t.y + d.dy) && altitude(t.x, t.y) != m) {
    t.x += d.dx;
    t.y += d.dy;
  }
  return t;
}

// The whole unit moves to the free cell t as a new unit of its tribe. A unit without
// inhabitants founds nothing (the unit cannot be created), yet its line is written.
void fonder(unite* u, coord t, const char* mot) {
  ajouter_unite(u->code, t.x, t.y, u->nb_hab);
  ecrire_debug("coloniser_terrain:L'unite %d vient de coloniser (%d,%d) %s\n", u->id, t.x, t.y,
               mot);
  u->nb_hab = 0;
}

// The unit fills up `cible`, a unit of its own tribe on t, as far as t's popmax allows. Both
// lines say "a l'est" whatever the direction of the move.
void rejoindre(unite* u, unite* cible, coord t) {
  const int popmax = combien_popmax(t.x, t.y);
  const int place = popmax - cible->nb_hab;
  if (place == 0) return;
  if (u->nb_hab > place) {
    cible->nb_hab = popmax;
    u->nb_hab -= place;
    ecrire_debug("coloniser_terrain: %d membres de l'unite %d ont rejoint (%d,%d) a l'est\n", place,
                 u->id, t.x, t.y);
  } else {
    cible->nb_hab += u->nb_hab;
    u->nb_hab = 0;
    ecrire_debug("coloniser_terrain:L'unite %d a rejoint (%d,%d) a l'est\n", u->id, t.x, t.y);
  }
}

// Resources whose shortage counts for a diet, in the order they are tested.
std::span<const int> ressources_vitales(int regime) {
  static constexpr std::array<int, 2> herbivore = {EAU, NOURRITURE_VEGETALE};
  static constexpr std::array<int, 3> omnivore = {EAU, NOURRITURE_VEGETALE, NOURRITURE_ANIMALE};
  static constexpr std::array<int, 2> carnivore = {EAU, NOURRITURE_ANIMALE};
  switch (regime) {
    case HERBIVORE:
      return herbivore;
    case OMNIVORE:
      return omnivore;
    case CARNIVORE:
      return carnivore;
    default:
      return {};
  }
}

// Whether the unit's cell holds strictly less than the unit needs of one of its vital resources.
bool manque_ressource(const unite& u) {
  const terrain* t = donner_terrain(u.x, u.y);
  for (int r : ressources_vitales(donner_regime(u.code))) {
    const int dispo = t != nullptr ? t->ressources[static_cast<std::size_t>(r)]
                                   : combien_ressouce(u.x, u.y, r);
    if (dispo < u.nb_hab * modele().besoin[r]) return true;
  }
  return false;
}

}  // namespace

void evolution_intellectuelle(unite* u) {
  if (u == nullptr) return;
  // Only whether a unit has played more than one turn matters: the count stops at the largest
  // int, which a run of billions of steps would otherwise pass.
  if (u->nb_tours < INT32_MAX) ++u->nb_tours;
  if (u->nb_tours <= 1) {
    u->connaissance = 0;
    ecrire_debug("evolution_intellectuelle: L'unite %d est au niveau de connaissances basique\n",
                 u->id);
  } else {
    u->connaissance = 1;
    ecrire_debug("evolution_intellectuelle: L'unite %d est au niveau de connaissance superieur\n",
                 u->id);
  }
}

void coloniser_terrain(unite* u) {
  if (u == nullptr) return;
  // The direction is drawn before any condition, so every call with a unit costs one draw.
  const direction& d = DIRECTIONS[tirer_alea() % DIRECTIONS.size()];
  const int m = donner_milieu_prefere(u->code);
  if (u->connaissance != 1 || altitude(u->x, u->y) == m || d.mot == nullptr) return;

  // The scan reads the map's size (one trace line).
  int colonnes = 0;
  int lignes = 0;
  donner_dimensions(colonnes, lignes);
  const std::optional<coord> t = cible(*u, d, m);
  if (!t || altitude(t->x, t->y) != m) return;
  unite* occupant = quelle_unite(t->x, t->y);
  if (occupant == nullptr)
    fonder(u, *t, d.mot);
  else if (occupant->code == u->code)
    rejoindre(u, occupant, *t);
}

void changer_comportement(unite* u) {
  if (u == nullptr) {
    ecrire_debug("changer_comportement: L'unite a traiter est vide\n");
    return;
  }
  // Only the tribe's own behaviour decides whether the unit is tested, and from what size.
  const int tribu = donner_comportement(u->code);
  if (tribu != PACIFIQUE && tribu != RECIPROQUE) return;
  // Smallest population at which a unit of a peaceful or reciprocal tribe may turn hostile.
  const int seuil = tribu == PACIFIQUE ? modele().seuil_hostilite_pacifique
                                       : modele().seuil_hostilite_reciproque;
  if (u->nb_hab < seuil || !manque_ressource(*u)) return;
  u->comportement = HOSTILE;
  ecrire_debug("changer_comportement: L'unite %d  des %s %s est provisoirement hostile\n", u->id,
               nom_tribu(u->code), tribu == PACIFIQUE ? "pacifiques" : "reciproques");
}
