// Storage of the window's settings record and of the animation timer's settings.
#include "graphique/vue_gl.h"

#include <cmath>

namespace {

struct Etat {
  vue_gl vue{};
  std::int32_t delai_minuterie = DELAI_MINUTERIE_INITIAL;
  float pas_heure = PAS_HEURE_INITIAL;
};

Etat etat;

}  // namespace

vue_gl lire_vue_gl() { return etat.vue; }
void ecrire_vue_gl(const vue_gl& v) { etat.vue = v; }

void fixer_delai_minuterie(std::int32_t ms) { etat.delai_minuterie = ms; }
std::int32_t lire_delai_minuterie() { return etat.delai_minuterie; }
// A step that is not a finite number would make the hour one for the rest of the run: refused.
void fixer_pas_heure(float heures) {
  if (std::isfinite(heures)) etat.pas_heure = heures;
}
float lire_pas_heure() { return etat.pas_heure; }

void reinitialiser_vue_gl() { etat = {}; }
