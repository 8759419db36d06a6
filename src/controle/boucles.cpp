// The console loop: one pass per command line, until a command clears boucle_active.
#include "controle/boucles.h"

#include <cerrno>
#include <cstdlib>

#include "console/console.h"
#include "controle/etat_programme.h"
#include "controle/lot.h"
#include "graphique/vue_gl.h"
#include "observation/statistiques.h"
#include "socle/journal.h"
#include "socle/parametres.h"
#include "socle/signaux.h"
#include "socle/sortie.h"

void clore_sorties() {
  fermer_csv();
  ecrire_debug("main - Fermeture des fichiers de debug et d'erreur...\n");
  fermer_erreur();
  fermer_debug();
}

void bcle_princip() {
  for (;;) {
    const mode_affichage affichage = lire_mode_affichage();
    etat_programme programme = lire_etat_programme();
    // A signal that asks the run to end is obeyed between two lines, like "quit". The window
    // has no prompt for Ctrl-C to come back to: there it ends the run too.
    if (affichage.opengl &&
        (programme.fin_demandee || arret_demande() || interruption_en_attente())) {
      clore_sorties();
      std::exit(statut_final(0));
    }
    // An idle window writes no record for a long time: what is buffered goes out within a second.
    if (affichage.opengl) entretenir_journaux();
    programme.boucle_active = 1;
    if (!programme.console || arret_demande()) {
      programme.boucle_active = 0;
      fixer_etat_programme(programme);
      return;
    }
    fixer_etat_programme(programme);
    vue_gl vue = lire_vue_gl();
    if (!affichage.opengl) {
      afficher_invite();
      ecrire_debug("bcle_princip - on affiche le prompt\n");
      // The trace is on disk while the program waits: a run killed at the prompt keeps it all.
      vider_journaux();
      lire_commande();
    } else {
      // In the window one idle call interprets at most the one line typed there.
      if (!vue.ligne_prete) {
        programme.boucle_active = 0;
        fixer_etat_programme(programme);
        return;
      }
      vue.ligne_prete = 0;
      ecrire_vue_gl(vue);
      ecrire_debug("bcle_princip - on affiche le prompt\n");
      lire_commande();
      // The window console shows a new prompt on a text starting with the byte 255.
      console_printf("%c", 255);
    }
    // A reader of the standard output that went away ends the run like "quit".
    if (!lire_etat_programme().boucle_active || arret_demande() || erreur_sortie() == EPIPE) return;
  }
}
