// The graphics window: the GL, GLU and GLUT implementation of the drawing interface, the window's
// creation and GL state, the display and reshape callbacks, and the event loop. This module is
// the only one that talks to GL, GLU, GLUT and the X server.
#pragma once

// Opens the window (glutInit may take its own options out of the argument list), sets the GL
// state, builds the first scene and places the camera on the oblique view: 1. When no window can
// be opened (no X display reachable, or no GL on it) nothing is started and the result is 0, so
// the program can go on with the text display.
int init_opengl(int* argc, char** argv);

// The GL implementation of the drawing interface, which init_opengl installs (benchmarks put it
// back after a reset of the program).
class dessin;
dessin& dessin_fenetre();

// Display callback: sky of the hour, camera, sun, the scene's list, then the overlays.
void afficher_gl();

// Reshape callback: viewport and perspective for the new size.
void redimensionner(int largeur, int hauteur);

// Registers `inactif` as the idle function and the keyboard, special-key, mouse and motion
// handlers, then runs the window's event loop. Quit ends the program from inside; the loop
// returns only when the window manager closes the window.
void boucle_evenements_gl(void (*inactif)());
