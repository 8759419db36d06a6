// Storage of the settings records.
#include "socle/parametres.h"

namespace {

struct Etat {
  mode_affichage affichage{};
  int tribus_aleatoires = 0;
};

Etat etat;

}  // namespace

mode_affichage lire_mode_affichage() { return etat.affichage; }
void fixer_mode_affichage(const mode_affichage& m) { etat.affichage = m; }

const char* texte_on_off(int drapeau) { return drapeau != 0 ? "on" : "off"; }

void fixer_tribus_aleatoires(int valeur) { etat.tribus_aleatoires = valeur; }
int lire_tribus_aleatoires() { return etat.tribus_aleatoires; }

void reinitialiser_parametres() { etat = {}; }
