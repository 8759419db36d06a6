// Whole files read and written at once. A file is written beside its final place and renamed
// over it only once complete, so that a failure never leaves a half-written file where a good one
// was, or was expected.
#pragma once

#include <cstddef>
#include <string>

// Writes `contenu` to `chemin` through a temporary file of the same folder, synced and renamed.
// True on success; otherwise `erreur` names the file and the reason, and nothing is left behind.
bool ecrire_fichier_entier(const std::string& chemin, const std::string& contenu,
                           std::string& erreur);

// Reads the whole of `chemin` into `contenu`, `taille_max` bytes at most. True on success;
// otherwise `erreur` names the file and the reason (a larger file is refused, not cut).
bool lire_fichier_entier(const std::string& chemin, std::string& contenu, std::string& erreur,
                         std::size_t taille_max);
