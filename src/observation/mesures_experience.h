// What one run of an experiment measures of the world as it stands: a row of the tidy CSV at the
// steps the plan records, and the figures of the whole run for its summary row.
#pragma once

#include <cstdint>
#include <string>

#include "observation/plan_experience.h"

struct suivi_essai {
  std::string lignes;               // the tidy rows recorded so far, each ending with "\n"
  std::string derniere;             // the metric fields of the last step measured
  std::int64_t pas = -1;            // last step measured
  std::int64_t habitants_max = -1;  // largest total of inhabitants, and its first step
  std::int64_t pas_habitants_max = 0;
  std::int64_t guerres_total = 0;  // wars of every step's war phase
};

// Measures the world after step `pas` (0: the starting world): the whole-run figures, and a row
// of the tidy CSV when `enregistrer`.
void mesurer_essai(const plan_experience& plan, const essai_plan& essai, std::int64_t pas,
                   bool enregistrer, suivi_essai& suivi);
// The run's summary row, once its last step is measured (ending with "\n").
std::string ligne_resume(const plan_experience& plan, const essai_plan& essai,
                         const suivi_essai& suivi);
