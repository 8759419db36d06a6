// Epidemics: a rare outbreak kills part of a unit and may reach the units of the eight cells
// around it, whatever their tribe. The rule only lowers populations and never removes a unit.
#include "regles/epidemie.h"

#include <array>

#include "monde/carte.h"
#include "population/unites.h"
#include "socle/alea.h"
#include "socle/journal.h"
#include "socle/modele.h"

namespace {

// With the default chance of one in a hundred, an outbreak happens when a draw modulo 100 gives
// this value.
constexpr int TIRAGE_EPIDEMIE = 23;

// Whether the draw r brings an outbreak, for a chance of `chance` in ten thousand. The ten
// thousand values of r % 10000 are ranked so that the first hundred are those whose value modulo
// 100 is 23: the default chance takes exactly those, and a larger chance takes them and more.
// Every chance thus reads the same one draw, and the outbreaks of a smaller chance are among
// those of a larger one.
bool eclate(int r, int chance) {
  const int j = (r % 10000 - TIRAGE_EPIDEMIE + 10000) % 10000;
  return (j % 100) * 100 + j / 100 < chance;
}

// Whether the draw r carries the outbreak to a neighbour, for a chance in percent. The hundred
// values of r % 100 are ranked odd ones first: the default of one in two takes exactly the odd
// draws, and a larger chance takes them and more.
bool contamine(int r, int chance) {
  const int v = r % 100;
  return (v % 2 == 1 ? v / 2 : 50 + v / 2) < chance;
}

// Kills 1 to nb_hab inhabitants of a unit that has some (one draw) and gives their number.
int tuer(unite* u) {
  const int morts = tirer_alea() % u->nb_hab + 1;
  u->nb_hab -= morts;
  return morts;
}

}  // namespace

void evolution_demo_par_epidemie(unite* u) {
  // The outbreak draw comes before anything is looked at: a turn without an outbreak always
  // costs exactly one draw.
  if (!eclate(tirer_alea(), modele().chance_epidemie)) return;
  if (u == nullptr || u->nb_hab <= 0) return;

  // The outbreak reads the map's size (one trace line) before looking around.
  int colonnes = 0;
  int lignes = 0;
  donner_dimensions(colonnes, lignes);

  // All eight spreading draws come first, then the unit's own victims, then each reached
  // neighbour's victims in neighbour order.
  std::array<bool, VOISINS.size()> atteint{};
  bool contagion = false;
  const int contagion_chance = modele().chance_contagion;
  for (bool& a : atteint) {
    a = contamine(tirer_alea(), contagion_chance);
    contagion = contagion || a;
  }
  const int morts = tuer(u);
  ecrire_debug(
      "evolution_demo_par_epidemie: Une epidemie est apparue en (%d,%d) et a tue %d personnes\n",
      u->x, u->y, morts);
  if (!contagion)
    ecrire_debug(
        "evolution_demo_par_epidemie: Cette epidemie n'a pas contamine les unites "
        "environnantes\n");

  for (std::size_t i = 0; i < VOISINS.size(); ++i) {
    const int vx = u->x + VOISINS[i].x;
    const int vy = u->y + VOISINS[i].y;
    if (!atteint[i] || !dans_carte(vx, vy)) continue;
    unite* voisin = quelle_unite(vx, vy);
    if (voisin == nullptr || voisin->nb_hab <= 0) continue;
    const int tues = tuer(voisin);
    ecrire_debug(
        "evolution_demo_par_epidemie: Cette epidemie a contamine l'unite situee en (%d,%d) et a "
        "tue %d personnes\n",
        vx, vy, tues);
  }
}
