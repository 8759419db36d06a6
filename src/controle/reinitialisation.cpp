// One reset of the whole program: each module's own reset, bottom layer first.
#include "controle/reinitialisation.h"

#include "console/console.h"
#include "console/interpreteur.h"
#include "controle/etat_programme.h"
#include "controle/liens.h"
#include "graphique/ajouts.h"
#include "graphique/clavier.h"
#include "graphique/console_gl.h"
#include "graphique/courbe_gl.h"
#include "graphique/dessin.h"
#include "graphique/scene.h"
#include "graphique/vue.h"
#include "graphique/vue_gl.h"
#include "monde/carte.h"
#include "observation/statistiques.h"
#include "population/civ.h"
#include "population/unites.h"
#include "regles/guerre.h"
#include "socle/alea.h"
#include "socle/fichiers.h"
#include "socle/journal.h"
#include "socle/modele.h"
#include "socle/parametres.h"
#include "socle/signaux.h"
#include "socle/sortie.h"

void reinitialiser_programme() {
  fermer_debug();
  fermer_erreur();
  reinitialiser_fichiers();
  fixer_sortie(nullptr);
  fixer_traces_tours(1);
  reinitialiser_signaux();
  reinitialiser_parametres();
  reinitialiser_modele();
  reinitialiser_etat_programme();
  reinitialiser_vue_gl();
  semer_partie(1);
  reinitialiser_carte();
  reinitialiser_civ();
  reinitialiser_unites();
  init_conflits();
  reinitialiser_statistiques();
  init_console();
  fixer_actions_graphiques({});
  installer_liens();
  fixer_dessin(nullptr);
  reinitialiser_vue();
  reinitialiser_scene();
  init_console_gl();
  reinitialiser_clavier();
  reinitialiser_ajouts();
  reinitialiser_courbe_gl();
}
