// Parameter files: a flat JSON object of parameter names and whole numbers, as --params reads it
// and as a save keeps the parameters of its run.
#pragma once

#include <cstddef>
#include <string>

#include "socle/modele.h"

// The largest parameter file read: every parameter with a long value fits in a few kilobytes.
inline constexpr std::size_t TAILLE_MAX_PARAMETRES = std::size_t{1} << 20;

// Sets in `p` every parameter the text names. Refused, with `p` unchanged and `erreur` naming the
// member: anything but one object of integers, an unknown or repeated name, a value out of its
// parameter's range.
bool lire_texte_parametres(const std::string& texte, parametres_modele& p, std::string& erreur);

// The same from a regular file of at most TAILLE_MAX_PARAMETRES bytes.
bool lire_fichier_parametres(const std::string& chemin, parametres_modele& p, std::string& erreur);
