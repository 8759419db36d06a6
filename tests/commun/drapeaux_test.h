// The console loop's flags for the tests of the console and window layers, which link neither
// the program's top nor its record: a record of the same four flags here, reached by the
// interpreter and the window through the same hooks, with the same effects, as in the program.
#pragma once

#include <cstdint>

struct drapeaux_boucle {
  std::int32_t console;        // the console prompt is served
  std::int32_t debug;          // the debug option
  std::int32_t boucle_active;  // the console loop keeps going
  std::int32_t fin_demandee;   // the user asked to end the graphics display
};

// The record the hooks read and change; every flag 0 after reinitialiser_couches().
inline drapeaux_boucle& drapeaux() {
  static drapeaux_boucle d{};
  return d;
}

#if PANGAEOLITH_COUCHE_TESTEE >= 5 && PANGAEOLITH_COUCHE_TESTEE < 7
#include "console/interpreteur.h"
#if PANGAEOLITH_COUCHE_TESTEE >= 6
#include "graphique/programme.h"
#endif

inline void installer_drapeaux_test() {
  drapeaux() = {};
  fixer_liens_boucle({[] { return static_cast<int>(drapeaux().debug); },
                      [] { drapeaux().boucle_active = 0; }, [] { drapeaux().console = 0; },
                      [] { drapeaux().fin_demandee = 1; }});
#if PANGAEOLITH_COUCHE_TESTEE >= 6
  fixer_liens_programme({[] { return static_cast<int>(drapeaux().console); },
                         [](int servie) { drapeaux().console = servie; },
                         [] { drapeaux().fin_demandee = 1; }});
#endif
}
#endif
