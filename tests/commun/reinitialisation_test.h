// The start state of a layer's tests. Each layer's test program is built with its layer's rank
// (PANGAEOLITH_COUCHE_TESTEE: socle 0, monde 1, population 2, regles 3, observation 4, console 5,
// graphique 6, controle 7) and links only that layer and those below, so it resets only them.
#pragma once

#ifndef PANGAEOLITH_COUCHE_TESTEE
#error "PANGAEOLITH_COUCHE_TESTEE: the rank of the layer under test"
#endif

#include "socle/reinitialisation.h"
#if PANGAEOLITH_COUCHE_TESTEE >= 1
#include "monde/reinitialisation.h"
#endif
#if PANGAEOLITH_COUCHE_TESTEE >= 2
#include "population/reinitialisation.h"
#endif
#if PANGAEOLITH_COUCHE_TESTEE >= 3
#include "regles/reinitialisation.h"
#endif
#if PANGAEOLITH_COUCHE_TESTEE >= 4
#include "observation/reinitialisation.h"
#endif
#if PANGAEOLITH_COUCHE_TESTEE >= 5
#include "console/reinitialisation.h"
#endif
#if PANGAEOLITH_COUCHE_TESTEE >= 6
#include "graphique/reinitialisation.h"
#endif
#if PANGAEOLITH_COUCHE_TESTEE >= 7
#include "controle/reinitialisation.h"
#endif
#include "commun/drapeaux_test.h"

// The layer under test and every layer below it back to their start state, bottom first; for
// the top layer, the whole program's reset.
inline void reinitialiser_couches() {
#if PANGAEOLITH_COUCHE_TESTEE >= 7
  reinitialiser_programme();
#else
  reinitialiser_socle();
#if PANGAEOLITH_COUCHE_TESTEE >= 1
  reinitialiser_monde();
#endif
#if PANGAEOLITH_COUCHE_TESTEE >= 2
  reinitialiser_population();
#endif
#if PANGAEOLITH_COUCHE_TESTEE >= 3
  reinitialiser_regles();
#endif
#if PANGAEOLITH_COUCHE_TESTEE >= 4
  reinitialiser_observation();
#endif
#if PANGAEOLITH_COUCHE_TESTEE >= 5
  reinitialiser_console();
#endif
#if PANGAEOLITH_COUCHE_TESTEE >= 6
  reinitialiser_graphique();
#endif
#if PANGAEOLITH_COUCHE_TESTEE >= 5
  // The loop flags belong to the program's top, which these tests do not link.
  installer_drapeaux_test();
#endif
#endif
}
