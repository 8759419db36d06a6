// Experiments. The world is the process's own state, so each run of a plan is a child process
// forked from a parent that never builds a world: the child plays the run exactly as
// `--seed S -i X Y [--rand] --pas N` would and writes its rows to part files of its own; the
// parent keeps N children going, and once every run of its share is done it writes the CSV files
// from the parts in run order, so that they are the same whatever the number of processes and
// the order the runs ended in. A run's part exists only once the run is whole (written aside and
// renamed), which is what an interrupted experiment resumes from.
#include "controle/experience.h"

#include <sched.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cinttypes>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "monde/carte.h"
#include "monde/generation.h"
#include "observation/courbe_experience.h"
#include "observation/mesures_experience.h"
#include "observation/plan_experience.h"
#include "observation/statistiques.h"
#include "population/civ.h"
#include "population/placement.h"
#include "regles/simulation.h"
#include "socle/alea.h"
#include "socle/fichiers.h"
#include "socle/modele.h"
#include "socle/parametres.h"
#include "socle/signaux.h"
#include "socle/sortie.h"

namespace fs = std::filesystem;

namespace {

constexpr int PROCESSUS_MAX = 256;
constexpr long TACHES_MAX = 100'000;
// Beyond either bound a plan runs only with --confirmer: more runs than this, or a longer
// estimated time than this many seconds.
constexpr std::int64_t ESSAIS_SANS_CONFIRMATION = 10'000;
constexpr double DUREE_SANS_CONFIRMATION = 3600.0;
// CPU seconds of one step of one cell, measured on the project's machines (Release build, 40 runs
// of 300 steps on 50 × 50): the estimate is only an order of magnitude, since the cost of a step
// grows with the population.
constexpr double SECONDES_PAR_CASE_ET_PAS = 1.7e-7;
// Largest part or slice file read back.
constexpr std::size_t TAILLE_PARTIE_MAX = std::size_t{1} << 30;

struct Etat {
  options_experience options;
};

Etat etat;

void refuser(const char* message) {
  std::fprintf(stderr, "pangaeolith : %s\n", message);
  etat.options.refusee = true;
}

// A whole number of decimal digits within mini..maxi.
bool lire_entier(const char* texte, long mini, long maxi, long& valeur) {
  if (texte[0] == '\0') return false;
  long v = 0;
  for (const char* p = texte; *p != '\0'; ++p) {
    if (*p < '0' || *p > '9') return false;
    v = v * 10 + (*p - '0');
    if (v > maxi) return false;
  }
  if (v < mini) return false;
  valeur = v;
  return true;
}

std::string numero_partie(std::int64_t numero) {
  char t[32];
  std::snprintf(t, sizeof t, "essai-%07" PRId64, numero);
  return t;
}

struct chemins {
  fs::path dossier;
  fs::path parties;
  fs::path plan;
  fs::path mesures;
  fs::path resume;
};

chemins chemins_resultats(const options_experience& o) {
  chemins c;
  if (!o.resultats.empty()) {
    c.dossier = o.resultats;
  } else {
    const fs::path plan(o.plan);
    c.dossier = plan.parent_path() / (plan.stem().string() + ".resultats");
  }
  c.parties = c.dossier / "parties";
  c.plan = c.dossier / "plan.json";
  const std::string suffixe = o.taches > 0 ? ".tache-" + std::to_string(o.tache) + "-sur-" +
                                                 std::to_string(o.taches) + ".csv"
                                           : ".csv";
  c.mesures = c.dossier / ("mesures" + suffixe);
  c.resume = c.dossier / ("resume" + suffixe);
  return c;
}

fs::path partie_mesures(const chemins& c, std::int64_t n) {
  return c.parties / (numero_partie(n) + ".csv");
}
fs::path partie_resume(const chemins& c, std::int64_t n) {
  return c.parties / (numero_partie(n) + ".resume.csv");
}

bool existe(const fs::path& p) {
  std::error_code ec;
  return fs::exists(fs::symlink_status(p, ec));
}

// A run is done once its summary part exists: it is written after its rows.
bool essai_fait(const chemins& c, std::int64_t n) { return existe(partie_resume(c, n)); }

std::string duree(double secondes) {
  const auto s = static_cast<long long>(secondes + 0.5);
  char t[64];
  if (s < 60)
    std::snprintf(t, sizeof t, "%lld s", s);
  else if (s < 3600)
    std::snprintf(t, sizeof t, "%lld min %02lld s", s / 60, s % 60);
  else
    std::snprintf(t, sizeof t, "%lld h %02lld min", s / 3600, s / 60 % 60);
  return t;
}

double maintenant() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// A run's part: written to a temporary file of the parts folder, then renamed, so that the part
// exists only whole. Parts are not synced to disk (the CSV files made from them are): two syncs
// per run cost as much as a short run itself, and a part lost by a system crash is a run that
// --reprendre plays again.
bool ecrire_partie(const fs::path& chemin, const std::string& contenu, std::string& erreur) {
  const std::string temporaire = chemin.string() + ".tmp-" + std::to_string(getpid());
  std::string raison;
  const int fd = ouvrir_en_ecriture(temporaire, true, raison);
  bool ecrit = fd >= 0;
  for (std::size_t fait = 0; ecrit && fait < contenu.size();) {
    const ssize_t n = write(fd, contenu.data() + fait, contenu.size() - fait);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      raison = std::strerror(errno);
      ecrit = false;
    } else {
      fait += static_cast<std::size_t>(n);
    }
  }
  if (fd >= 0 && close(fd) != 0 && ecrit) {
    raison = std::strerror(errno);
    ecrit = false;
  }
  if (ecrit && std::rename(temporaire.c_str(), chemin.c_str()) != 0) {
    raison = std::strerror(errno);
    ecrit = false;
  }
  if (!ecrit) {
    if (fd >= 0) std::remove(temporaire.c_str());
    erreur = chemin.string() + " : " + raison;
  }
  return ecrit;
}

// One run, in the child: the start of `pangaeolith --seed S -i X Y [--rand] --pas N` (seed,
// dimensions, tribes, world, placement, the steps followed by the statistics) with the step's
// lines going nowhere, measured after each step; its parts written at the end.
int jouer_essai(const plan_experience& plan, const essai_plan& essai, const chemins& c) {
  FILE* nul = std::fopen("/dev/null", "w");
  if (nul != nullptr) fixer_sortie(nul);
  fixer_traces_tours(0);
  fixer_modele(modele_essai(plan, essai));
  fixer_tribus_aleatoires(plan.tribus_tirees ? 1 : 0);
  fixer_dimensions(plan.colonnes, plan.lignes);
  semer_partie(essai.graine);
  suivre_les_pas();
  creer_tab_civ();
  creer_carte();
  positionner_unite();

  suivi_essai suivi;
  const std::int64_t k = plan.releve;
  mesurer_essai(plan, essai, 0, k > 0, suivi);
  for (std::int64_t pas = 1; pas <= plan.pas; ++pas) {
    bcleprincip();
    mesurer_essai(plan, essai, pas, pas == plan.pas || (k > 0 && pas % k == 0), suivi);
  }
  std::string erreur;
  if (!ecrire_partie(partie_mesures(c, essai.numero), suivi.lignes, erreur) ||
      !ecrire_partie(partie_resume(c, essai.numero), ligne_resume(plan, essai, suivi), erreur)) {
    std::fprintf(stderr, "pangaeolith : essai %" PRId64 " : %s\n", essai.numero, erreur.c_str());
    return 1;
  }
  return 0;
}

// Temporary files a run's part was being written to when its process was stopped.
void effacer_temporaires(const chemins& c, const std::vector<std::int64_t>& essais) {
  std::error_code ec;
  std::vector<fs::path> a_effacer;
  for (fs::directory_iterator it(c.parties, ec), fin; !ec && it != fin; it.increment(ec)) {
    const std::string nom = it->path().filename().string();
    if (nom.find(".tmp-") == std::string::npos || nom.rfind("essai-", 0) != 0) continue;
    const std::int64_t n = std::strtoll(nom.c_str() + 6, nullptr, 10);
    if (std::binary_search(essais.begin(), essais.end(), n)) a_effacer.push_back(it->path());
  }
  for (const fs::path& p : a_effacer) fs::remove(p, ec);
}

// Appends a run's part to `sortie`, checking that every row is the run's.
bool ajouter_partie(const fs::path& p, std::int64_t n, std::string& sortie, std::string& erreur) {
  std::string texte;
  if (!lire_fichier_entier(p.string(), texte, erreur, TAILLE_PARTIE_MAX)) return false;
  const std::string debut = std::to_string(n) + ",";
  for (std::size_t i = 0; i < texte.size();) {
    const std::size_t fin = texte.find('\n', i);
    if (fin == std::string::npos || texte.compare(i, debut.size(), debut) != 0) {
      erreur = p.string() + " : ligne qui n'est pas de l'essai " + std::to_string(n);
      return false;
    }
    i = fin + 1;
  }
  sortie += texte;
  return true;
}

// The CSV files of the share's runs, from their parts in run order.
bool assembler(const plan_experience& plan, const chemins& c,
               const std::vector<std::int64_t>& essais, std::string& erreur) {
  std::string mesures = entete_mesures(plan) + "\n";
  std::string resume = entete_resume(plan) + "\n";
  for (std::int64_t n : essais)
    if (!ajouter_partie(partie_mesures(c, n), n, mesures, erreur) ||
        !ajouter_partie(partie_resume(c, n), n, resume, erreur))
      return false;
  return ecrire_fichier_entier(c.mesures.string(), mesures, erreur) &&
         ecrire_fichier_entier(c.resume.string(), resume, erreur);
}

// The resume command that finishes an interrupted share.
std::string commande_reprise(const options_experience& o) {
  std::string s = "pangaeolith --experience " + o.plan + " --reprendre";
  if (!o.resultats.empty()) s += " --resultats " + o.resultats;
  if (o.taches > 0)
    s += " --tache " + std::to_string(o.tache) + " --taches " + std::to_string(o.taches);
  return s;
}

// Plays the runs not done yet, `processus` at a time. The answer: runs done, or -1 when a signal
// stopped the share (the running children are ended and their temporary files removed).
struct bilan_execution {
  std::int64_t joues = 0;
  std::int64_t echecs = 0;
  bool arrete = false;
};

bilan_execution executer(const plan_experience& plan, const chemins& c,
                         const std::vector<std::int64_t>& a_faire, int processus,
                         std::int64_t deja_faits, std::int64_t total) {
  bilan_execution b;
  std::map<pid_t, std::int64_t> en_cours;
  std::size_t prochain = 0;
  const bool terminal = isatty(STDERR_FILENO) != 0;
  const double debut = maintenant();
  double derniere_ligne = 0;
  const pid_t parent = getpid();
  auto progression = [&](bool forcee) {
    if (!terminal) return;
    const double t = maintenant();
    if (!forcee && t - derniere_ligne < 1.0) return;
    derniere_ligne = t;
    const std::int64_t faits = deja_faits + b.joues;
    std::string reste = "temps restant inconnu";
    if (b.joues > 0)
      reste = "reste environ " +
              duree((t - debut) / static_cast<double>(b.joues) *
                    static_cast<double>(static_cast<std::int64_t>(a_faire.size()) - b.joues));
    std::fprintf(stderr,
                 "\r\033[Kpangaeolith : %" PRId64 "/%" PRId64 " essais faits, %zu en cours, %s",
                 faits, total, en_cours.size(), reste.c_str());
    std::fflush(stderr);
  };

  sigset_t enfants;
  sigemptyset(&enfants);
  sigaddset(&enfants, SIGCHLD);
  sigset_t masque_avant;
  sigprocmask(SIG_BLOCK, &enfants, &masque_avant);
  bool arret_envoye = false;
  while (!en_cours.empty() || (prochain < a_faire.size() && !arret_demande())) {
    while (!arret_demande() && static_cast<int>(en_cours.size()) < processus &&
           prochain < a_faire.size()) {
      const essai_plan essai = essai_numero(plan, a_faire[prochain]);
      std::fflush(stdout);
      std::fflush(stderr);
      const pid_t pid = fork();
      if (pid == 0) {
        // The child ends with its parent, and leaves Ctrl-C to it: the parent stops the runs.
        // Each run is a session of its own: where the scheduler shares the processors between
        // sessions (Linux's autogroups on a desktop), N runs get N shares, not one between them.
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        setsid();
        if (getppid() != parent) _exit(1);
        reinitialiser_signaux();
        std::signal(SIGINT, SIG_IGN);
        sigprocmask(SIG_SETMASK, &masque_avant, nullptr);
        _exit(jouer_essai(plan, essai, c));
      }
      if (pid < 0) {
        std::fprintf(stderr, "\npangaeolith : essai %" PRId64 " non lancé : %s\n", essai.numero,
                     std::strerror(errno));
        ++b.echecs;
      } else {
        en_cours[pid] = essai.numero;
      }
      ++prochain;
      progression(true);
    }
    if (arret_demande() && !arret_envoye) {
      for (const auto& [pid, n] : en_cours) kill(pid, SIGTERM);
      arret_envoye = true;
    }
    int statut = 0;
    const pid_t pid = waitpid(-1, &statut, WNOHANG);
    if (pid == 0 || (pid < 0 && errno == EINTR)) {
      // Nothing ended yet: wait for a child's end (SIGCHLD stays pending while blocked, so none
      // is missed), a stop signal (its handler cuts the wait short) or a quarter of a second.
      const timespec attente = {0, 250'000'000};
      sigtimedwait(&enfants, nullptr, &attente);
      progression(false);
      continue;
    }
    if (pid < 0) break;  // no child left
    const auto it = en_cours.find(pid);
    if (it == en_cours.end()) continue;
    const std::int64_t n = it->second;
    en_cours.erase(it);
    if (WIFEXITED(statut) && WEXITSTATUS(statut) == 0 && essai_fait(c, n)) {
      ++b.joues;
    } else if (!arret_envoye) {
      ++b.echecs;
      if (terminal) std::fprintf(stderr, "\n");
      if (WIFSIGNALED(statut))
        std::fprintf(stderr, "pangaeolith : l'essai %" PRId64 " s'est arrêté sur le signal %d.\n",
                     n, WTERMSIG(statut));
      else
        std::fprintf(stderr, "pangaeolith : l'essai %" PRId64 " a échoué (statut %d).\n", n,
                     WEXITSTATUS(statut));
    }
    progression(true);
  }
  sigprocmask(SIG_SETMASK, &masque_avant, nullptr);
  if (terminal) std::fprintf(stderr, "\n");
  b.arrete = arret_demande() != 0;
  return b;
}

// --fusionner: the slices' files of the results folder merged into the whole plan's, each run
// found exactly once.
int fusionner(const plan_experience& plan, const options_experience& o) {
  const chemins c = chemins_resultats(o);
  const std::int64_t total = nombre_essais(plan);
  const std::string entetes[2] = {entete_mesures(plan), entete_resume(plan)};
  const char* const prefixes[2] = {"mesures.tache-", "resume.tache-"};
  std::string sorties[2];
  std::error_code ec;
  std::vector<fs::path> fichiers[2];
  for (fs::directory_iterator it(c.dossier, ec), fin; !ec && it != fin; it.increment(ec)) {
    const std::string nom = it->path().filename().string();
    for (int k = 0; k < 2; ++k)
      if (nom.rfind(prefixes[k], 0) == 0 && nom.size() > 4 && nom.ends_with(".csv"))
        fichiers[k].push_back(it->path());
  }
  if (ec) {
    std::fprintf(stderr, "pangaeolith : --fusionner : %s illisible (%s).\n", c.dossier.c_str(),
                 ec.message().c_str());
    return 2;
  }
  for (int k = 0; k < 2; ++k) {
    std::sort(fichiers[k].begin(), fichiers[k].end());
    if (fichiers[k].empty()) {
      std::fprintf(stderr, "pangaeolith : --fusionner : aucun fichier %s*.csv dans %s.\n",
                   prefixes[k], c.dossier.c_str());
      return 2;
    }
    // Each run's rows, and the slice file they came from.
    std::vector<std::string> lignes(static_cast<std::size_t>(total));
    std::vector<int> origine(static_cast<std::size_t>(total), -1);
    for (std::size_t f = 0; f < fichiers[k].size(); ++f) {
      std::string texte;
      std::string erreur;
      if (!lire_fichier_entier(fichiers[k][f].string(), texte, erreur, TAILLE_PARTIE_MAX)) {
        std::fprintf(stderr, "pangaeolith : --fusionner : %s\n", erreur.c_str());
        return 2;
      }
      const std::size_t fin_entete = texte.find('\n');
      if (fin_entete == std::string::npos || texte.compare(0, fin_entete, entetes[k]) != 0) {
        std::fprintf(stderr, "pangaeolith : --fusionner : %s n'a pas l'en-tête de ce plan.\n",
                     fichiers[k][f].c_str());
        return 2;
      }
      for (std::size_t i = fin_entete + 1; i < texte.size();) {
        std::size_t fin = texte.find('\n', i);
        if (fin == std::string::npos) fin = texte.size();
        long n = 0;
        const std::size_t virgule = texte.find(',', i);
        if (virgule == std::string::npos || virgule > fin ||
            !lire_entier(texte.substr(i, virgule - i).c_str(), 1, static_cast<long>(total), n)) {
          std::fprintf(stderr,
                       "pangaeolith : --fusionner : %s : ligne sans numéro d'essai de ce plan.\n",
                       fichiers[k][f].c_str());
          return 2;
        }
        const auto r = static_cast<std::size_t>(n - 1);
        if (origine[r] >= 0 && (origine[r] != static_cast<int>(f) || k == 1)) {
          std::fprintf(
              stderr,
              "pangaeolith : --fusionner : l'essai %ld est deux fois : dans %s et dans %s.\n", n,
              fichiers[k][static_cast<std::size_t>(origine[r])].c_str(), fichiers[k][f].c_str());
          return 2;
        }
        origine[r] = static_cast<int>(f);
        lignes[r].append(texte, i, fin - i).append("\n");
        i = fin + 1;
      }
    }
    std::string absents;
    std::int64_t nb_absents = 0;
    for (std::int64_t n = 1; n <= total; ++n)
      if (origine[static_cast<std::size_t>(n - 1)] < 0 && ++nb_absents <= 20)
        absents.append(absents.empty() ? "" : ", ").append(std::to_string(n));
    if (nb_absents > 0) {
      std::fprintf(stderr,
                   "pangaeolith : --fusionner : %" PRId64
                   " essai(s) absent(s) des fichiers %s*.csv : %s%s.\n",
                   nb_absents, prefixes[k], absents.c_str(), nb_absents > 20 ? "…" : "");
      return 2;
    }
    sorties[k] = entetes[k] + "\n";
    for (const std::string& l : lignes) sorties[k] += l;
  }
  options_experience entier = o;
  entier.taches = 0;
  const chemins cible = chemins_resultats(entier);
  std::string erreur;
  if (!ecrire_fichier_entier(cible.mesures.string(), sorties[0], erreur) ||
      !ecrire_fichier_entier(cible.resume.string(), sorties[1], erreur)) {
    std::fprintf(stderr, "pangaeolith : --fusionner : %s\n", erreur.c_str());
    return 1;
  }
  std::fprintf(stderr, "pangaeolith : %" PRId64 " essais réunis dans %s et %s.\n", total,
               cible.mesures.c_str(), cible.resume.c_str());
  return 0;
}

int lancer_plan(const options_experience& o) {
  plan_experience plan;
  std::string erreur;
  if (!charger_plan(o.plan, plan, erreur)) {
    std::fprintf(stderr, "pangaeolith : plan refusé (%s) : %s\n", o.plan.c_str(), erreur.c_str());
    return 2;
  }
  if (o.fusionner) return fusionner(plan, o);

  const chemins c = chemins_resultats(o);
  const std::int64_t total = nombre_essais(plan);
  const long taches = o.taches > 0 ? o.taches : 1;
  const long tache = o.taches > 0 ? o.tache : 1;
  std::vector<std::int64_t> essais;
  for (std::int64_t n = tache; n <= total; n += taches) essais.push_back(n);
  const int processus = o.processus > 0 ? o.processus : processeurs_disponibles();

  // What the share costs, said before anything starts; too much needs --confirmer.
  const auto nb = static_cast<std::int64_t>(essais.size());
  const double pas_total = static_cast<double>(nb) * static_cast<double>(plan.pas);
  const double estimation = pas_total * plan.colonnes * plan.lignes * SECONDES_PAR_CASE_ET_PAS /
                            std::min<double>(processus, std::max<std::int64_t>(nb, 1));
  const bool demesure = nb > ESSAIS_SANS_CONFIRMATION || estimation > DUREE_SANS_CONFIRMATION;
  std::fprintf(stderr,
               "pangaeolith : %" PRId64 " essais de %" PRId64
               " pas sur %d × %d (%.0f pas en tout), "
               "durée estimée %s avec %d processus.\n",
               nb, plan.pas, plan.colonnes, plan.lignes, pas_total, duree(estimation).c_str(),
               processus);
  if (demesure && !o.confirmer) {
    std::fprintf(stderr,
                 "pangaeolith : plan trop coûteux pour partir sans confirmation (plus de %" PRId64
                 " essais ou plus de %s estimées) : ajoutez --confirmer pour le lancer.\n",
                 ESSAIS_SANS_CONFIRMATION, duree(DUREE_SANS_CONFIRMATION).c_str());
    return 2;
  }
  if (nb == 0) {
    std::fprintf(stderr,
                 "pangaeolith : la tâche %ld sur %ld n'a aucun essai (le plan en a %" PRId64 ").\n",
                 tache, taches, total);
    return 2;
  }

  // Results already there: the same plan's only, and taken up again only when asked.
  std::error_code ec;
  const fs::file_status statut = fs::status(c.dossier, ec);
  std::int64_t deja_faits = 0;
  bool plan_present = false;
  if (fs::exists(statut)) {
    if (!fs::is_directory(statut)) {
      std::fprintf(stderr, "pangaeolith : %s existe et n'est pas un dossier.\n", c.dossier.c_str());
      return 2;
    }
    if (existe(c.plan)) {
      std::string texte;
      if (!lire_fichier_entier(c.plan.string(), texte, erreur, TAILLE_PLAN_MAX)) {
        std::fprintf(stderr, "pangaeolith : %s\n", erreur.c_str());
        return 2;
      }
      if (texte != plan.canonique + "\n") {
        std::fprintf(stderr,
                     "pangaeolith : %s tient les résultats d'un autre plan : choisissez un autre "
                     "dossier avec --resultats.\n",
                     c.dossier.c_str());
        return 2;
      }
      plan_present = true;
    }
    for (std::int64_t n : essais) deja_faits += essai_fait(c, n) ? 1 : 0;
    if (!o.reprendre && (deja_faits > 0 || existe(c.mesures))) {
      std::fprintf(stderr,
                   "pangaeolith : %s tient déjà des résultats de ce plan (%" PRId64
                   " essais sur %" PRId64
                   " faits) : --reprendre pour finir les autres, ou --resultats pour un autre "
                   "dossier.\n",
                   c.dossier.c_str(), deja_faits, nb);
      return 2;
    }
  }

  enregistrer_sorties_standard();
  fs::create_directories(c.parties, ec);
  if (ec) {
    std::fprintf(stderr, "pangaeolith : dossier %s impossible à créer (%s).\n", c.parties.c_str(),
                 ec.message().c_str());
    return 2;
  }
  if (!plan_present && !ecrire_fichier_entier(c.plan.string(), plan.canonique + "\n", erreur)) {
    std::fprintf(stderr, "pangaeolith : %s\n", erreur.c_str());
    return 2;
  }
  effacer_temporaires(c, essais);

  std::vector<std::int64_t> a_faire;
  for (std::int64_t n : essais)
    if (!essai_fait(c, n)) a_faire.push_back(n);
  installer_signaux(0);
  attendre_saisie(1);
  const bilan_execution b = executer(plan, c, a_faire, processus, deja_faits, nb);
  effacer_temporaires(c, essais);
  const std::int64_t faits = deja_faits + b.joues;
  if (b.arrete || b.echecs > 0) {
    std::fprintf(stderr,
                 "pangaeolith : expérience %s : %" PRId64 " essais sur %" PRId64
                 " faits, gardés dans %s.\nPour finir les autres : %s\n",
                 b.arrete ? "arrêtée" : "incomplète", faits, nb, c.parties.c_str(),
                 commande_reprise(o).c_str());
    return 1;
  }
  if (!assembler(plan, c, essais, erreur)) {
    std::fprintf(stderr, "pangaeolith : %s\n", erreur.c_str());
    return 1;
  }
  std::fprintf(stderr,
               "pangaeolith : %" PRId64 " essais joués, %" PRId64
               " déjà faits ; résultats dans %s "
               "et %s.\n",
               b.joues, deja_faits, c.mesures.c_str(), c.resume.c_str());
  return 0;
}

}  // namespace

bool option_experience(int argc, char** argv, int& i) {
  const std::string a = argv[i];
  options_experience& o = etat.options;
  auto valeur = [&](int n) {
    if (i + n < argc) return true;
    std::fprintf(stderr, "pangaeolith : l'option %s attend %s.\n", a.c_str(),
                 n == 1 ? "une valeur" : "quatre valeurs");
    o.refusee = true;
    i = argc;
    return false;
  };
  auto fichier = [&](std::string& champ) {
    if (!valeur(1)) return;
    champ = argv[++i];
    if (champ.empty()) refuser(("l'option " + a + " attend un nom de fichier.").c_str());
  };
  if (a == "--experience") {
    fichier(o.plan);
  } else if (a == "-j" || a == "--processus") {
    long n = 0;
    if (valeur(1) && !lire_entier(argv[++i], 1, PROCESSUS_MAX, n))
      refuser(("nombre de processus refusé (" + std::string(argv[i]) + ") : de 1 à " +
               std::to_string(PROCESSUS_MAX) + ".")
                  .c_str());
    o.processus = static_cast<int>(n);
  } else if (a == "--resultats") {
    fichier(o.resultats);
  } else if (a == "--reprendre") {
    o.reprendre = true;
  } else if (a == "--confirmer") {
    o.confirmer = true;
  } else if (a == "--fusionner") {
    o.fusionner = true;
  } else if (a == "--tache" || a == "--taches") {
    long n = 0;
    if (valeur(1) && !lire_entier(argv[++i], 1, TACHES_MAX, n))
      refuser((a + " refusée (" + argv[i] + ") : nombre entier de 1 à " +
               std::to_string(TACHES_MAX) + " attendu.")
                  .c_str());
    (a == "--tache" ? o.tache : o.taches) = n;
  } else if (a == "--courbe-experience") {
    if (valeur(4)) {
      o.courbe.assign(argv + i + 1, argv + i + 5);
      i += 4;
    }
  } else {
    return false;
  }
  o.donnees = true;
  return true;
}

options_experience lire_options_experience() { return etat.options; }

void reinitialiser_options_experience() { etat = {}; }

int processeurs_disponibles() {
  cpu_set_t ensemble;
  if (sched_getaffinity(0, sizeof ensemble, &ensemble) == 0)
    return std::max(1, CPU_COUNT(&ensemble));
  return static_cast<int>(std::max(1L, sysconf(_SC_NPROCESSORS_ONLN)));
}

int executer_mode_experience(bool autre_travail) {
  const options_experience& o = etat.options;
  if (!o.donnees) return -1;
  if (o.refusee) return 2;
  auto refus = [](const char* message) {
    std::fprintf(stderr, "pangaeolith : %s\n", message);
    return 2;
  };
  if (!o.courbe.empty()) {
    if (!o.plan.empty()) return refus("--courbe-experience se donne sans --experience.");
    std::string erreur;
    if (!ecrire_courbe_experience(o.courbe[0], o.courbe[1], o.courbe[2], o.courbe[3], erreur)) {
      std::fprintf(stderr, "pangaeolith : --courbe-experience : %s\n", erreur.c_str());
      return 2;
    }
    return 0;
  }
  if (o.plan.empty())
    return refus(
        "les options -j, --resultats, --reprendre, --confirmer, --fusionner, --tache et --taches "
        "ne servent qu'avec --experience PLAN.json.");
  if (autre_travail)
    return refus(
        "--experience ne se combine pas avec --pas, --stats ni --charger : le plan dit tout.");
  if ((o.tache > 0) != (o.taches > 0)) return refus("--tache K et --taches M se donnent ensemble.");
  if (o.tache > o.taches) return refus("--tache K va de 1 au nombre M de --taches.");
  if (o.fusionner && (o.taches > 0 || o.reprendre))
    return refus("--fusionner se donne sans --tache, --taches ni --reprendre.");
  return lancer_plan(o);
}
