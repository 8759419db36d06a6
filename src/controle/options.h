// The command-line option parser.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Reads the options into the settings records and the map dimensions, and seeds the random
// sequence when --seed is given. What it cannot use is said on standard error: an option that
// matches nothing, a value that is missing or refused, a refused map size.
void analyser_ligne_commande(int argc, char** argv);

// After analyser_ligne_commande: -1 when the run goes on, else the exit status of a run that
// ends at once: 0 after the usage text (-h, --help), 2 after a refused seed.
int statut_ligne_commande();

// What the run does besides the console: the steps of a headless run (--pas, -1 without it), the
// CSV file of --stats and the save of --charger ("" without them), the model's parameter file of
// --params and the "nom=valeur" of every --param, in order.
struct options_lot {
  std::int64_t pas = -1;
  std::string stats;
  std::string charger;
  std::string fichier_parametres;
  std::vector<std::string> parametres;
  bool graine_donnee = false;  // --seed was given (and accepted)
};
options_lot lire_options_lot();

// Sets the model's parameters from the file of --params ("" for none), then from every
// "nom=valeur" of --param over it. False, with the model unchanged and `erreur` naming the
// parameter or the member, for a malformed, unknown, out-of-range or repeated one.
bool regler_modele_depart(const std::string& fichier, const std::vector<std::string>& affectations,
                          std::string& erreur);

// The usage text of -h and --help, on standard output.
void afficher_usage();
