// World generation. Every draw comes from the shared sequence in a fixed order and cells are
// walked by columns (x outer, y inner), so a seed yields one world.
#include "monde/generation.h"

#include <algorithm>

#include "monde/carte.h"
#include "socle/alea.h"
#include "socle/journal.h"
#include "socle/modele.h"
#include "socle/sortie.h"

namespace {

bool altitude_valide(int altitude) { return altitude >= MER && altitude <= HAUT; }

// A cell may take altitude p only when no cell of the 3 by 3 block around it differs from p by
// more than one level; neighbours outside the map are asked anyway (and reported) but ignored.
bool changement_lisse(int i, int j, int p) {
  bool lisse = true;
  for (int i2 = i - 1; i2 <= i + 1; ++i2)
    for (int j2 = j - 1; j2 <= j + 1; ++j2) {
      const int voisin = quelle_altitude(i2, j2);
      if (dans_carte(i2, j2) && (voisin - p > 1 || p - voisin > 1)) lisse = false;
    }
  return lisse;
}

}  // namespace

void creer_carte() {
  init_carte(-1);
  generer_relief();
  corne_d_abondance();
  ecrire_debug("creer_carte : termine\n");
}

void init_carte(int altitude_base) {
  const int c = tirer_alea() % 9 + 1;
  const int a = altitude_base < 3 ? tirer_alea() % 3 + 1 : altitude_base;
  ecrire_debug("le terrain qui sert de base est %d\n", a);
  ecrire_debug("le climat qui sert de base est %d\n", c);
  const int X = combien_colonnes();
  const int Y = combien_lignes();
  for (int x = 0; x < X; ++x)
    for (int y = 0; y < Y; ++y) {
      installer_terrain(x, y, creer_terrain(a, c));
      ecrire_debug("init_carte:en %d %d, le terrain est %d et le climat %d\n", x, y, a, c);
    }
}

void generer_relief() {
  const int X = combien_colonnes();
  const int Y = combien_lignes();
  const int n = std::max(X, Y);
  for (int k = 0; k < n; ++k) {
    const int y0 = tirer_alea() % Y;
    const int x0 = tirer_alea() % X;
    ajouter_relief(x0, y0);
  }
}

// Raises or lowers by one level (or leaves, for a change of 0) every cell of a rectangle around
// (x, y) that can change without breaking the smoothness of the ground. Cells change at once,
// so later cells of the patch are tested against the new altitudes.
void ajouter_relief(int x, int y) {
  const int X = combien_colonnes();
  const int Y = combien_lignes();
  const int A = (tirer_alea() % X) / 2 + 1;
  const int B = (tirer_alea() % Y) / 2 + 1;
  if (!dans_carte(x, y)) {
    ecrire_sortie("ajouter_relief:coord hors carte\n");
    return;
  }
  const int centre = quelle_altitude(x, y);
  int d = 0;
  int p = 0;
  do {
    d = 1 - tirer_alea() % 3;
    p = centre + d;
    ecrire_debug("modif =%i alt=%i relief=%i\n", d, centre, p);
  } while (!altitude_valide(p));

  for (int i = x - A; i <= x + A; ++i)
    for (int j = y - B; j <= y + B; ++j) {
      if (!dans_carte(i, j)) continue;
      const int actuelle = quelle_altitude(i, j);
      const int voulue = actuelle + d;
      if (!altitude_valide(voulue)) continue;
      modifier_altitude(donner_terrain(i, j), changement_lisse(i, j, voulue) ? voulue : actuelle);
    }
}

void corne_d_abondance() {
  const int X = combien_colonnes();
  const int Y = combien_lignes();
  for (int x = 0; x < X; ++x)
    for (int y = 0; y < Y; ++y) {
      terrain* t = donner_terrain(x, y);
      const int plein = modele().ressource_max;
      if (quelle_altitude(x, y) != MER) {
        const int q = tirer_proportion(plein + 1);
        modifier_ressources(t, NOURRITURE_ANIMALE, q);
        modifier_ressources(t, NOURRITURE_VEGETALE, plein);
        modifier_ressources(t, EAU, plein);
        modifier_ressources(t, BOIS, plein);
        ecrire_debug("corne_d_abondance:%d\n", t_donner_ressources(t, EAU));
      } else {
        modifier_ressources(t, NOURRITURE_VEGETALE, 0);
        modifier_ressources(t, NOURRITURE_ANIMALE, 0);
        modifier_ressources(t, BOIS, 0);
        modifier_ressources(t, EAU, plein);
      }
    }
}
