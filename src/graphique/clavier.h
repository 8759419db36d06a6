// Keyboard and mouse of the graphics window, and the line typed in its console: plain functions
// that the window's GLUT callbacks call with the raw events.
#pragma once

#include <cstddef>

// Special keys and mouse codes, with GLUT's values.
enum : int {
  TOUCHE_GAUCHE = 100,
  TOUCHE_HAUT = 101,
  TOUCHE_DROITE = 102,
  TOUCHE_BAS = 103,
  TOUCHE_PAGE_HAUT = 104,
  TOUCHE_PAGE_BAS = 105,
};
enum : int { BOUTON_GAUCHE = 0, BOUTON_ENFONCE = 0 };

void clavier(unsigned char touche, int x, int y);
void touches_speciales(int touche, int x, int y);
void souris(int bouton, int etat, int x, int y);
void mouvement_souris(int x, int y);

// The console's reader in graphics mode: the next character of the line typed in the window.
int lire_car_gl();

// The typed line as a graphics run with the console already open starts it: prompt mark in byte
// 0, writing at byte 1, and the prompt mark shown in the input bar.
void ouvrir_saisie();

// What the window's event glue calls for each key: the key goes to clavier or touches_speciales
// at once, unless a typed line is waiting for the idle loop (or keys are already held), in which
// case it is held in arrival order. rejouer_touches_retenues, called after each idle pass, hands
// the held keys on until one of them completes a line again. No key is lost or reordered, however
// fast they come.
void touche_recue(unsigned char touche, int x, int y);
void touche_speciale_recue(int touche, int x, int y);
void rejouer_touches_retenues();
std::size_t touches_retenues();
// Clears the ten entries of the typed-line history.
void vider_historique();

// Back to the start state: empty line and history, no drag, lighting and wireframe toggles off.
void reinitialiser_clavier();
