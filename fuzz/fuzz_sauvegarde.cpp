// Arbitrary bytes as a save file: the reader must refuse or accept them without fault, leave the
// world exactly as it was when it refuses, and leave a consistent world that plays a step when it
// accepts. Inputs that parse as JSON are also tried with a correct fingerprint, so that the
// checks of every field are reached and not only the fingerprint's. Every input starts from the
// same small world, built once per process and put back before each input.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <string>

#include "controle/reinitialisation.h"
#include "etat_garde.h"
#include "monde/carte.h"
#include "observation/sauvegarde.h"
#include "population/civ.h"
#include "population/verification.h"
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

// Tries one save on the world whose whole state (history included) has the fingerprint `avant`.
// A refused save must leave every field a save holds, and the rest of the program, as it was. An
// accepted one must give a sound world that plays a step and can be saved in turn. True when the
// save was accepted (the world then differs).
bool essayer(const std::string& texte, std::uint64_t avant) {
  std::string erreur;
  if (!charger_texte(texte, erreur)) {
    if (erreur.empty() || empreinte_programme(true) != avant) std::abort();
    return false;
  }
  if (!verifier_monde().empty()) std::abort();
  bcleprincip();
  if (!verifier_monde().empty()) std::abort();
  texte_sauvegarde();
  return true;
}

// The program reset, its output thrown away.
void reinitialiser() {
  static FILE* nul = std::fopen("/dev/null", "w");
  reinitialiser_programme();
  fixer_sortie(nul);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* octets, std::size_t taille) {
  // The fingerprint of the start state takes its history, sampled at step 0, as a save would.
  static const depart monde = [] {
    reinitialiser();
    semer_partie(3);
    peupler_petit_monde();
    return garder_depart(true);
  }();
  reinitialiser();
  remettre_monde(monde.monde);
  verifier_depart(monde, true);
  const std::string texte(reinterpret_cast<const char*>(octets), taille);
  const bool accepte = essayer(texte, monde.programme);
  const json j = json::parse(texte, nullptr, false);
  if (j.is_object()) essayer(signer(j), accepte ? empreinte_programme(true) : monde.programme);
  fixer_sortie(nullptr);
  return 0;
}
