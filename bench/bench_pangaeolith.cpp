// Benchmarks of the hot paths: world generation, the map update, one simulation step, and the
// debug log writer. Standard output goes to /dev/null; "ouverts" variants write both logs to
// files in /tmp.
#include <benchmark/benchmark.h>

#include <cstdio>

#include "controle/reinitialisation.h"
#include "monde/carte.h"
#include "monde/generation.h"
#include "monde/mise_a_jour.h"
#include "population/civ.h"
#include "population/placement.h"
#include "population/verification.h"
#include "regles/simulation.h"
#include "socle/alea.h"
#include "socle/journal.h"
#include "socle/sortie.h"

namespace {

// Logs open to /tmp for the lifetime of the object (when asked), standard output discarded.
class Environnement {
 public:
  explicit Environnement(bool journaux) : nul_(std::fopen("/dev/null", "w")) {
    fixer_sortie(nul_);
    if (journaux) {
      ouvrir_debug("/tmp/pangaeolith-bench-debug.log");
      ouvrir_erreur("/tmp/pangaeolith-bench-error.log");
    }
  }
  ~Environnement() {
    fermer_debug();
    fermer_erreur();
    fixer_sortie(nullptr);
    std::fclose(nul_);
  }
  Environnement(const Environnement&) = delete;
  Environnement& operator=(const Environnement&) = delete;

 private:
  FILE* nul_;
};

// A freshly generated and populated world; call it before opening the logs.
void nouveau_monde(int X, int Y, unsigned graine) {
  reinitialiser_programme();
  fixer_dimensions(X, Y);
  initialiser_alea(graine);
  creer_tab_civ();
  creer_carte();
  positionner_unite();
}

void BM_GenerationCarte100(benchmark::State& state) {
  reinitialiser_programme();
  fixer_dimensions(100, 100);
  Environnement env(state.range(0) != 0);
  unsigned graine = 1;
  for (auto _ : state) {
    initialiser_alea(graine++);
    creer_carte();
  }
}
BENCHMARK(BM_GenerationCarte100)
    ->ArgName("journaux")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond);

void BM_MiseAJourCarte100(benchmark::State& state) {
  nouveau_monde(100, 100, 7);
  Environnement env(state.range(0) != 0);
  for (auto _ : state) mise_a_jour_carte();
}
BENCHMARK(BM_MiseAJourCarte100)->ArgName("journaux")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// One whole step on a 100 by 100 world that has already run 200 steps.
void BM_Bcleprincip100(benchmark::State& state) {
  nouveau_monde(100, 100, 11);
  Environnement env(false);
  for (int i = 0; i < 200; ++i) bcleprincip();
  if (!verifier_monde().empty()) {
    state.SkipWithError("monde incoherent apres 200 pas");
    return;
  }
  int unites = 0;
  for (const civilisation& c : liste_civ()) unites += c.nb_unites;
  if (state.range(0) != 0) {
    ouvrir_debug("/tmp/pangaeolith-bench-debug.log");
    ouvrir_erreur("/tmp/pangaeolith-bench-error.log");
  }
  for (auto _ : state) bcleprincip();
  state.counters["unites"] = unites;
  state.counters["pas/s"] =
      benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_Bcleprincip100)->ArgName("journaux")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_EcrireDebug(benchmark::State& state) {
  reinitialiser_programme();
  Environnement env(true);
  int i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(ecrire_debug("evolution_climat - climat du terrain %p: avant-> %i\n",
                                          static_cast<void*>(&i), i));
    ++i;
  }
  state.counters["enregistrements/s"] =
      benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_EcrireDebug);

void BM_EcrireDebugFerme(benchmark::State& state) {
  reinitialiser_programme();
  Environnement env(false);
  int i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(ecrire_debug("evolution_climat - climat du terrain %p: avant-> %i\n",
                                          static_cast<void*>(&i), i));
    ++i;
  }
}
BENCHMARK(BM_EcrireDebugFerme);

}  // namespace
