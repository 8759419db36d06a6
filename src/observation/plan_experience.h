// The plan of an experiment: the model parameters that vary and their values, the seeds each
// combination is played with, the map, the tribes, the steps, what is measured and how often.
// Read from a JSON file and checked whole before anything runs; its runs are the full factorial,
// numbered from 1 with the first factor varying slowest and the seed fastest.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "socle/modele.h"

// Largest plan file read, in bytes.
inline constexpr std::size_t TAILLE_PLAN_MAX = 1 << 20;
// Largest number of runs a plan may hold, whatever is confirmed.
inline constexpr std::int64_t ESSAIS_MAX = 1'000'000;
// Largest number of steps of one run.
inline constexpr std::int64_t PAS_ESSAI_MAX = 10'000'000;

// One factor: a parameter of the model and the values it takes, in the plan's order.
struct facteur_plan {
  std::string parametre;
  std::vector<int> valeurs;
};

// What a run measures; the per-tribe ones give a column for each of the nine tribe codes.
enum class mesure_experience : int {
  tribus_vivantes,  // tribes with a unit left
  habitants,        // inhabitants of each tribe
  unites,           // units of each tribe
  guerres,          // wars of the step's war phase
  extinction,       // step at which each tribe died out (empty while it lives)
  ressources,       // each resource summed over the map
};

struct plan_experience {
  std::vector<facteur_plan> facteurs;
  std::vector<std::uint32_t> graines;  // the repetitions
  int colonnes = 0;
  int lignes = 0;
  bool tribus_tirees = false;  // --rand
  std::int64_t pas = 0;
  std::vector<mesure_experience> mesures;
  std::int64_t releve = 0;  // rows every `releve` steps from step 0; 0: one row at the end
  std::string canonique;    // the checked plan as one JSON text, the same for equal plans
};

// One run of the plan.
struct essai_plan {
  std::int64_t numero;       // 1..nombre_essais
  std::vector<int> valeurs;  // one per factor
  std::uint32_t graine;
};

// Reads and checks a plan from its JSON text. On a refusal `erreur` names the field and says
// what is wrong ("facteurs[1].valeurs[2] : ..."), and `plan` is unchanged.
bool lire_plan(const std::string& texte, plan_experience& plan, std::string& erreur);
// The same from a file (a regular file of TAILLE_PLAN_MAX bytes at most).
bool charger_plan(const std::string& chemin, plan_experience& plan, std::string& erreur);

std::int64_t nombre_essais(const plan_experience& plan);
// Run `numero` (1..nombre_essais) of the full factorial.
essai_plan essai_numero(const plan_experience& plan, std::int64_t numero);
// The model of a run: the defaults with the run's factor values.
parametres_modele modele_essai(const plan_experience& plan, const essai_plan& essai);
// Steps at which a run records a row, in order: 0, k, 2k ... and the last step; the last only
// when the plan records at the end.
std::vector<std::int64_t> pas_releves(const plan_experience& plan);

// The name of a metric as a plan writes it.
const char* nom_mesure(mesure_experience m);
// The columns of a metric, in order ("habitants_0" ... "habitants_8", "guerres").
std::vector<std::string> colonnes_mesure(mesure_experience m);
// The header of the tidy CSV: essai, each factor's parameter, graine, pas, the metrics' columns.
std::string entete_mesures(const plan_experience& plan);
// The header of the summary CSV: essai, the factors, graine, pas, the metrics' columns at the
// last step, then the whole-run figures of the metrics that have some.
std::string entete_resume(const plan_experience& plan);
// The run's leading fields of both CSV files: "numero,valeur...,graine".
std::string debut_ligne_essai(const essai_plan& essai);
