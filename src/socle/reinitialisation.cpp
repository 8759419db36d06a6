// The bottom layer back to its start state: each module's own reset.
#include "socle/reinitialisation.h"

#include "socle/alea.h"
#include "socle/fichiers.h"
#include "socle/journal.h"
#include "socle/modele.h"
#include "socle/parametres.h"
#include "socle/signaux.h"
#include "socle/sortie.h"

void reinitialiser_socle() {
  fermer_debug();
  fermer_erreur();
  reinitialiser_fichiers();
  fixer_sortie(nullptr);
  fixer_traces_tours(1);
  reinitialiser_signaux();
  reinitialiser_parametres();
  reinitialiser_modele();
  semer_partie(1);
}
