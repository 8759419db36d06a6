// The metrics of an experiment's run, read from the tribes as the statistics count them and from
// the map.
#include "observation/mesures_experience.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "monde/carte.h"
#include "monde/terrain.h"
#include "observation/statistiques.h"
#include "population/civ.h"

namespace {

struct compte_tribu {
  std::int64_t unites = 0;
  std::int64_t habitants = 0;
  std::int64_t extinction = -1;
};

}  // namespace

void mesurer_essai(const plan_experience& plan, const essai_plan& essai, std::int64_t pas,
                   bool enregistrer, suivi_essai& suivi) {
  std::array<compte_tribu, NB_TRIBUS> tribus{};
  int vivantes = 0;
  std::int64_t total = 0;
  for (const bilan_tribu& b : bilan_tribus()) {
    if (b.pas_extinction < 0) ++vivantes;
    total += b.habitants;
    if (b.code >= 0 && b.code < NB_TRIBUS)
      tribus[static_cast<std::size_t>(b.code)] = {b.unites, b.habitants, b.pas_extinction};
  }
  // The war phase of step 0 has not been played: the list of wars is still empty.
  const int guerres = pas > 0 ? guerres_derniere_phase() : 0;
  suivi.pas = pas;
  suivi.guerres_total += guerres;
  if (total > suivi.habitants_max) {
    suivi.habitants_max = total;
    suivi.pas_habitants_max = pas;
  }
  if (!enregistrer && pas < plan.pas) return;

  std::string champs;
  for (mesure_experience m : plan.mesures) {
    switch (m) {
      case mesure_experience::tribus_vivantes:
        champs += "," + std::to_string(vivantes);
        break;
      case mesure_experience::habitants:
        for (const compte_tribu& t : tribus) champs += "," + std::to_string(t.habitants);
        break;
      case mesure_experience::unites:
        for (const compte_tribu& t : tribus) champs += "," + std::to_string(t.unites);
        break;
      case mesure_experience::guerres:
        champs += "," + std::to_string(guerres);
        break;
      case mesure_experience::extinction:
        for (const compte_tribu& t : tribus)
          champs += t.extinction < 0 ? std::string(",") : "," + std::to_string(t.extinction);
        break;
      case mesure_experience::ressources: {
        std::array<std::int64_t, 4> sommes{};
        for (int x = 0; x < combien_colonnes(); ++x)
          for (int y = 0; y < combien_lignes(); ++y)
            for (int r = EAU; r <= NOURRITURE_ANIMALE; ++r)
              sommes[static_cast<std::size_t>(r)] += combien_ressouce(x, y, r);
        for (std::int64_t s : sommes) champs += "," + std::to_string(s);
        break;
      }
    }
  }
  suivi.derniere = champs;
  if (enregistrer)
    suivi.lignes += debut_ligne_essai(essai) + "," + std::to_string(pas) + champs + "\n";
}

std::string ligne_resume(const plan_experience& plan, const essai_plan& essai,
                         const suivi_essai& suivi) {
  std::string s = debut_ligne_essai(essai) + "," + std::to_string(suivi.pas) + suivi.derniere;
  for (mesure_experience m : plan.mesures) {
    if (m == mesure_experience::habitants)
      s +=
          "," + std::to_string(suivi.habitants_max) + "," + std::to_string(suivi.pas_habitants_max);
    if (m == mesure_experience::guerres) s += "," + std::to_string(suivi.guerres_total);
  }
  return s + "\n";
}
