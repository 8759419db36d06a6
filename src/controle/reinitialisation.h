// One reset of the whole program, for tests, benchmarks and fuzzers.
#pragma once

// Every module back to its start-of-program state: no map terrains and the initial dimensions,
// no civilisation, no unit, empty identifier stack and conflict list, settings records and timer
// settings at their start values, default console hooks and no graphics actions, standard
// output restored, logs closed, generator seeded with 1.
void reinitialiser_programme();
