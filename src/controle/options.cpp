// Command-line options. Each argument that starts with "-" is compared, without that dash, with
// every row of the table in order; a row matches the stored letter or the stored word exactly.
// An option with values moves the argument position past them, so the rows after it are
// compared with its last value.
#include "controle/options.h"

#include <climits>
#include <cstdlib>
#include <cstring>
#include <optional>

#include "graphique/clavier.h"
#include "monde/carte.h"
#include "socle/alea.h"
#include "socle/defauts.h"
#include "socle/journal.h"
#include "socle/parametres.h"

namespace {

// A decimal value read like atoi (spaces, sign, leading digits; 0 when none), kept within the
// range of an int instead of overflowing.
int lire_valeur(const char* texte) {
  const long v = std::strtol(texte, nullptr, 10);
  if (v > INT_MAX) return INT_MAX;
  if (v < INT_MIN) return INT_MIN;
  return static_cast<int>(v);
}

}  // namespace

void analyser_ligne_commande(int argc, char** argv) {
  etat_programme programme = lire_etat_programme();
  programme.console = 0;
  programme.debug = 0;
  mode_affichage affichage{};
  vue_gl vue = vue_gl_par_defaut();
  int X = COLONNES_PAR_DEFAUT;
  int Y = LIGNES_PAR_DEFAUT;
  std::optional<int> graine;

  if (argc != 1) ecrire_debug("main - Des arguments à la ligne de commande ont étés trouvés");
  for (int i = 1; i < argc; ++i) {
    if (argv[i][0] != '-') {
      ecrire_debug("main - L'argument trouvé n'est pas valide. On le saute ...\n");
      continue;
    }
    ecrire_debug("main - Argument valide trouvé\n");
    // The argument under comparison is argv[i] at the moment of each row: after an option with
    // values it is that option's last value (an empty value is compared as it is).
    auto est = [&](const char* lettre, const char* mot) {
      const char* reste = argv[i][0] != '\0' ? argv[i] + 1 : argv[i];
      return (lettre != nullptr && std::strcmp(reste, lettre) == 0) || std::strcmp(reste, mot) == 0;
    };
    // Values are read only when they are all there: nothing is read past the argument list.
    auto valeurs = [&](int n) { return i + n < argc; };

    if (est("g", "-opengl")) affichage.opengl = 1;
    if (est("a", "-ansi")) affichage.ansi = 1;
    if (est("c", "-console")) programme.console = 1;
    if (est("d", "-debug")) programme.debug = 1;
    if (est(nullptr, "-rand")) fixer_tribus_aleatoires(1);
    if (est("s", "-simplebuffer")) vue.double_buffer = 0;
    if (est("z", "-size") && valeurs(2)) {
      vue.largeur = lire_valeur(argv[i + 1]);
      vue.hauteur = lire_valeur(argv[i + 2]);
      i += 2;
    }
    if (est("f", "-fullscreen")) vue.plein_ecran = 1;
    if (est("i", "-dim") && valeurs(2)) {
      X = lire_valeur(argv[i + 1]);
      Y = lire_valeur(argv[i + 2]);
      i += 2;
    }
    if (est(nullptr, "-seed") && valeurs(1)) {
      graine = lire_valeur(argv[i + 1]);
      i += 1;
    }
  }

  ecrire_debug("main - Modification des dimensions de la carte\n");
  fixer_dimensions(X, Y);
  if (!affichage.opengl) programme.console = 1;
  fixer_etat_programme(programme);
  affichage.bold = 0;
  fixer_mode_affichage(affichage);
  ecrire_vue_gl(vue);
  vider_historique();
  if (graine) initialiser_alea(static_cast<std::uint32_t>(*graine));
}
