// One reset of the whole program, for tests, benchmarks and fuzzers.
#pragma once

// Every module back to its start-of-program state: no map terrains and the initial dimensions,
// no civilisation, no unit, empty identifier stack and conflict list, no step counted nor
// observed and no CSV file, the model's parameters at their defaults, settings records, loop flags, window record and timer settings at
// their start values, default console hooks and no graphics actions, the links between the
// interpreter, the window and the loop flags installed as main installs them, the graphics
// front-end silent and at its start state (no scene, empty window console and typed line), standard
// output restored with the step's lines shown, no signal flag and default signal handlers, logs
// closed, generator seeded with 1 as the run's seed.
void reinitialiser_programme();
