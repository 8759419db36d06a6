// The command-line option parser.
#pragma once

#include <cstdint>
#include <string>

// Reads the options into the settings records and the map dimensions, and seeds the random
// sequence when --seed is given. What it cannot use is said on standard error: an option that
// matches nothing, a value that is missing or refused, a refused map size.
void analyser_ligne_commande(int argc, char** argv);

// After analyser_ligne_commande: -1 when the run goes on, else the exit status of a run that
// ends at once: 0 after the usage text (-h, --help), 2 after a refused seed.
int statut_ligne_commande();

// What the run does besides the console: the steps of a headless run (--pas, -1 without it), the
// CSV file of --stats and the save of --charger ("" without them).
struct options_lot {
  std::int64_t pas = -1;
  std::string stats;
  std::string charger;
  bool graine_donnee = false;  // --seed was given (and accepted)
};
options_lot lire_options_lot();

// The usage text of -h and --help, on standard output.
void afficher_usage();
