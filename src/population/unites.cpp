// The unit store and the identifiers. Identifiers are 1..N, N the highest ever given: the living
// units hold some, the free stack the others, each exactly once, so the store is a table indexed
// by identifier. N never passes the number of cells, since a fresh identifier is given only when
// every smaller one is a living unit's and each living unit has a cell of its own; the table is
// sized for the largest map, so finding a unit (the rules ask for one at every cell they visit)
// costs one comparison and one load. Each record is allocated on its own and never moves, so a
// pointer to a unit stays good until it is removed and, after that, while its record waits in
// the holding area.
#include "population/unites.h"

#include <algorithm>
#include <array>
#include <utility>

#include "monde/carte.h"
#include "socle/journal.h"

namespace {

constexpr std::size_t ID_MAX = static_cast<std::size_t>(TAILLE_MAX_CARTE) * TAILLE_MAX_CARTE;

struct Etat {
  // Unit `id` in slot id; slot 0, the identifier of an empty cell, stays empty.
  std::array<std::unique_ptr<unite>, ID_MAX + 1> par_id;
  int nb_ids = 0;                                  // N
  std::vector<int> id_libres;                      // top of the stack last
  std::vector<std::unique_ptr<unite>> supprimees;  // removed, still readable
};

Etat etat;

}  // namespace

void creer_liste_id_libres() {
  etat.id_libres.clear();
  ecrire_debug("creer_liste_id_libres: La liste des id libres vient d'etre creee\n");
}

const std::vector<int>& id_free_list() { return etat.id_libres; }

std::optional<coord> creer_coord(int x, int y) {
  if (x < 0 || x >= combien_colonnes() || y < 0 || y >= combien_lignes()) {
    ecrire_debug("creer_coord:coordonnees (%d,%d) incorrectes\n", x, y);
    return std::nullopt;
  }
  return coord{x, y};
}

// With the stack empty every identifier of 1..N is living, so the count plus one is fresh.
int generer_id_unite() {
  if (!etat.id_libres.empty()) {
    const int id = etat.id_libres.back();
    etat.id_libres.pop_back();
    ecrire_debug("generer_id_unite: L'id %d a ete reaffecte\n", id);
    return id;
  }
  const int n = combien_unites() + 1;
  ecrire_debug("generer_id_unite: L'id %d a ete affecte pour la premiere fois\n", n);
  return n;
}

unite* donner_unite(int id) {
  // Negative identifiers wrap past the end.
  const auto i = static_cast<std::size_t>(id);
  return i <= ID_MAX ? etat.par_id[i].get() : nullptr;
}

int combien_identifiants() { return etat.nb_ids; }

int combien_unites() { return etat.nb_ids - static_cast<int>(etat.id_libres.size()); }

unite* enregistrer_unite(std::unique_ptr<unite> u) {
  if (u == nullptr || u->id < 1 || static_cast<std::size_t>(u->id) > ID_MAX) return nullptr;
  std::unique_ptr<unite>& place = etat.par_id[static_cast<std::size_t>(u->id)];
  // A slot taken means the identifier was given twice: the unit is not made twice.
  if (place != nullptr) return nullptr;
  etat.nb_ids = std::max(etat.nb_ids, u->id);
  place = std::move(u);
  return place.get();
}

void retirer_unite(unite* u) {
  if (u == nullptr || donner_unite(u->id) != u) return;
  etat.supprimees.push_back(std::move(etat.par_id[static_cast<std::size_t>(u->id)]));
  etat.id_libres.push_back(u->id);
  ecrire_debug("supprimer_unite: %d vient d'etre ajoute a id_free_list\n", u->id);
}

void liberer_unites_supprimees() { etat.supprimees.clear(); }

// The four cell questions read the cell once: its occupant's identifier, or, outside the map,
// the question's error line and -1.
namespace {
int occupant(int x, int y, const char* erreur) {
  const int id = donner_occupant(x, y);
  if (id < 0) ecrire_erreur("%s\n", erreur);
  return id;
}
}  // namespace

unite* quelle_unite(int x, int y) {
  const int id = occupant(x, y, "quelle_unite: on demande une unite hors de la carte");
  return id < 0 ? nullptr : donner_unite(id);
}

int quelle_unite_code(int x, int y) {
  const int id = occupant(x, y, "quelle_unite_code: on demande une unite hors de la carte");
  return id < 0 ? -1 : donner_id_unite(donner_unite(id));
}

int quelle_tribu(int x, int y) {
  const int id = occupant(x, y, "quelle_tribu: unite hors de la carte");
  return id < 0 ? -1 : code(donner_unite(id));
}

int nb_habitants(int x, int y) {
  const int id = occupant(x, y, "nb_habitants: unite hors de la carte");
  return id < 0 ? -1 : nb_hab_unite(donner_unite(id));
}

void installer_unites(registre_unites unites, std::vector<int> id_libres) {
  reinitialiser_unites();
  etat.nb_ids = static_cast<int>(std::min(unites.size(), ID_MAX));
  for (std::size_t i = 0; i < static_cast<std::size_t>(etat.nb_ids); ++i)
    etat.par_id[i + 1] = std::move(unites[i]);
  etat.id_libres = std::move(id_libres);
}

// Only the slots 1..N can have been written.
void reinitialiser_unites() {
  std::for_each(etat.par_id.begin(), etat.par_id.begin() + etat.nb_ids + 1,
                [](std::unique_ptr<unite>& u) { u.reset(); });
  etat.nb_ids = 0;
  etat.id_libres.clear();
  etat.supprimees.clear();
}
