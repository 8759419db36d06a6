// Unit identifiers and the life cycle of units. The identifiers of living units plus those on
// the free stack are always exactly 1..N, N the highest ever given.
#include "population/unites.h"

#include <unordered_map>
#include <utility>

#include "monde/carte.h"
#include "population/civ.h"
#include "socle/journal.h"
#include "socle/sortie.h"

namespace {

struct Etat {
  std::vector<int> id_libres;                      // top of the stack last
  std::vector<std::unique_ptr<unite>> supprimees;  // removed, still readable
  reperes_unites positions;                        // each living unit's place in its tribe's list
};

Etat etat;

// Pushes a released identifier on the free stack.
void liberer_identifiant(int id) {
  etat.id_libres.push_back(id);
  ecrire_debug("supprimer_unite: %d vient d'etre ajoute a id_free_list\n", id);
}

void ecrire_suppression(const unite* u) {
  ecrire_debug("supprimer_unite: L'unite d'id %d de la tribu %d vient d'etre supprimee en(%d,%d)\n",
               u->id, u->code, u->x, u->y);
}

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

int generer_id_unite() {
  if (!etat.id_libres.empty()) {
    const int id = etat.id_libres.back();
    etat.id_libres.pop_back();
    ecrire_debug("generer_id_unite: L'id %d a ete reaffecte\n", id);
    return id;
  }
  int n = 1;
  for (const civilisation& c : liste_civ()) n += c.nb_unites;
  ecrire_debug("generer_id_unite: L'id %d a ete affecte pour la premiere fois\n", n);
  return n;
}

std::unique_ptr<unite> creer_unite(int code, int x, int y, int nb_hab) {
  if (nb_hab <= 0) {
    ecrire_debug("creer_unite: nb_habitants<=0 unite non creee on renvoie NULL\n");
    return nullptr;
  }
  auto u = std::make_unique<unite>();
  u->id = generer_id_unite();
  u->code = code;
  u->x = x;
  u->y = y;
  u->nb_hab = nb_hab;
  u->en_guerre = 0;
  u->victoire = 0;
  u->comportement = donner_comportement(code);
  u->nb_tours = 0;
  u->connaissance = 0;
  const civilisation* c = donner_civ(code);
  ecrire_debug("creer_unite: L'unite d'id %d de la tribu %s vient d'etre creee en(%d,%d)\n", u->id,
               c != nullptr ? c->nom : "(null)", x, y);
  return u;
}

void ajouter_unite(int code, int x, int y, int nb_hab) {
  civilisation* c = donner_civ(code);
  // A unit needs a tribe to belong to and a cell inside the map.
  if (c == nullptr || !dans_carte(x, y)) {
    ecrire_debug("ajouter_unite:echec de creer_unite\n");
    return;
  }
  std::unique_ptr<unite> u = creer_unite(code, x, y, nb_hab);
  if (!u) {
    ecrire_debug("ajouter_unite:echec de creer_unite\n");
    return;
  }
  unite* nouvelle = u.get();
  c->liste_unite.push_front(std::move(u));
  etat.positions[nouvelle] = c->liste_unite.begin();
  ++c->nb_unites;
  ajouter_unite_carte(nouvelle);
}

// The head of the list and a unit further down write their lines in two different orders.
void supprimer_unite(unite* u) {
  if (u == nullptr) {
    ecrire_debug("supprimer_unite:unite vide");
    return;
  }
  civilisation* c = donner_civ(u->code);
  if (c == nullptr) return;
  if (c->liste_unite.empty()) {
    ecrire_sortie("supprimer_unite:liste_unite vide");
    return;
  }
  const auto position = etat.positions.find(u);
  if (position == etat.positions.end()) return;
  const liste_unites::iterator element = position->second;
  etat.positions.erase(position);
  const bool en_tete = element == c->liste_unite.begin();
  if (!en_tete) ecrire_suppression(u);
  etat.supprimees.push_back(std::move(*element));
  c->liste_unite.erase(element);
  liberer_identifiant(u->id);
  if (en_tete) {
    --c->nb_unites;
    retirer_unite_carte(u);
    ecrire_suppression(u);
  } else {
    retirer_unite_carte(u);
    --c->nb_unites;
  }
}

void liberer_unites_supprimees() { etat.supprimees.clear(); }

reperes_unites reperer_unites(std::list<civilisation>& civs) {
  std::size_t n = 0;
  for (const civilisation& c : civs) n += c.liste_unite.size();
  reperes_unites reperes;
  reperes.reserve(n);
  for (civilisation& c : civs)
    for (auto it = c.liste_unite.begin(); it != c.liste_unite.end(); ++it) reperes[it->get()] = it;
  return reperes;
}

void installer_unites(reperes_unites reperes, std::vector<int> id_libres) {
  etat.positions = std::move(reperes);
  etat.id_libres = std::move(id_libres);
}

void reinitialiser_unites() {
  etat.id_libres.clear();
  etat.supprimees.clear();
  etat.positions.clear();
}
