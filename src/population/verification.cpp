// The world's consistency check and fingerprint. Both walk the tribe lists and the cells through
// queries that write nothing to the logs.
#include "population/verification.h"

#include <algorithm>
#include <map>
#include <set>

#include "monde/carte.h"
#include "population/civ.h"
#include "population/unites.h"

std::vector<std::string> verifier_monde() {
  std::vector<std::string> fautes;
  auto faute = [&](const std::string& texte) { fautes.push_back(texte); };
  const int X = combien_colonnes();
  const int Y = combien_lignes();

  // Every living unit, from the tribe lists.
  std::map<const unite*, int> vus;
  std::set<int> codes;
  std::vector<int> ids;
  for (const civilisation& c : liste_civ()) {
    if (!codes.insert(c.code).second) faute("code de tribu en double " + std::to_string(c.code));
    int n = 0;
    for (const auto& u : c.liste_unite) {
      ++n;
      if (++vus[u.get()] > 1) faute("unite dans deux listes, id " + std::to_string(u->id));
      if (u->code != c.code)
        faute("unite " + std::to_string(u->id) + " dans la liste d'une autre tribu");
      if (u->nb_hab < 0) faute("population negative, unite " + std::to_string(u->id));
      if (!dans_carte(u->x, u->y)) {
        faute("unite hors carte " + std::to_string(u->id));
      } else if (quelle_unite(u->x, u->y) != u.get()) {
        faute("unite " + std::to_string(u->id) + " absente de sa case");
      }
      ids.push_back(u->id);
    }
    if (n != c.nb_unites) faute("nb_unites faux pour la tribu " + std::to_string(c.code));
  }

  // Every occupied cell refers to a listed unit, and no resource is negative.
  std::size_t occupees = 0;
  for (int x = 0; x < X; ++x)
    for (int y = 0; y < Y; ++y) {
      const unite* u = quelle_unite(x, y);
      if (u != nullptr) {
        ++occupees;
        if (vus.count(u) == 0)
          faute("case occupee par une unite d'aucune tribu");
        else if (u->x != x || u->y != y)
          faute("unite sur une case qui n'est pas la sienne");
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
  if (occupees != vus.size()) faute("nombre de cases occupees different du nombre d'unites");

  // Living identifiers plus the free stack are exactly 1..N.
  std::vector<int> tous = ids;
  tous.insert(tous.end(), id_free_list().begin(), id_free_list().end());
  std::sort(tous.begin(), tous.end());
  for (std::size_t i = 0; i < tous.size(); ++i)
    if (tous[i] != static_cast<int>(i) + 1) {
      faute("identifiants vivants et libres differents de 1..N");
      break;
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
    for (const auto& u : c.liste_unite) melanger(u->id);
  }
  return h;
}
