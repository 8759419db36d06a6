// Benchmarks of save and restore on a 100 by 100 world after 300 steps (thousands of units), to
// a file in /tmp and back.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "controle/reinitialisation.h"
#include "monde/carte.h"
#include "monde/generation.h"
#include "observation/sauvegarde.h"
#include "population/civ.h"
#include "population/placement.h"
#include "population/unites.h"
#include "regles/simulation.h"
#include "socle/alea.h"
#include "socle/sortie.h"

namespace {

const char* const FICHIER = "/tmp/pangaeolith-bench-sauvegarde.json";

// A 100 by 100 world played for 300 steps, its standard output discarded.
void monde_peuple() {
  reinitialiser_programme();
  FILE* nul = std::fopen("/dev/null", "w");
  fixer_sortie(nul);
  fixer_dimensions(100, 100);
  semer_partie(5);
  creer_tab_civ();
  creer_carte();
  positionner_unite();
  for (int i = 0; i < 300; ++i) bcleprincip();
  fixer_sortie(nullptr);
  std::fclose(nul);
}

void BM_Sauver100(benchmark::State& state) {
  monde_peuple();
  std::string erreur;
  for (auto _ : state)
    if (!sauver_monde(FICHIER, erreur)) state.SkipWithError(erreur.c_str());
  state.counters["unites"] = combien_unites();
}
BENCHMARK(BM_Sauver100)->Unit(benchmark::kMillisecond);

void BM_Charger100(benchmark::State& state) {
  monde_peuple();
  std::string erreur;
  if (!sauver_monde(FICHIER, erreur)) state.SkipWithError(erreur.c_str());
  for (auto _ : state)
    if (!charger_monde(FICHIER, erreur)) state.SkipWithError(erreur.c_str());
  state.counters["unites"] = combien_unites();
  std::remove(FICHIER);
}
BENCHMARK(BM_Charger100)->Unit(benchmark::kMillisecond);

}  // namespace
