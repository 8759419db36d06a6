// The headless run of --pas: steps one after the other, without prompt nor map, for scripts and
// ensembles of runs.
#pragma once

#include <cstdint>

// Runs `pas` steps and gives the exit status: 0 when all were run and every file written, 1 when
// a signal stopped the run at the end of a step or the CSV file could not be written.
int executer_lot(std::int64_t pas);
