// Keyboard and mouse of the graphics window, and the line typed in its console: plain functions
// that the window's GLUT callbacks call with the raw events.
#pragma once

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
// 0, writing at byte 1.
void ouvrir_saisie();
// Clears the ten entries of the typed-line history.
void vider_historique();

// Back to the start state: empty line and history, no drag, lighting and wireframe toggles off.
void reinitialiser_clavier();
