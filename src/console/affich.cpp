// The character map: one block of lines per map row, one fixed-width box per cell showing the
// ground (a letter, or a background colour in ANSI mode), the unit standing there, its tribe and
// which resources the cell still holds. Everything goes straight to standard output.
#include "console/affich.h"

#include <string>

#include "monde/carte.h"
#include "population/unites.h"
#include "socle/journal.h"
#include "socle/parametres.h"
#include "socle/sortie.h"

namespace {

constexpr char ESC = 27;

// ANSI codes of the map's own colour numbers; any other number resets.
const char* code_avant_plan(int couleur) {
  static const char* const codes[] = {"[30m", "[37m", "[31m", "[34m",
                                      "[35m", "[36m", "[32m", "[33m"};
  return couleur >= 0 && couleur < 8 ? codes[couleur] : "[0m";
}

const char* code_arriere_plan(int couleur) {
  static const char* const codes[] = {"[40m", "[47m", "[41m", "[44m",
                                      "[45m", "[46m", "[42m", "[43m"};
  return couleur >= 0 && couleur < 8 ? codes[couleur] : "[0m";
}

char lettre(int altitude) {
  switch (altitude) {
    case MER:
      return 'O';
    case BAS:
      return 'P';
    case MOYEN:
      return 'C';
    case HAUT:
      return 'M';
    default:
      return '?';
  }
}

void ecrire_tirets(int n) {
  ecrire_sortie("%s", std::string(static_cast<std::size_t>(n), '-').c_str());
}

// Plain mode frames a box with the ground letter on both sides; ANSI mode opens it with the
// ground colours (twice on the identifier line) and closes it with fin_couleur.
struct boite {
  bool ansi;

  void ouvrir(int x, int y, int fois = 1) const {
    if (!ansi) {
      ecrire_sortie("%c", lettre(quelle_altitude(x, y)));
      return;
    }
    for (int i = 0; i < fois; ++i) couleur_case(x, y);
  }

  void fermer(int x, int y) const {
    if (ansi)
      fin_couleur();
    else
      ecrire_sortie("%c", lettre(quelle_altitude(x, y)));
  }
};

char marque(int x, int y, int ressource, char lettre_ressource) {
  return combien_ressouce(x, y, ressource) != 0 ? lettre_ressource : ' ';
}

// Plain mode only: the five-letter band of every cell of the row.
void ligne_bande(int X, int y) {
  ecrire_sortie(" |");
  for (int x = 0; x < X; ++x) {
    const char l = lettre(quelle_altitude(x, y));
    ecrire_sortie("%c%c%c%c%c", l, l, l, l, l);
  }
  ecrire_sortie("|\n");
}

void ligne_identifiants(const boite& b, int X, int y) {
  ecrire_sortie(" |");
  for (int x = 0; x < X; ++x) {
    b.ouvrir(x, y, 2);
    const int id = quelle_unite_code(x, y);
    if (id == -1)
      ecrire_sortie("   ");
    else
      ecrire_sortie("%3i", id);
    b.fermer(x, y);
  }
  if (b.ansi) fin_couleur();
  ecrire_sortie("|\n");
}

void ligne_bois_tribu(const boite& b, int X, int y) {
  ecrire_sortie("%1.1i|", y / 10);
  for (int x = 0; x < X; ++x) {
    b.ouvrir(x, y);
    ecrire_sortie("%c", marque(x, y, BOIS, 'B'));
    const int tribu = quelle_tribu(x, y);
    if (tribu == -1)
      ecrire_sortie(" ");
    else
      ecrire_sortie("%i", tribu);
    ecrire_sortie(" ");
    b.fermer(x, y);
  }
  ecrire_sortie("|\n");
}

void ligne_ressources(const boite& b, int X, int y) {
  ecrire_sortie("%1.1i|", y % 10);
  for (int x = 0; x < X; ++x) {
    b.ouvrir(x, y);
    ecrire_sortie("%c%c%c", marque(x, y, EAU, 'E'), marque(x, y, NOURRITURE_ANIMALE, 'A'),
                  marque(x, y, NOURRITURE_VEGETALE, 'V'));
    b.fermer(x, y);
  }
  ecrire_sortie("|\n");
}

}  // namespace

int init_affich_text() {
  ecrire_debug("affich - init_affich_text - On initialise l'affichage en mode texte\n");
  if (lire_mode_affichage().ansi) {
    ecrire_debug("affich - init_affich_text - Envoi du code \\f à la console\n");
    ecrire_sortie("\f");
  } else {
    ecrire_sortie("%s", std::string(30, '\n').c_str());
  }
  vider_sortie();
  return 1;
}

int afficher_carte() {
  ecrire_debug("afficher_carte - On va prendre les dimensions de la carte.\n");
  int X = 0;
  int Y = 0;
  donner_dimensions(X, Y);
  ecrire_debug("afficher_carte - Dimensions obtenues : X=%i ,Y=%i\n", X, Y);
  const boite b{lire_mode_affichage().ansi != 0};
  const int largeur = b.ansi ? 3 : 5;

  if (b.ansi)
    ecrire_sortie("%c[2J", ESC);
  else
    ecrire_sortie("\n\n\n\n\n\n");
  ecrire_sortie("  ");
  for (int x = 0; x < X; ++x) ecrire_sortie(b.ansi ? "%3.2i" : "%5.2i", x);
  ecrire_sortie("\n ");
  ecrire_tirets(largeur * X + 2);
  ecrire_sortie("\n");

  for (int y = 0; y < Y; ++y) {
    if (!b.ansi) ligne_bande(X, y);
    ligne_identifiants(b, X, y);
    ligne_bois_tribu(b, X, y);
    ligne_ressources(b, X, y);
    if (!b.ansi) ligne_bande(X, y);
  }

  ecrire_tirets(largeur * X + 2);
  ecrire_sortie("\n");
  ecrire_sortie("Legende : O = Ocean , P = Plaine , C = Colline , M = Montagne\n");
  ecrire_sortie("Le numéro à coté est le numéro de la tribu en présence\n");
  vider_sortie();
  // A map that could not be written (standard output closed) is a display failure.
  return std::ferror(sortie()) ? 0 : 1;
}

void changer_couleur(int avant_plan, int arriere_plan) {
  ecrire_sortie("%c%s%c%s", ESC, code_avant_plan(avant_plan), ESC, code_arriere_plan(arriere_plan));
}

void couleur_case(int x, int y) {
  switch (quelle_altitude(x, y)) {
    case MER:
      changer_couleur(0, 3);
      break;
    case BAS:
      changer_couleur(0, 7);
      break;
    case MOYEN:
      changer_couleur(0, 6);
      break;
    case HAUT:
      changer_couleur(0, 1);
      break;
    default:
      changer_couleur(0, 2);
      break;
  }
}

void fin_couleur() { ecrire_sortie("%c%s", ESC, lire_mode_affichage().bold ? "[1m" : "[0m"); }
