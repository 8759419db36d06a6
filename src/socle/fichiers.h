// The files a user names: read and written whole, or opened for writing as the run goes, always
// without waiting (a FIFO or a device is refused, never waited on), and the register of the run's
// open outputs, so that no output is ever written over another one (a chart over debug.log).
// A whole file is written beside its final place and renamed over it only once complete, so that
// a failure never leaves a half-written file where a good one was, or was expected.
#pragma once

#include <cstddef>
#include <string>

// Writes `contenu` to `chemin` through a temporary file of the same folder, synced and renamed.
// A link is followed and kept: its final target is what gets replaced. An existing file keeps its
// permissions, and its owner and group when the process may set them. A FIFO, a device, a socket
// or a folder is refused, and so is an output of the run (see sortie_libre). True on success;
// otherwise `erreur` names the file and the reason, and nothing is left behind.
bool ecrire_fichier_entier(const std::string& chemin, const std::string& contenu,
                           std::string& erreur);

// Reads the whole of the regular file `chemin` into `contenu`, `taille_max` bytes at most. True on
// success; otherwise `erreur` names the file and the reason (a larger file is refused, not cut; a
// FIFO, a device, a socket or a folder is refused without waiting; so is a file too large for
// the memory left).
bool lire_fichier_entier(const std::string& chemin, std::string& contenu, std::string& erreur,
                         std::size_t taille_max);

// Opens the regular file `chemin` for reading: its descriptor, or -1 with `raison` saying why
// (the system's reason, or what kind of file it is instead). Neither the open nor a refusal ever
// waits, not even on a FIFO without a writer.
int ouvrir_en_lecture(const std::string& chemin, std::string& raison);

// Opens `chemin` for writing as the run goes: created when missing, otherwise emptied in place,
// so that a link stays a link and a file keeps its permissions and owner. With
// `ordinaire_seulement`, anything but a regular file is refused; otherwise a device or a FIFO
// with a reader is taken as it is (a log sent to /dev/null). An output of the run is refused. The
// open never waits. The descriptor, or -1 with `raison` saying why.
int ouvrir_en_ecriture(const std::string& chemin, bool ordinaire_seulement, std::string& raison);

// The file `chemin` finally names: the links of its last part followed, a relative link read from
// the link's own folder; `chemin` itself when it is not a link.
std::string cible_finale(const std::string& chemin);

// The run's outputs, each under its role ("le journal de debug"): a file open for writing (`fd`
// >= 0), or one about to be opened (`fd` = -1: the file named `chemin` if it exists, otherwise
// its folder and name). Registering a role again replaces its former entry.
void enregistrer_sortie(const std::string& role, int fd, const std::string& chemin);
void retirer_sortie(const std::string& role);
// Standard output and standard error, when they are regular files (a run redirected to a file).
void enregistrer_sorties_standard();
// True when `chemin` is none of the registered outputs; otherwise false with `raison` naming the
// output it is ("c'est déjà le journal de debug de cette partie").
bool sortie_libre(const std::string& chemin, std::string& raison);

// Tests and start-up: no output registered.
void reinitialiser_fichiers();
