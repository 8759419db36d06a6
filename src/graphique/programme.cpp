// The window's hooks to the program's top.
#include "graphique/programme.h"

namespace {

struct Etat {
  liens_programme liens{};
};

Etat etat;

}  // namespace

void fixer_liens_programme(const liens_programme& liens) { etat.liens = liens; }

int console_servie() {
  return etat.liens.console_servie != nullptr ? etat.liens.console_servie() : 0;
}

void servir_console(int servie) {
  if (etat.liens.servir_console != nullptr) etat.liens.servir_console(servie);
}

void demander_fin() {
  if (etat.liens.demander_fin != nullptr) etat.liens.demander_fin();
}
