// Save and restore of the whole state of a run as a JSON file: the map and its terrains, the
// tribes and their units in list order, the free identifiers, the conflicts of the last war
// phase, the tribes' cursor, the random generator, the step counter and the observed history.
// A run restored from a save goes on exactly as the saved run would have.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "socle/modele.h"

// The format marker and the newest version this program writes and reads. A run whose model
// parameters all have their defaults is saved in version 1, exactly as before parameters
// existed; one with any other parameter is saved in version 2, which adds them.
inline constexpr const char* FORMAT_SAUVEGARDE = "pangaeolith-sauvegarde";
inline constexpr int VERSION_SAUVEGARDE = 2;
// The largest save file read, and written, in bytes. The map, units, identifiers and wars of a
// 100 x 100 world take less than 7 MB; the rest is the history, at most nine samples of at most
// eight bytes a step, so a save holds at least 3.6 million steps of any world.
inline constexpr std::size_t TAILLE_MAX_SAUVEGARDE = std::size_t{256} << 20;
// The largest step counter of a save: a thousand runs of the longest --pas, far more than a
// machine plays in years, small enough that a step count stays exact as a double and that no
// sum or product of the chart's ticks comes near the 64-bit limit.
inline constexpr std::int64_t PAS_MAX_SAUVEGARDE = 1'000'000'000'000'000;
// The largest population of a unit between two steps. A unit's own turn leaves it at its cell's
// popmax (500 at most) or at half of what milieu and feeding made of it: 1.8 times its start on
// its tribe's preferred milieu, where no unit passes 500, 1.2 times elsewhere. A unit off its
// preferred milieu that then joins a unit of its tribe standing above that cell's popmax (founded
// there with up to 500, or left at up to 450 by a deployment) takes the excess back: up to
// 500 - 250 more, so 750, which long runs with drawn tribes do reach.
inline constexpr int HABITANTS_MAX_UNITE = 750;
// The same under any parameters: the defaults' 750, or 144 times the largest capacity (after a
// unit's turn it stands at most at 72 capacities: a larger one could not have deployed all it
// had to, and would have been brought back to its cell's popmax; joining a unit of its tribe
// above its popmax takes back at most as much again), or the largest starting unit.
std::int64_t habitants_max_unite(const parametres_modele& p);

// The fingerprint a save carries: FNV-1a 64 (offset basis 14695981039346656037) of its compact
// text without the field, as sixteen hexadecimal digits.
std::string empreinte_sauvegarde(const std::string& texte);

// The state as the text of a save file.
std::string texte_sauvegarde();

// Writes the save through a temporary file renamed at the end, once the world is found to be one
// this program reads back (within every range a save is held to, and not larger than
// TAILLE_MAX_SAUVEGARDE). True on success; otherwise `erreur` says why, and any file that was at
// `chemin` is left as it was.
bool sauver_monde(const std::string& chemin, std::string& erreur);

// A save read and checked, not yet installed: reading touches nothing of the world, so that a
// start-up can check a save before it opens or creates any file.
struct sauvegarde_lue;
struct liberer_sauvegarde {
  void operator()(sauvegarde_lue* s) const;
};
using sauvegarde_prete = std::unique_ptr<sauvegarde_lue, liberer_sauvegarde>;

// Reads and checks a save file; none, with `erreur` naming what is wrong, when it is refused.
sauvegarde_prete lire_sauvegarde(const std::string& chemin, std::string& erreur);
// The same from the text of a save.
sauvegarde_prete lire_texte_sauvegarde(const std::string& texte, std::string& erreur);
// The model parameters of a save read and checked (the defaults for a version 1 save).
parametres_modele parametres_sauvegarde(const sauvegarde_prete& s);
// Replaces the world by a save that passed every check; nothing here can fail. With the name of
// the file it came from, the restore is written to the debug log.
void installer_sauvegarde(sauvegarde_prete s, const char* chemin = nullptr);

// Reads, checks and installs a save. The world in memory is replaced only once the whole file
// has been read and found sound; otherwise `erreur` names what is wrong and nothing changes.
bool charger_monde(const std::string& chemin, std::string& erreur);
// The same from the text of a save.
bool charger_texte(const std::string& texte, std::string& erreur);
