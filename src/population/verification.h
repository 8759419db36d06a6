// The world's own consistency check and fingerprint, for tests, soak runs, benchmarks and
// fuzzers: cheap enough to call after every step, silent in the logs.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Every violated invariant of the world, one text each; empty when the world is sound. Checked:
// every living unit stands on exactly one cell (its own) and in exactly one tribe list (its
// tribe's), each tribe's nb_unites counts its list, tribe codes are unique, the living
// identifiers plus the free stack are exactly 1..N, no population or resource is negative, every
// cell has a terrain whose popmax matches its altitude.
std::vector<std::string> verifier_monde();

// A hash of the dimensions, terrains, units, free identifiers and tribe lists, for determinism
// checks.
std::uint64_t empreinte_monde();
