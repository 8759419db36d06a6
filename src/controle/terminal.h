// What the program does for a user at a terminal: the help file found wherever the program is
// started from, the start-up line.
#pragma once

#include <string>

// The help file: "aide.dat" of the working directory when there is one, else the copy next to
// the executable, else the installed copy; "aide.dat" when none exists (the help then says
// that it cannot open it).
std::string chemin_fichier_aide();
// The same rule with the two folders given (empty: not looked at).
std::string chercher_fichier_aide(const std::string& dossier_executable,
                                  const std::string& dossier_donnees);

// When standard input is a terminal: the program's name, the run's seed and how to get help
// and leave, on standard output before the first prompt.
void annoncer_demarrage();
