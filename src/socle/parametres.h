// The settings every layer may consult: how the world is shown and how the tribes are drawn.
// Each is a module-level singleton handed out by copy: a getter returns a copy, a setter
// replaces the whole record.
#pragma once

#include <cstdint>

// How the world is shown.
struct mode_affichage {
  std::int32_t ansi;    // the text display uses ANSI escape sequences
  std::int32_t bold;    // each cell of the text map ends with the bold attribute
  std::int32_t opengl;  // the graphics display is used
};

mode_affichage lire_mode_affichage();
void fixer_mode_affichage(const mode_affichage& m);

// "on" for a non-zero flag, "off" for 0.
const char* texte_on_off(int drapeau);

// The random-tribes setting: 1 selects the drawn civilisation table.
void fixer_tribus_aleatoires(int valeur);
int lire_tribus_aleatoires();

// Tests and start-up: every record back to its value at program start.
void reinitialiser_parametres();
