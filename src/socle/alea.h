// The program's single pseudo-random sequence: every draw of the simulation comes from here,
// so a run is reproducible from its seed.
#pragma once

#include <cstdint>
#include <vector>

// Largest value a draw can give.
inline constexpr int ALEA_MAX = 32767;
// Number of values a draw can give.
inline constexpr int ALEA_PLAGE = ALEA_MAX + 1;

// Sets the state of the sequence to `graine`; also drops any scripted draws.
void initialiser_alea(std::uint32_t graine);

// Seeds the sequence for a whole run and keeps `graine` as the run's seed: the value that
// replays the run with --seed, even after later reseedings of the sequence.
void semer_partie(std::uint32_t graine);
// The run's seed given to semer_partie.
std::uint32_t graine_partie();

// One draw, 0..32767: state = state * 1103515245 + 12345 (mod 2^32), result (state >> 16) & 0x7FFF.
int tirer_alea();

// One draw r scaled to 0..n-1: the integer part of r * n / 32768.
int tirer_proportion(int n);

// Tests: the next draws are taken from `tirages`, in order, before the sequence resumes.
void scripter_alea(std::vector<int> tirages);

// Tests: scripted draws not yet consumed.
int alea_tirages_restants();

// Number of draws made since the last seeding or scripting.
long alea_nb_tirages();

// The generator's current state (what a save keeps); initialiser_alea(state) puts it back.
std::uint32_t lire_etat_alea();
