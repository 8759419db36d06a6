// The settings records the whole program consults, each a module-level singleton handed out by
// copy: a getter returns a copy, a setter replaces the whole record.
#pragma once

#include <cstdint>

// Which front-end services run and whether the console loop goes on.
struct etat_programme {
  std::int32_t console;        // the console prompt is served by the main loop
  std::int32_t debug;          // the two log files are opened at start-up
  std::int32_t boucle_active;  // the console loop keeps going
  std::int32_t fin_demandee;   // the user asked to end the graphics display
};

// How the world is shown.
struct mode_affichage {
  std::int32_t ansi;    // the text display uses ANSI escape sequences
  std::int32_t bold;    // each cell of the text map ends with the bold attribute
  std::int32_t opengl;  // the graphics display is used
};

// View and window settings of the graphics display, 24 four-byte words in this order.
struct vue_gl {
  float x_eye, y_eye, z_eye;     // camera eye position
  float x_zoom, y_zoom, z_zoom;  // viewing direction; the look-at centre is eye + zoom
  float x_up, y_up, z_up;        // camera up vector
  std::int32_t nb_triangles;     // triangle count of the last scene
  std::int32_t complexite;       // scene detail level 1..3
  std::int32_t largeur;          // window width in pixels
  std::int32_t hauteur;          // window height in pixels
  std::int32_t double_buffer;    // double-buffered window
  std::int32_t plein_ecran;      // full-screen window
  std::int32_t ligne_prete;      // a line typed in the window waits for the idle loop
  std::int32_t mode_selection;   // cell-selection mode
  std::int32_t x_clic;           // window x of the last left click in selection mode
  std::int32_t y_clic;           // window y of that click, counted from the top
  std::int32_t dessin_ressources;
  std::int32_t dessin_unites;
  std::int32_t dessin_guerres;
  float heure;                   // hour of the simulated day
  std::int32_t console_reduite;  // console overlay reduced to its input bar
};

etat_programme lire_etat_programme();
void fixer_etat_programme(const etat_programme& e);

mode_affichage lire_mode_affichage();
void fixer_mode_affichage(const mode_affichage& m);

vue_gl lire_vue_gl();
void ecrire_vue_gl(const vue_gl& v);

// "on" for a non-zero flag, "off" for 0.
const char* texte_on_off(int drapeau);

// The random-tribes setting: 1 selects the drawn civilisation table.
void fixer_tribus_aleatoires(int valeur);
int lire_tribus_aleatoires();

// Settings of the graphics animation timer: milliseconds between two ticks, hours per tick.
void fixer_delai_minuterie(std::int32_t ms);
std::int32_t lire_delai_minuterie();
void fixer_pas_heure(float heures);
float lire_pas_heure();

// Tests and start-up: every record back to its value at program start.
void reinitialiser_parametres();
