// Arbitrary bytes as a parameter file (--params) and as --param texts: a refusal leaves the
// parameters as they were and says why; an accepted file sets every parameter within its range,
// and the parameters it set read back the same from the "nom=valeur" texts the program writes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "observation/fichier_parametres.h"
#include "socle/modele.h"

namespace {

// Every parameter of `p` within its range, or -1 where that means "as the tribe set makes it".
void verifier_plages(const parametres_modele& p) {
  for (const description_parametre& d : parametres_connus()) {
    int v = 0;
    if (!valeur_parametre(p, d.nom, v)) std::abort();
    const bool herite = d.defaut == -1 && v == -1;
    if (!herite && (v < d.minimum || v > d.maximum)) std::abort();
  }
}

bool memes(const parametres_modele& a, const parametres_modele& b) {
  return parametres_changes(a) == parametres_changes(b);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
  const std::string texte(reinterpret_cast<const char*>(donnees), taille);

  // The whole input as a file, read over parameters already changed.
  parametres_modele p{};
  std::string erreur;
  if (!regler_affectation(p, "besoin_eau=12", erreur)) std::abort();
  const parametres_modele avant = p;
  if (lire_texte_parametres(texte, p, erreur)) {
    verifier_plages(p);
    parametres_modele relu{};
    for (const std::string& a : parametres_changes(p))
      if (!regler_affectation(relu, a, erreur)) std::abort();
    if (!memes(p, relu)) std::abort();
  } else if (erreur.empty() || !memes(p, avant)) {
    std::abort();
  }

  // Each line as a --param text.
  std::string_view reste = texte;
  while (!reste.empty()) {
    const std::size_t fin = reste.find('\n');
    const std::string_view ligne = reste.substr(0, fin);
    reste = fin == std::string_view::npos ? std::string_view{} : reste.substr(fin + 1);
    parametres_modele q = avant;
    erreur.clear();
    if (regler_affectation(q, ligne, erreur))
      verifier_plages(q);
    else if (erreur.empty() || !memes(q, avant))
      std::abort();
  }
  return 0;
}
