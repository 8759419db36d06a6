// The compact map. Columns are numbered above the frame at every tenth cell (the number starts
// in the column it names), rows at the left of every tenth row; the row labels take two
// characters and the frame two more, so a 100-column world is 104 characters wide.
#include "console/carte_compacte.h"

#include <string>

#include "console/affich.h"
#include "monde/carte.h"
#include "population/unites.h"
#include "socle/parametres.h"
#include "socle/sortie.h"

namespace {

constexpr int MARQUE = 10;

char lettre_sol(int altitude) {
  switch (altitude) {
    case MER:
      return 'o';
    case BAS:
      return 'p';
    case MOYEN:
      return 'c';
    case HAUT:
      return 'm';
    default:
      return '?';
  }
}

// The character of a cell: a tribe code (0..9) is a digit, any other code a '*'.
char caractere(int x, int y) {
  const unite* u = quelle_unite(x, y);
  if (u == nullptr) return lettre_sol(quelle_altitude(x, y));
  return u->code >= 0 && u->code <= 9 ? static_cast<char>('0' + u->code) : '*';
}

void ligne_numeros(int X) {
  std::string ligne(static_cast<std::size_t>(X) + 3, ' ');
  for (int x = 0; x < X; x += MARQUE) {
    const std::string n = std::to_string(x);
    ligne.replace(static_cast<std::size_t>(x) + 3, n.size(), n);
  }
  ligne.erase(ligne.find_last_not_of(' ') + 1);
  ecrire_sortie("%s\n", ligne.c_str());
}

void ligne_cadre(int X) {
  ecrire_sortie("  +%s+\n", std::string(static_cast<std::size_t>(X), '-').c_str());
}

// One row; in ANSI mode the colours change only where the ground changes, and the row ends
// with the colours reset (then bold again in bold mode), so the frame keeps the terminal's own.
void ligne_cellules(int X, int y, bool ansi, bool gras) {
  if (y % MARQUE == 0)
    ecrire_sortie("%2d|", y);
  else
    ecrire_sortie("  |");
  int sol_precedent = -2;
  for (int x = 0; x < X; ++x) {
    if (ansi) {
      const int sol = quelle_altitude(x, y);
      if (sol != sol_precedent) couleur_case(x, y);
      sol_precedent = sol;
    }
    ecrire_sortie("%c", caractere(x, y));
  }
  if (ansi) ecrire_sortie("\033[0m%s", gras ? "\033[1m" : "");
  ecrire_sortie("|\n");
}

}  // namespace

int afficher_carte_compacte() {
  const int X = combien_colonnes();
  const int Y = combien_lignes();
  const mode_affichage mode = lire_mode_affichage();
  ligne_numeros(X);
  ligne_cadre(X);
  for (int y = 0; y < Y; ++y) ligne_cellules(X, y, mode.ansi != 0, mode.bold != 0);
  ligne_cadre(X);
  ecrire_sortie("Légende : o océan, p plaine, c colline, m montagne, chiffre : code de la tribu\n");
  vider_sortie();
  return std::ferror(sortie()) ? 0 : 1;
}
