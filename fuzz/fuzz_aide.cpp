// Arbitrary help files and topics: the first line of the input is the help command's topic, the
// rest is "aide.dat". Every answer must end with "Fin de l'aide", no text handed to the writer
// may pass 499 characters, a found topic's title is underlined exactly, and the world stays
// sound.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "console/console.h"
#include "controle/reinitialisation.h"
#include "monde/carte.h"
#include "monde/generation.h"
#include "population/civ.h"
#include "population/placement.h"
#include "population/verification.h"
#include "socle/sortie.h"

namespace {

std::vector<std::string> textes;

void garder(const char* texte) {
  if (std::strlen(texte) > 499) std::abort();
  textes.emplace_back(texte);
}

// One help command; its texts must end with the closing line, and a title be underlined.
void demander(const std::string& ligne) {
  textes.clear();
  afficher_aide(ligne.c_str());
  if (textes.empty() || textes.back() != "Fin de l'aide\n") std::abort();
  for (std::size_t i = 0; i + 1 < textes.size(); ++i)
    if (textes[i].rfind("Aide sur ", 0) == 0 && textes[i].rfind("Aide sur les commandes :", 0) &&
        textes[i + 1] != std::string(textes[i].size() - 1, '-') + "\n")
      std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* octets, std::size_t n) {
  static FILE* neant = std::fopen("/dev/null", "w");
  static const std::string chemin =
      "/tmp/pangaeolith-fuzz-aide-fichier-" + std::to_string(getpid());
  // The world is built once: help never changes it, and it must still be sound after each input.
  static const bool monde = [] {
    reinitialiser_programme();
    fixer_dimensions(3, 2);
    creer_tab_civ();
    creer_carte();
    positionner_unite();
    return true;
  }();
  (void)monde;
  fixer_sortie(neant);
  const std::string tout(reinterpret_cast<const char*>(octets), n);
  const std::size_t fin = tout.find('\n');
  const std::string sujet = tout.substr(0, fin);
  const std::string contenu = fin == std::string::npos ? "" : tout.substr(fin + 1);
  if (FILE* f = std::fopen(chemin.c_str(), "wb")) {
    std::fwrite(contenu.data(), 1, contenu.size(), f);
    std::fclose(f);
  }
  fixer_entree_sortie(nullptr, garder);
  fixer_fichier_aide(chemin.c_str());
  demander("help");
  demander("help " + sujet);
  demander("H " + sujet + " suite");
  // The topic as the first word of the file's own text, so that found entries are walked too.
  demander("help " +
           contenu.substr(contenu.find('@') == std::string::npos ? 0 : contenu.find('@') + 1, 60));
  fixer_fichier_aide(nullptr);
  // Removed after each input: rewriting the same file would make the file system write it out at
  // each close.
  std::remove(chemin.c_str());
  demander("help " + sujet);
  if (!verifier_monde().empty()) std::abort();
  return 0;
}
