// The headless run of --pas: steps one after the other, without prompt nor map, for scripts and
// ensembles of runs.
#pragma once

#include <cstdint>

// Runs `pas` steps and gives the exit status: 0 when all were run and every file written, 1 when
// a signal stopped the run at the end of a step or the CSV file could not be written. A reader of
// the standard output that went away ends the run after the step, with status 0.
int executer_lot(std::int64_t pas);

// The exit status of a run that ends with `statut`, once the logs are closed or flushed (a
// terminal gets its colour and bold attributes reset first): standard
// output that could not be written is said on standard error and gives 3 (a reader that went
// away is a normal end); a log that could not be opened or written gives 4 to a run that would
// end with 0. Other statuses are kept.
int statut_final(int statut);
