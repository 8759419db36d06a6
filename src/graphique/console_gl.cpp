// The window console and its overlays. The line store, the drawing of the overlay and the cell
// panel come with the window console's own work; until then texts written here are dropped.
#include "graphique/console_gl.h"

void console_gl_ecrire(const char* /*texte*/) {}
void console_gl_remonter() {}
void console_gl_descendre() {}
void console_gl_vider() {}
void init_console_gl() {}
void texte_gl(const char* /*texte*/) {}
void texte_gl_marge(const char* /*texte*/, int /*marge*/) {}
void dessiner_console() {}
void dessiner_infos_case() {}
void fixer_taille_fenetre(int /*largeur*/, int /*hauteur*/) {}
