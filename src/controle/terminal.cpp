// The help file looked for from wherever the program starts, and the start-up line of a
// terminal session.
#include "controle/terminal.h"

#include <unistd.h>

#include <filesystem>
#include <system_error>

#include "socle/alea.h"
#include "socle/sortie.h"

#ifndef PANGAEOLITH_DONNEES
#define PANGAEOLITH_DONNEES ""
#endif
#ifndef PANGAEOLITH_DONNEES_RELATIF
#define PANGAEOLITH_DONNEES_RELATIF ""
#endif

namespace {

constexpr const char* NOM_AIDE = "aide.dat";

bool lisible(const std::string& chemin) { return access(chemin.c_str(), R_OK) == 0; }

// The folder of the running executable, or "" when the system does not say.
std::string dossier_executable() {
  std::error_code erreur;
  const std::filesystem::path chemin = std::filesystem::read_symlink("/proc/self/exe", erreur);
  return erreur ? std::string() : chemin.parent_path().string();
}

}  // namespace

std::string chercher_fichier_aide(const std::string& dossier_executable,
                                  const std::string& dossier_donnees) {
  // The working directory's file wins as soon as it exists, readable or not: the help then
  // reports it as it always has.
  if (access(NOM_AIDE, F_OK) == 0) return NOM_AIDE;
  for (const std::string& dossier : {dossier_executable, dossier_donnees}) {
    if (dossier.empty()) continue;
    const std::string chemin = dossier + "/" + NOM_AIDE;
    if (lisible(chemin)) return chemin;
  }
  return NOM_AIDE;
}

std::string chemin_fichier_aide() {
  const std::string executable = dossier_executable();
  // An installed copy is first looked for from the executable's own folder (bin/ -> share/), so
  // that a package unpacked anywhere finds its help file; then where it was configured to go.
  const std::string relatif = executable.empty() || std::string(PANGAEOLITH_DONNEES_RELATIF).empty()
                                  ? std::string()
                                  : executable + "/" + PANGAEOLITH_DONNEES_RELATIF;
  const std::string trouve = chercher_fichier_aide(executable, relatif);
  if (trouve != NOM_AIDE) return trouve;
  return chercher_fichier_aide(executable, PANGAEOLITH_DONNEES);
}

void annoncer_demarrage() {
  if (!isatty(STDIN_FILENO)) return;
  ecrire_sortie("Pangaeolith - graine %u - help pour l'aide, quit pour sortir\n",
                static_cast<unsigned>(graine_partie()));
  vider_sortie();
}
