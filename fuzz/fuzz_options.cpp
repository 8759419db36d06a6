// Arbitrary command lines: the bytes split at NUL into arguments. The parser must never read
// past the argument list, the map dimensions must stay within 1..100, and the world built from
// the settings must be sound. Every input starts from the program reset, which must give the
// same state each time.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "controle/options.h"
#include "controle/reinitialisation.h"
#include "etat_garde.h"
#include "monde/carte.h"
#include "monde/generation.h"
#include "population/civ.h"
#include "population/placement.h"
#include "population/verification.h"
#include "socle/sortie.h"

namespace {

// The program reset, its output (the usage text, the drawn tribes) thrown away.
void reinitialiser() {
  static FILE* neant = std::fopen("/dev/null", "w");
  reinitialiser_programme();
  fixer_sortie(neant);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* octets, std::size_t n) {
  // The fingerprint of the reset state, taken once.
  static const std::uint64_t depart = [] {
    reinitialiser();
    return empreinte_programme(false);
  }();
  std::vector<std::string> mots{"pangaeolith"};
  std::string mot;
  for (std::size_t i = 0; i < n; ++i) {
    if (octets[i] == 0) {
      mots.push_back(mot);
      mot.clear();
    } else {
      mot += static_cast<char>(octets[i]);
    }
  }
  mots.push_back(mot);
  // Each argument in its own allocation, so that a read past one is caught.
  std::vector<std::unique_ptr<char[]>> copies;
  std::vector<char*> argv;
  for (const std::string& m : mots) {
    copies.push_back(std::make_unique<char[]>(m.size() + 1));
    std::copy(m.begin(), m.end(), copies.back().get());
    copies.back()[m.size()] = '\0';
    argv.push_back(copies.back().get());
  }
  argv.push_back(nullptr);
  reinitialiser();
  if (empreinte_programme(false) != depart) std::abort();
  analyser_ligne_commande(static_cast<int>(mots.size()), argv.data());
  if (combien_colonnes() < 1 || combien_colonnes() > 100 || combien_lignes() < 1 ||
      combien_lignes() > 100)
    std::abort();
  // The world start-up builds from those settings must be sound.
  creer_tab_civ();
  creer_carte();
  positionner_unite();
  if (!verifier_monde().empty()) std::abort();
  return 0;
}
