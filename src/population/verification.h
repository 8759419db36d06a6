// The world's own consistency check and fingerprint, for tests, soak runs, benchmarks and
// fuzzers: cheap enough to call after every step, silent in the logs.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Every violated invariant of the world, one text each; empty when the world is sound. Checked:
// the living identifiers plus the free stack are exactly 1..N (each once), and the store keeps
// each unit under its own identifier; every living unit stands on exactly one cell (its own) and
// is in exactly one tribe list (its tribe's); every identifier of a cell or a list is a living
// unit's; tribe codes are unique; no population or resource is negative; every cell has a
// terrain whose popmax matches its altitude.
std::vector<std::string> verifier_monde();

// A hash of the dimensions, terrains, units, free identifiers and tribe lists, for determinism
// checks.
std::uint64_t empreinte_monde();
