// The war phase: every unit may first turn provisionally hostile, then every aggressive unit
// fights each neighbouring unit of another tribe it has not met in the phase. The wars of the
// last phase stay listed for the display until the next phase.
#include "regles/guerre.h"

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

#include "monde/carte.h"
#include "population/civ.h"
#include "population/unites.h"
#include "regles/evolution.h"
#include "socle/alea.h"
#include "socle/journal.h"
#include "socle/modele.h"
#include "socle/sortie.h"

namespace {

// Victory mark given to the winner.
constexpr int VICTOIRE = 1;

struct Etat {
  std::vector<conflit> conflits;  // the last phase's wars; conflict n is at index n - 1
};

Etat etat;

// A unit makes war when its tribe is hostile or it is itself (provisionally) hostile.
bool agressive(const unite& u) {
  return donner_comportement(u.code) == HOSTILE || u.comportement == HOSTILE;
}

// Both sides lose part of their population: a first, drawn modulo b's strength, then b, drawn
// modulo a's strength as it stood before a's loss; the model's pertes_guerre scales the drawn
// losses (all of them by default).
void bataille(unite* a, unite* b) {
  const int pa = a->nb_hab;
  const int pb = b->nb_hab;
  const int pertes = modele().pertes_guerre;
  a->nb_hab -= static_cast<int>(std::int64_t{tirer_alea() % pb} * pertes / 100);
  b->nb_hab -= static_cast<int>(std::int64_t{tirer_alea() % pa} * pertes / 100);
}

// One war of the phase between the aggressor u and v, with its settlement. True when u was
// beaten, which ends u's turn of the sweep.
bool faire_la_guerre(unite* u, unite* v) {
  ecrire_trace("guerre: C'est la guerre entre les unites %d et %d\n", u->id, v->id);
  ecrire_trace("unite_en_cours: id=%d (%d,%d) autre unite: id=%d (%d,%d)\n", u->id, u->x, u->y,
               v->id, v->x, v->y);
  ajouter_conflit(u, v);
  ajouter_adversaire(v, u);
  ajouter_adversaire(u, v);
  evolution_demo_par_guerre(u, v);
  // When both are left with nothing, both are beaten in turn: u wins first (v goes, u has
  // nothing to settle), then v, whose record stays readable after its removal, wins over u.
  if (v->nb_hab == 0) a_gagne(u, v, VICTOIRE, coord{v->x, v->y});
  if (u->nb_hab != 0) return false;
  a_gagne(v, u, VICTOIRE, coord{u->x, u->y});
  return true;
}

// The aggressor u fights the units of the eight cells around it and of its own cell (its tribe's
// units are passed over), in neighbour order, until it is beaten.
void combattre_voisins(unite* u) {
  ecrire_debug("guerre:  x=%d  y=%d unite_en_cours_id=%d code_unite_en_cours=%d nb_hab=%d\n", u->x,
               u->y, u->id, u->code, u->nb_hab);
  const int x = u->x;
  const int y = u->y;
  for (int dx = -1; dx <= 1; ++dx)
    for (int dy = -1; dy <= 1; ++dy) {
      if (!dans_carte(x + dx, y + dy)) continue;
      unite* v = quelle_unite(x + dx, y + dy);
      if (v == nullptr) continue;
      ecrire_debug("guerre: x=%d y=%d autre_unite_id=%d code_autre_unite=%d nb_hab=%d\n", v->x,
                   v->y, v->id, v->code, v->nb_hab);
      if (v->code == u->code || pas_encore_combattu(u, v) == 0) continue;
      if (faire_la_guerre(u, v)) return;
    }
}

// The phase's count, then the two cells of every war, on standard output.
void afficher_conflits() {
  int x1 = 0;
  int y1 = 0;
  int x2 = 0;
  int y2 = 0;
  const int nb = donner_conflit(0, x1, y1, x2, y2);
  ecrire_trace("nb=%d\n", nb);
  for (int i = 1; i <= nb; ++i) {
    donner_conflit(i, x1, y1, x2, y2);
    ecrire_trace("x1=%d y1=%d x2=%d y2=%d\n", x1, y1, x2, y2);
  }
}

}  // namespace

void jouer_guerre() {
  int colonnes = 0;
  int lignes = 0;
  donner_dimensions(colonnes, lignes);
  ecrire_trace("X=%d Y=%d\n", colonnes, lignes);
  init_conflits();
  // Cells by columns. A unit founded by a victory on a cell still ahead is swept like any other.
  for (int x = 0; x < colonnes; ++x)
    for (int y = 0; y < lignes; ++y) {
      unite* u = quelle_unite(x, y);
      if (u == nullptr) continue;
      changer_comportement(u);
      ecrire_debug("guerre: cp=%d hostile=%d\n", u->comportement, HOSTILE);
      if (agressive(*u)) combattre_voisins(u);
    }
  afficher_conflits();
  effacer_adversaires();
}

void evolution_demo_par_guerre(unite* a, unite* b) {
  if (a == nullptr || b == nullptr) {
    ecrire_debug("evolution_demo_par_guerre: unite vide\n");
    return;
  }
  // An empty unit fights with one inhabitant, so no loss is ever drawn modulo 0.
  if (a->nb_hab == 0) a->nb_hab = 1;
  if (b->nb_hab == 0) b->nb_hab = 1;
  const char* mot = nullptr;
  switch (b->comportement) {
    case HOSTILE:
      bataille(a, b);
      mot = "hostiles";
      break;
    case PACIFIQUE:
      b->nb_hab = 0;
      mot = "pacifiques";
      break;
    case RECIPROQUE:
      bataille(a, b);
      mot = "reciproques";
      break;
    default:
      break;
  }
  if (mot != nullptr)
    ecrire_debug(
        "evolution_demo_par_guerre: Les %s hostiles de l'unite d'id %d sont en guerre contre les "
        "%s %s de l'unite d'id %d \n",
        nom_tribu(a->code), a->id, nom_tribu(b->code), mot, b->id);
  a->nb_hab = std::max(a->nb_hab, 0);
  b->nb_hab = std::max(b->nb_hab, 0);
  ecrire_debug("Il reste %d %s\n", a->nb_hab, nom_tribu(a->code));
  ecrire_debug("Il reste %d %s\n", b->nb_hab, nom_tribu(b->code));
}

int a_gagne(unite* gagnant, unite* perdant, int marque, coord c) {
  if (gagnant == nullptr) return 0;
  ecrire_trace("a_gagne: L'unite %d a gagne la guerre contre l'unite %d\n", gagnant->id,
               donner_id_unite(perdant));
  gagnant->victoire = marque;
  // A victory ends provisional hostility.
  const int tribu = donner_comportement(gagnant->code);
  if (gagnant->comportement != tribu) {
    gagnant->comportement = tribu;
    ecrire_debug("a_gagne: L'unite %d a perdu son hostilite provisoire\n", gagnant->id);
  }
  gagnant->case_conquise = c;
  supprimer_unite(perdant);
  // The model's part_conquete of the winner (half by default) settles on the conquered cell and
  // the winner keeps the rest. The cell must be free: a settlement never takes the place of
  // another unit.
  const int colons =
      static_cast<int>(std::int64_t{gagnant->nb_hab} * modele().part_conquete / 100);
  if (colons != 0 && dans_carte(c.x, c.y) && quelle_unite(c.x, c.y) == nullptr) {
    ajouter_unite(gagnant->code, c.x, c.y, colons);
    gagnant->nb_hab -= colons;
  }
  return 1;
}

void init_conflits() { etat = {}; }

void fixer_conflits(std::vector<conflit> conflits) { etat.conflits = std::move(conflits); }

void ajouter_conflit(const unite* a, const unite* b) {
  if (a == nullptr || b == nullptr) return;
  const int numero = static_cast<int>(etat.conflits.size()) + 1;
  etat.conflits.push_back(conflit{numero, a->x, a->y, b->x, b->y});
}

int donner_conflit(int n, int& x1, int& y1, int& x2, int& y2) {
  const int nb = static_cast<int>(etat.conflits.size());
  if (n == 0) return nb;
  if (n < 1 || n > nb) return 0;
  const conflit& c = etat.conflits[n - 1];
  x1 = c.x1;
  y1 = c.y1;
  x2 = c.x2;
  y2 = c.y2;
  return nb;
}

int pas_encore_combattu(const unite* a, const unite* b) {
  if (a == nullptr || b == nullptr) return 0;
  const auto& deja = b->adversaires;
  return std::find(deja.begin(), deja.end(), a->id) == deja.end() ? 1 : 0;
}

void ajouter_adversaire(unite* b, const unite* a) {
  if (a == nullptr || b == nullptr) return;
  // Newest first.
  b->adversaires.insert(b->adversaires.begin(), a->id);
  b->en_guerre = 1;
}

// Every living unit stands on its own cell, so going through the store by identifier reaches
// the same units as a sweep of the map, in fewer look-ups.
void effacer_adversaires() {
  for (int id = 1; id <= combien_identifiants(); ++id)
    if (unite* u = donner_unite(id); u != nullptr) u->adversaires.clear();
}
