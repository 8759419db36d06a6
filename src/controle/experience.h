// Experiments: the runs of a plan played each in a process of its own, several at a time, their
// rows gathered in run order; slices of a plan for a cluster's job array and their merge; the
// chart of a metric against a factor.
#pragma once

#include <string>
#include <vector>

struct options_experience {
  std::string plan;                 // --experience PLAN.json
  int processus = 0;                // -j N; 0: as many as the processors the program may use
  std::string resultats;            // --resultats DOSSIER; "": beside the plan
  bool reprendre = false;           // --reprendre
  bool confirmer = false;           // --confirmer
  bool fusionner = false;           // --fusionner
  long tache = 0;                   // --tache K (1..M), 0 without it
  long taches = 0;                  // --taches M, 0 without it
  std::vector<std::string> courbe;  // --courbe-experience CSV METRIQUE FACTEUR SVG
  bool donnees = false;             // one of these options was given
  bool refusee = false;             // one of their values was refused (said on standard error)
};

// The command-line parser's hook: when argv[i] is one of the options above, reads it and its
// values, moves i past them and answers true.
bool option_experience(int argc, char** argv, int& i);
options_experience lire_options_experience();
// Back to no option given.
void reinitialiser_options_experience();

// After the command line is read: -1 when no option above was given (the run goes on as usual),
// otherwise the whole work they ask for is done here and the answer is the exit status: 0 done,
// 1 stopped by a signal or a run failed (what is done is kept), 2 refused before anything was
// written. `autre_travail`: --pas, --stats or --charger was given too, which an experiment does
// not combine with.
int executer_mode_experience(bool autre_travail);

// The processors this process may run on (at least 1).
int processeurs_disponibles();
