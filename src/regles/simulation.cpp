// One simulation step: map update, war phase, then every civilisation's turn in list order,
// between the calls of whoever observes the steps.
#include "regles/simulation.h"

#include "monde/mise_a_jour.h"
#include "population/civ.h"
#include "population/unites.h"
#include "regles/guerre.h"
#include "regles/tour.h"
#include "socle/journal.h"

namespace {

struct Etat {
  observateurs_pas observateurs;
};

Etat etat;

}  // namespace

#ifdef PANGAEOLITH_VERIFIER_MONDE
#include <cstdio>
#include <cstdlib>

#include "population/verification.h"

namespace {

// Checking builds: a world that breaks an invariant stops the run at the step that broke it.
void verifier_pas() {
  const std::vector<std::string> fautes = verifier_monde();
  if (fautes.empty()) return;
  for (const std::string& faute : fautes)
    std::fprintf(stderr, "verifier_monde : %s\n", faute.c_str());
  std::abort();
}

}  // namespace
#endif

void fixer_observateurs_pas(const observateurs_pas& o) { etat.observateurs = o; }

void bcleprincip() {
  // The world as the step finds it is shown to the observers first.
  if (etat.observateurs.debut != nullptr) etat.observateurs.debut();
  // Units removed during the previous step are no longer referred to by anything.
  liberer_unites_supprimees();
  ecrire_debug("bcleprincip - Mise à jour de la carte ...\n");
  mise_a_jour_carte();
  ecrire_debug("bcleprincip - On va jouer la guerre\n");
  jouer_guerre();
  while (civilisation* c = civ_suivante()) jouer_tour(c);
  if (etat.observateurs.fin != nullptr) etat.observateurs.fin();
#ifdef PANGAEOLITH_VERIFIER_MONDE
  verifier_pas();
#endif
}
