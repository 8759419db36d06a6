// The command-line option parser.
#pragma once

// Reads the options into the settings records and the map dimensions, and seeds the random
// sequence when --seed is given.
void analyser_ligne_commande(int argc, char** argv);
