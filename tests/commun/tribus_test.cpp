// Hand-made tribes for the tests of the population layer and those above it.
#include "commun/tribus_test.h"

#include <string>

#include "population/civ.h"

void ajouter_tribu(int code, int regime, int comportement, int milieu_prefere) {
  const std::string nom = "T" + std::to_string(code);
  ajouter_civ(code, nom.c_str(), regime, comportement, milieu_prefere);
}
