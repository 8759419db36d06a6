// Arbitrary bytes as a save file: the reader must refuse or accept them without fault, leave the
// world exactly as it was when it refuses, and leave a consistent world that plays a step when it
// accepts. Inputs that parse as JSON are also tried with a correct fingerprint, so that the
// checks of every field are reached and not only the fingerprint's.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <string>

#include "controle/reinitialisation.h"
#include "monde/carte.h"
#include "monde/generation.h"
#include "population/civ.h"
#include "population/placement.h"
#include "population/verification.h"
#include "regles/sauvegarde.h"
#include "regles/simulation.h"
#include "socle/alea.h"
#include "socle/sortie.h"

namespace {

using json = nlohmann::json;

// The document with the fingerprint of its content, so that the checks behind it are reached.
std::string signer(json j) {
  j.erase("empreinte");
  j["empreinte"] = empreinte_sauvegarde(j.dump());
  return j.dump();
}

void essayer(const std::string& texte) {
  const std::string avant = texte_sauvegarde();
  std::string erreur;
  if (!charger_texte(texte, erreur)) {
    if (erreur.empty() || texte_sauvegarde() != avant) std::abort();
    return;
  }
  if (!verifier_monde().empty()) std::abort();
  bcleprincip();
  if (!verifier_monde().empty()) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* octets, std::size_t taille) {
  static FILE* nul = std::fopen("/dev/null", "w");
  reinitialiser_programme();
  fixer_sortie(nul);
  fixer_dimensions(6, 4);
  semer_partie(3);
  creer_tab_civ();
  creer_carte();
  positionner_unite();
  const std::string texte(reinterpret_cast<const char*>(octets), taille);
  essayer(texte);
  const json j = json::parse(texte, nullptr, false);
  if (j.is_object()) essayer(signer(j));
  fixer_sortie(nullptr);
  return 0;
}
