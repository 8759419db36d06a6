// The window's settings record and the animation timer's two settings: the graphics display
// owns them, the program's top fills the window fields from the command line, and the console's
// commands reach them only through the hooks that the program's top installs.
#pragma once

#include <cstdint>

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

// Handed out by copy: the getter returns a copy, the setter replaces the whole record.
vue_gl lire_vue_gl();
void ecrire_vue_gl(const vue_gl& v);

// The window fields as the command-line analysis prepares them before applying the options;
// every other field starts at 0.
inline constexpr std::int32_t LARGEUR_FENETRE_PAR_DEFAUT = 800;
inline constexpr std::int32_t HAUTEUR_FENETRE_PAR_DEFAUT = 600;
inline constexpr std::int32_t DOUBLE_BUFFER_PAR_DEFAUT = 1;
inline constexpr std::int32_t PLEIN_ECRAN_PAR_DEFAUT = 0;
inline constexpr float HEURE_INITIALE = 14.0f;

constexpr vue_gl vue_gl_par_defaut() {
  vue_gl v{};
  v.largeur = LARGEUR_FENETRE_PAR_DEFAUT;
  v.hauteur = HAUTEUR_FENETRE_PAR_DEFAUT;
  v.double_buffer = DOUBLE_BUFFER_PAR_DEFAUT;
  v.plein_ecran = PLEIN_ECRAN_PAR_DEFAUT;
  v.heure = HEURE_INITIALE;
  return v;
}

// The animation timer: milliseconds between two ticks ("hour"), hours added at each tick
// ("inter"). Any period is stored (a negative one counts as 0), and any hour step that is a
// finite number; the console's commands keep both within ranges of their own.
inline constexpr std::int32_t DELAI_MINUTERIE_INITIAL = 500;
inline constexpr float PAS_HEURE_INITIAL = 0.1f;
void fixer_delai_minuterie(std::int32_t ms);
std::int32_t lire_delai_minuterie();
void fixer_pas_heure(float heures);
float lire_pas_heure();

// Back to the program's start: every field of the record 0, the timer at 500 ms and 0.1 h.
void reinitialiser_vue_gl();
