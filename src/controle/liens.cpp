// The links between the interpreter, the window and the records of the layers that own them.
// Each hook reads a copy of the record it serves, changes it and writes the whole copy back
// within the one call, so no caller holds a copy across another's change.
#include "controle/liens.h"

#include "console/interpreteur.h"
#include "controle/etat_programme.h"
#include "graphique/ajouts.h"
#include "graphique/programme.h"
#include "graphique/vue_gl.h"

namespace {

// What "show" prints of the window, read from vue_gl.
options_fenetre options_de_la_vue() {
  const vue_gl v = lire_vue_gl();
  options_fenetre o{};
  o.x_eye = v.x_eye, o.y_eye = v.y_eye, o.z_eye = v.z_eye;
  o.x_zoom = v.x_zoom, o.y_zoom = v.y_zoom, o.z_zoom = v.z_zoom;
  o.x_up = v.x_up, o.y_up = v.y_up, o.z_up = v.z_up;
  o.nb_triangles = v.nb_triangles;
  o.complexite = v.complexite;
  o.largeur = v.largeur;
  o.hauteur = v.hauteur;
  o.double_buffer = v.double_buffer;
  o.plein_ecran = v.plein_ecran;
  o.dessin_ressources = v.dessin_ressources;
  o.dessin_unites = v.dessin_unites;
  return o;
}

void regler_delai_minuterie(int ms) { fixer_delai_minuterie(ms); }
void regler_pas_heure(float heures) { fixer_pas_heure(heures); }

// "pro_mode": 0 becomes 1, any other value 0.
void basculer_console_reduite() {
  vue_gl v = lire_vue_gl();
  v.console_reduite = v.console_reduite == 0 ? 1 : 0;
  ecrire_vue_gl(v);
}

int debug_actif() { return lire_etat_programme().debug; }
int drapeau_console() { return lire_etat_programme().console; }

void rendre_la_main() {
  etat_programme e = lire_etat_programme();
  e.boucle_active = 0;
  fixer_etat_programme(e);
}

void fixer_drapeau_console(int servie) {
  etat_programme e = lire_etat_programme();
  e.console = servie;
  fixer_etat_programme(e);
}

void fermer_console() { fixer_drapeau_console(0); }

void noter_fin_demandee() {
  etat_programme e = lire_etat_programme();
  e.fin_demandee = 1;
  fixer_etat_programme(e);
}

}  // namespace

void installer_liens() {
  fixer_reglages_fenetre({options_de_la_vue, regler_delai_minuterie, regler_pas_heure,
                          basculer_console_reduite, ajouts_actifs});
  fixer_liens_boucle({debug_actif, rendre_la_main, fermer_console, noter_fin_demandee});
  fixer_liens_programme({drapeau_console, fixer_drapeau_console, noter_fin_demandee});
}
