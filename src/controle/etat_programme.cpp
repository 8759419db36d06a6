// Storage of the loop flags.
#include "controle/etat_programme.h"

namespace {

struct Etat {
  etat_programme programme{};
};

Etat etat;

}  // namespace

etat_programme lire_etat_programme() { return etat.programme; }
void fixer_etat_programme(const etat_programme& e) { etat.programme = e; }

void reinitialiser_etat_programme() { etat = {}; }
