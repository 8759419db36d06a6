// Program entry: settings from the command line, logs, world, console, display, main loop.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <utility>

#include "console/console.h"
#include "console/interpreteur.h"
#include "controle/boucles.h"
#include "controle/demarrage.h"
#include "controle/etat_programme.h"
#include "controle/liens.h"
#include "controle/experience.h"
#include "controle/lot.h"
#include "controle/options.h"
#include "controle/terminal.h"
#include "graphique/ajouts.h"
#include "graphique/clavier.h"
#include "graphique/console_gl.h"
#include "graphique/fenetre_gl.h"
#include "monde/generation.h"
#include "observation/sauvegarde.h"
#include "observation/statistiques.h"
#include "population/civ.h"
#include "population/placement.h"
#include "socle/alea.h"
#include "socle/fichiers.h"
#include "socle/journal.h"
#include "socle/modele.h"
#include "socle/parametres.h"
#include "socle/signaux.h"

namespace {

// A log that cannot be opened is reported and the run goes on without it, once the user has
// seen the message. Only a terminal is waited on: a piped input keeps every byte for the
// commands. Standard error says which file and why.
void signaler_echec_journal(const char* nom) {
  std::printf("Erreur à l'ouverture du fichier de debug !!\n");
  std::fflush(stdout);
  std::fprintf(stderr, "pangaeolith : %s ne peut pas être ouvert (%s) : la trace est incomplète.\n",
               nom, raison_echec_journal());
  if (isatty(STDIN_FILENO)) std::getchar();
}

}  // namespace

int main(int argc, char** argv) {
  preparer_processus();
  installer_liens();
  semer_partie(static_cast<std::uint32_t>(std::time(nullptr)));
  ecrire_debug("main - Debut du programme ...\n");
  ecrire_debug("main - Analyse de la ligne de commande ...\n");
  analyser_ligne_commande(argc, argv);
  if (const int statut = statut_ligne_commande(); statut >= 0) return statut_final(statut);
  // An experiment or its chart: the whole run, without a world of this process.
  {
    const options_lot demande = lire_options_lot();
    const bool autre_travail =
        demande.pas >= 0 || !demande.stats.empty() || !demande.charger.empty();
    if (const int statut = executer_mode_experience(autre_travail); statut >= 0)
      return statut_final(statut);
  }
  installer_signaux(isatty(STDIN_FILENO));

  // Every check of the start comes before any file is created or emptied: a refused start leaves
  // the files it names as they were. First the save, read and checked without touching the world.
  const options_lot lot = lire_options_lot();
  const std::uint32_t graine_demandee = graine_partie();
  const bool debug = lire_etat_programme().debug != 0;
  std::string erreur;
  // The model's parameters: the file, then each --param over it. A save brings its own.
  if (!lot.fichier_parametres.empty() || !lot.parametres.empty()) {
    if (!lot.charger.empty()) {
      std::fprintf(stderr,
                   "pangaeolith : --param et --params ne vont pas avec --charger : une sauvegarde "
                   "garde les paramètres de sa partie (la commande param les change ensuite).\n");
      return 2;
    }
    if (!regler_modele_depart(lot.fichier_parametres, lot.parametres, erreur)) {
      std::fprintf(stderr, "pangaeolith : paramètre refusé : %s\n", erreur.c_str());
      return 2;
    }
  }
  sauvegarde_prete sauvegarde;
  if (!lot.charger.empty()) {
    sauvegarde = lire_sauvegarde(lot.charger, erreur);
    if (!sauvegarde) {
      std::fprintf(stderr, "pangaeolith : sauvegarde refusée (%s) : %s\n", lot.charger.c_str(),
                   erreur.c_str());
      return 2;
    }
  }
  // Then the CSV file, the last check: it must be none of the run's other outputs (standard
  // output or error sent to a file, the logs about to be opened). A file that cannot be written
  // stops the run at once rather than losing its statistics silently.
  // The CSV file's head names the run's parameters: a save's own when the run starts from one.
  if (sauvegarde) fixer_modele(parametres_sauvegarde(sauvegarde));
  enregistrer_sorties_standard();
  if (debug) {
    enregistrer_sortie("le journal de debug", -1, "debug.log");
    enregistrer_sortie("le journal d'erreurs", -1, "error.log");
  }
  if (!lot.stats.empty() && !ouvrir_csv(lot.stats, erreur)) {
    std::fprintf(stderr, "pangaeolith : --stats : %s\n", erreur.c_str());
    return 2;
  }

  if (debug) {
    if (!ouvrir_debug("debug.log")) signaler_echec_journal("debug.log");
    if (!ouvrir_erreur("error.log")) signaler_echec_journal("error.log");
  }

  // Every step of the run is counted and sampled for the statistics, the chart and the CSV.
  suivre_les_pas();
  if (sauvegarde) {
    ecrire_debug("main - On charge la sauvegarde %s\n", lot.charger.c_str());
    installer_sauvegarde(std::move(sauvegarde), lot.charger.c_str());
    // A seed given with a save branches from it: the sequence starts again from that seed.
    if (lot.graine_donnee) semer_partie(graine_demandee);
  } else {
    ecrire_debug("main - On crée la table des civilisations\n");
    creer_tab_civ();
    ecrire_debug("main - Création de la carte\n");
    creer_carte();
    ecrire_debug("main - On positionne les unités");
    positionner_unite();
  }
  ecrire_etat_csv();

  // A headless run: the steps asked for, then the end, without console nor display.
  if (lot.pas >= 0) {
    const int statut = executer_lot(lot.pas);
    fermer_csv();
    ecrire_debug("main - Fermeture des fichiers de debug et d'erreur...\n");
    fermer_erreur();
    fermer_debug();
    return statut_final(statut);
  }

  ecrire_debug("main - initialisation de la console\n");
  init_console();
  fixer_interpreteur(interpreter_commande);
  fixer_fichier_aide(chemin_fichier_aide().c_str());

  // PANGAEOLITH_SOBRE=1 turns the window's additions off: keys, wheel, heads-up line and the
  // window answers of mini and affich, leaving the window exactly as designed.
  if (const char* sobre = std::getenv("PANGAEOLITH_SOBRE");
      sobre != nullptr && *sobre != '\0' && std::string(sobre) != "0")
    fixer_ajouts_actifs(0);

  mode_affichage affichage = lire_mode_affichage();
  ecrire_debug("main - On prépare le terminal \n");
  if (affichage.opengl) {
    ecrire_debug("main - On passe en mode OpenGL\n");
    if (initialiser_affichage(&argc, argv)) {
      // The console reads the line typed in the window and writes into the window's console.
      fixer_entree_sortie(lire_car_gl, console_gl_ecrire);
      // Started with the console open, the typed line is ready as after opening it by key.
      if (lire_etat_programme().console) ouvrir_saisie();
    } else {
      affichage.opengl = 0;
      fixer_mode_affichage(affichage);
      ecrire_erreur("main - Le passage en mode OpenGL à échoué. Retour au mode texte ...\n");
      std::fprintf(stderr, "Affichage OpenGL indisponible : retour au mode texte.\n");
      // The text display always has its prompt.
      etat_programme programme = lire_etat_programme();
      programme.console = 1;
      fixer_etat_programme(programme);
    }
  }
  if (!affichage.opengl) {
    ecrire_debug("main - On passe en mode texte\n");
    if (!initialiser_affichage(nullptr, nullptr)) {
      ecrire_erreur("main - L'initialisation du mode texte à échouée.\n");
      return 2;
    }
    annoncer_demarrage();
  }

  ecrire_debug("main - Appel de la boucle principale\n");
  if (affichage.opengl) {
    // The window's event loop ends the program from the idle function once the user has asked.
    etat_programme programme = lire_etat_programme();
    programme.fin_demandee = 0;
    fixer_etat_programme(programme);
    // The event loop comes back here only when the window is closed by the window manager.
    boucle_evenements_gl(bcle_princip);
  } else {
    bcle_princip();
  }

  clore_sorties();
  return statut_final(0);
}
