// The bottom layer back to its start state, for tests and for the whole program's reset.
#pragma once

// Logs closed, no output registered, standard output restored with the step's lines shown, no
// signal flag and default signal handlers, settings records at their start values, generator
// seeded with 1 as the run's seed.
void reinitialiser_socle();
