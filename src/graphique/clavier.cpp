// Keyboard, mouse and typed line of the graphics window. The bindings come with the window's own
// input work; until then every event is ignored.
#include "graphique/clavier.h"

void clavier(unsigned char /*touche*/, int /*x*/, int /*y*/) {}
void touches_speciales(int /*touche*/, int /*x*/, int /*y*/) {}
void souris(int /*bouton*/, int /*etat*/, int /*x*/, int /*y*/) {}
void mouvement_souris(int /*x*/, int /*y*/) {}
int lire_car_gl() { return '\n'; }
void ouvrir_saisie() {}
void vider_historique() {}
void reinitialiser_clavier() {}
