// Benchmarks of the hot paths: world generation, the map update, one simulation step beside a
// bare pass over the same data, and the debug log writer beside spdlog's file logger. Standard
// output goes to /dev/null; "journaux" variants write both logs to files in /tmp.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>

#include "controle/reinitialisation.h"
#include "monde/carte.h"
#include "monde/generation.h"
#include "monde/mise_a_jour.h"
#include "population/civ.h"
#include "population/placement.h"
#include "population/unites.h"
#include "population/verification.h"
#include "regles/simulation.h"
#include "socle/alea.h"
#include "socle/journal.h"
#include "socle/sortie.h"

#ifdef PANGAEOLITH_SPDLOG
#include <spdlog/sinks/basic_file_sink.h>
#include <spdlog/spdlog.h>
#endif

namespace {

constexpr const char* JOURNAL_DEBUG = "/tmp/pangaeolith-bench-debug.log";

// Logs open to /tmp for the lifetime of the object (when asked), standard output discarded.
class Environnement {
 public:
  explicit Environnement(bool journaux) : nul_(std::fopen("/dev/null", "w")) {
    fixer_sortie(nul_);
    if (journaux) {
      ouvrir_debug(JOURNAL_DEBUG);
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

// Lines of a file (records of a log once it has been flushed).
double compter_lignes(const char* chemin) {
  FILE* f = std::fopen(chemin, "r");
  if (f == nullptr) return 0;
  double n = 0;
  for (int c = std::getc(f); c != EOF; c = std::getc(f)) n += c == '\n' ? 1 : 0;
  std::fclose(f);
  return n;
}

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

// A 100 by 100 world that has already run 200 steps; false when it fails its consistency check.
bool monde_apres_200_pas(benchmark::State& state) {
  nouveau_monde(100, 100, 11);
  FILE* nul = std::fopen("/dev/null", "w");
  fixer_sortie(nul);
  for (int i = 0; i < 200; ++i) bcleprincip();
  fixer_sortie(nullptr);
  std::fclose(nul);
  if (!verifier_monde().empty()) {
    state.SkipWithError("monde incoherent apres 200 pas");
    return false;
  }
  state.counters["unites"] = combien_unites();
  return true;
}

// One whole step on that world; "lignes" sends the step's lines to /dev/null (0: silenced).
void BM_Bcleprincip100(benchmark::State& state) {
  if (!monde_apres_200_pas(state)) return;
  Environnement env(state.range(0) != 0);
  fixer_traces_tours(static_cast<int>(state.range(1)));
  for (auto _ : state) bcleprincip();
  fixer_traces_tours(1);
  if (state.range(0) != 0) {
    vider_journaux();
    state.counters["enregistrements/pas"] =
        compter_lignes(JOURNAL_DEBUG) / static_cast<double>(state.iterations());
  }
  state.counters["pas/s"] =
      benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_Bcleprincip100)
    ->ArgNames({"journaux", "lignes"})
    ->Args({0, 0})
    ->Args({0, 1})
    ->Args({1, 1})
    ->Unit(benchmark::kMillisecond);

// The floor of a step's work on the same world: every cell and every unit visited, the fields the
// rules read summed, and as many random draws as one real step makes.
void BM_PassageNu100(benchmark::State& state) {
  if (!monde_apres_200_pas(state)) return;
  const long avant = alea_nb_tirages();
  {
    Environnement env(false);
    fixer_traces_tours(0);
    bcleprincip();
    fixer_traces_tours(1);
  }
  const long tirages = alea_nb_tirages() - avant;
  const int X = combien_colonnes();
  const int Y = combien_lignes();
  for (auto _ : state) {
    long somme = 0;
    for (int x = 0; x < X; ++x)
      for (int y = 0; y < Y; ++y) {
        const terrain* t = donner_terrain(x, y);
        somme += t->altitude + t->climat + t->popmax;
        for (int q : t->ressources) somme += q;
        if (const unite* u = quelle_unite(x, y)) somme += u->code;
      }
    for (const civilisation& c : liste_civ())
      for (int id : c.liste_unite) {
        const unite* u = donner_unite(id);
        somme += c.regime + u->x + u->y + u->nb_hab + u->comportement + u->connaissance;
      }
    for (long i = 0; i < tirages; ++i) somme += tirer_alea();
    benchmark::DoNotOptimize(somme);
  }
  state.counters["tirages"] = static_cast<double>(tirages);
}
BENCHMARK(BM_PassageNu100)->Unit(benchmark::kMillisecond);

// The texts of the writer benchmarks: the two most frequent records of a step.
constexpr const char* TOUR = "  jouer_tour: debut (%d,%d) nb_h=%d\n";
constexpr const char* CLIMAT = "evolution_climat - climat du terrain %p: avant-> %i\n";

void BM_EcrireDebug(benchmark::State& state) {
  reinitialiser_programme();
  Environnement env(true);
  int i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(ecrire_debug(TOUR, i % 100, i % 97, i));
    benchmark::DoNotOptimize(ecrire_debug(CLIMAT, static_cast<void*>(&i), i % 10));
    ++i;
  }
  state.counters["enregistrements/s"] = benchmark::Counter(
      2.0 * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_EcrireDebug);

#ifdef PANGAEOLITH_SPDLOG
// The same two records through spdlog's synchronous single-threaded file logger.
void BM_SpdlogBasicSt(benchmark::State& state) {
  auto journal = spdlog::basic_logger_st("bench", "/tmp/pangaeolith-bench-spdlog.log", true);
  journal->set_pattern("Debug - %H:%M:%S:%o - %v");
  journal->set_level(spdlog::level::debug);
  int i = 0;
  for (auto _ : state) {
    journal->debug("  jouer_tour: debut ({},{}) nb_h={}", i % 100, i % 97, i);
    journal->debug("evolution_climat - climat du terrain {}: avant-> {}", static_cast<void*>(&i),
                   i % 10);
    ++i;
  }
  spdlog::drop("bench");
  state.counters["enregistrements/s"] = benchmark::Counter(
      2.0 * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_SpdlogBasicSt);
#endif

void BM_EcrireDebugFerme(benchmark::State& state) {
  reinitialiser_programme();
  Environnement env(false);
  int i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(ecrire_debug(CLIMAT, static_cast<void*>(&i), i));
    ++i;
  }
}
BENCHMARK(BM_EcrireDebugFerme);

}  // namespace
