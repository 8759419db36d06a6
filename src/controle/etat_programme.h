// The program's loop flags: which front-end services run and whether the console loop goes on.
// The loops read them here; the console's commands and the window's keys change them through
// the hooks the program's top installs (controle/liens.h).
#pragma once

#include <cstdint>

struct etat_programme {
  std::int32_t console;        // the console prompt is served by the main loop
  std::int32_t debug;          // the two log files are opened at start-up
  std::int32_t boucle_active;  // the console loop keeps going
  std::int32_t fin_demandee;   // the user asked to end the graphics display
};

// Handed out by copy: the getter returns a copy, the setter replaces the whole record.
etat_programme lire_etat_programme();
void fixer_etat_programme(const etat_programme& e);

// Back to the program's start: every flag 0.
void reinitialiser_etat_programme();
