// The world's consistency check and fingerprint. Both walk the unit store, the tribe lists and
// the cells through queries that write nothing to the logs.
#include "population/verification.h"

#include <set>
#include <string>

#include "monde/carte.h"
#include "population/civ.h"
#include "population/unites.h"

std::vector<std::string> verifier_monde() {
  std::vector<std::string> fautes;
  auto faute = [&](const std::string& texte) { fautes.push_back(texte); };
  auto n = [](int v) { return std::to_string(v); };
  // The store owns each unit under its identifier; the free stack, the tribe lists and the cells
  // each give identifiers too. For each of 1..N, how often each of the three gives it: a living
  // unit must be listed once and stand on its cell, a free identifier nowhere but on the stack.
  struct renvois {
    int libre = 0;
    int listee = 0;
    int posee = 0;
  };
  const int N = combien_identifiants();
  std::vector<renvois> vus(static_cast<std::size_t>(N) + 1);

  for (int id : id_free_list()) {
    if (id < 1 || id > N)
      faute("identifiant libre " + n(id) + " hors de 1.." + n(N));
    else
      ++vus[static_cast<std::size_t>(id)].libre;
  }

  std::set<int> codes;
  for (const civilisation& c : liste_civ()) {
    if (!codes.insert(c.code).second) faute("code de tribu en double " + n(c.code));
    for (int id : c.liste_unite) {
      const unite* u = donner_unite(id);
      if (u == nullptr) {
        faute("identifiant " + n(id) + " sans unite dans la liste de la tribu " + n(c.code));
        continue;
      }
      ++vus[static_cast<std::size_t>(id)].listee;
      if (u->code != c.code) faute("unite " + n(id) + " dans la liste d'une autre tribu");
    }
  }

  const int X = combien_colonnes();
  const int Y = combien_lignes();
  for (int x = 0; x < X; ++x)
    for (int y = 0; y < Y; ++y) {
      if (const int id = donner_occupant(x, y); id != 0) {
        const unite* u = donner_unite(id);
        if (u == nullptr)
          faute("case occupee par l'identifiant " + n(id) + " sans unite");
        else if (u->x != x || u->y != y)
          faute("unite " + n(id) + " sur une case qui n'est pas la sienne");
        else
          ++vus[static_cast<std::size_t>(id)].posee;
      }
      const terrain* t = donner_terrain(x, y);
      if (t == nullptr) {
        faute("case sans terrain");
        continue;
      }
      for (int r = 0; r < 4; ++r)
        if (t->ressources[r] < 0) faute("ressource negative");
      if (t->popmax != pop_terrain(t->altitude)) faute("popmax incoherent");
    }

  for (int id = 1; id <= N; ++id) {
    const renvois& v = vus[static_cast<std::size_t>(id)];
    const unite* u = donner_unite(id);
    if (v.libre > 1) faute("identifiant " + n(id) + " libre deux fois");
    if (u == nullptr) {
      if (v.libre == 0) faute("identifiant " + n(id) + " ni vivant ni libre");
      continue;
    }
    if (v.libre > 0) faute("identifiant " + n(id) + " libre et porte par une unite");
    if (u->id != id) faute("unite " + n(u->id) + " rangee sous l'identifiant " + n(id));
    if (u->nb_hab < 0) faute("population negative, unite " + n(id));
    if (v.listee == 0) faute("unite " + n(id) + " dans aucune liste");
    if (v.listee > 1) faute("unite dans deux listes, id " + n(id));
    if (!dans_carte(u->x, u->y))
      faute("unite hors carte " + n(id));
    else if (v.posee == 0)
      faute("unite " + n(id) + " absente de sa case");
  }
  return fautes;
}

std::uint64_t empreinte_monde() {
  std::uint64_t h = 1469598103934665603ull;
  auto melanger = [&h](std::int64_t v) {
    h ^= static_cast<std::uint64_t>(v);
    h *= 1099511628211ull;
  };
  const int X = combien_colonnes();
  const int Y = combien_lignes();
  melanger(X);
  melanger(Y);
  for (int x = 0; x < X; ++x)
    for (int y = 0; y < Y; ++y) {
      const terrain* t = donner_terrain(x, y);
      melanger(t->altitude);
      melanger(t->climat);
      for (int r = 0; r < 4; ++r) melanger(t->ressources[r]);
      const unite* u = quelle_unite(x, y);
      melanger(u != nullptr ? u->id : 0);
      if (u != nullptr) {
        melanger(u->code);
        melanger(u->nb_hab);
        melanger(u->comportement);
        melanger(u->nb_tours);
      }
    }
  for (int id : id_free_list()) melanger(id);
  for (const civilisation& c : liste_civ()) {
    melanger(c.code);
    for (int id : c.liste_unite) melanger(id);
  }
  return h;
}
