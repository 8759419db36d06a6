// Arbitrary plan files: a plan the reader accepts must have runs it can number, columns for
// every metric, and a canonical text that is itself a plan read back to the same text. The same
// bytes are read as the CSV of an experiment for its chart: an accepted one must draw.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "observation/courbe_experience.h"
#include "observation/plan_experience.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* octets, std::size_t n) {
  const std::string texte(reinterpret_cast<const char*>(octets), n);
  plan_experience plan;
  std::string erreur;
  if (lire_plan(texte, plan, erreur)) {
    const std::int64_t essais = nombre_essais(plan);
    if (essais < 1 || essais > ESSAIS_MAX || plan.pas < 1 || plan.mesures.empty()) std::abort();
    for (const std::int64_t numero : {std::int64_t{1}, essais}) {
      const essai_plan e = essai_numero(plan, numero);
      if (e.valeurs.size() != plan.facteurs.size()) std::abort();
      const parametres_modele m = modele_essai(plan, e);
      for (std::size_t i = 0; i < plan.facteurs.size(); ++i) {
        int v = 0;
        if (!valeur_parametre(m, plan.facteurs[i].parametre, v) || v != e.valeurs[i]) std::abort();
      }
    }
    if (pas_releves(plan).back() != plan.pas) std::abort();
    plan_experience relu;
    if (!lire_plan(plan.canonique, relu, erreur) || relu.canonique != plan.canonique) std::abort();
  } else if (erreur.empty()) {
    std::abort();
  }
  contenu_courbe_experience c;
  if (preparer_courbe_experience(texte, "habitants", "x", c, erreur)) {
    if (c.series.empty() || c.ticks_x.size() < 2 || texte_svg_experience(c).empty()) std::abort();
  }
  return 0;
}
