// What the command line and start-up add for a terminal user: the usage text, messages for what
// the parser cannot use, the seed's range, quiet turns, the help file found from anywhere, and
// the console loop ended by a signal.
#include <gtest/gtest.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "commun/monde_test.h"
#include "console/console.h"
#include "console/interpreteur.h"
#include "controle/boucles.h"
#include "controle/options.h"
#include "controle/terminal.h"
#include "monde/carte.h"
#include "socle/alea.h"
#include "socle/parametres.h"
#include "socle/signaux.h"
#include "socle/sortie.h"

namespace {

struct Resultat {
  int statut;
  std::string sortie;
  std::string erreurs;
};

// Parses the words after the program name from a fresh program, capturing both outputs.
Resultat analyser(std::vector<std::string> mots) {
  reinitialiser_programme();
  mots.insert(mots.begin(), "pangaeolith");
  std::vector<char*> argv;
  for (auto& m : mots) argv.push_back(m.data());
  argv.push_back(nullptr);
  CaptureSortie sortie;
  testing::internal::CaptureStderr();
  analyser_ligne_commande(static_cast<int>(mots.size()), argv.data());
  const std::string erreurs = testing::internal::GetCapturedStderr();
  return {statut_ligne_commande(), sortie.texte(), erreurs};
}

}  // namespace

TEST(LigneDeCommande, GraineDeZeroA4294967295) {
  const struct {
    const char* texte;
    bool acceptee;
    std::uint32_t graine;
  } cas[] = {{"0", true, 0},
             {"4294967295", true, 4294967295u},
             {"2147483648", true, 2147483648u},
             {"007", true, 7},
             {"4294967296", false, 0},
             {"99999999999999999999", false, 0},
             {"-1", false, 0},
             {"+5", false, 0},
             {"abc", false, 0},
             {"12abc", false, 0},
             {"", false, 0}};
  for (const auto& c : cas) {
    SCOPED_TRACE(c.texte);
    const Resultat r = analyser({"--seed", c.texte});
    if (c.acceptee) {
      EXPECT_EQ(r.statut, -1);
      EXPECT_EQ(r.erreurs, "");
      EXPECT_EQ(graine_partie(), c.graine);
      const int tirage = tirer_alea();
      initialiser_alea(c.graine);
      EXPECT_EQ(tirer_alea(), tirage);
    } else {
      EXPECT_EQ(r.statut, 2);
      EXPECT_EQ(r.erreurs, std::string("pangaeolith : graine refusée (") + c.texte +
                               ") : il faut un nombre entier de 0 à 4294967295.\n");
      EXPECT_EQ(graine_partie(), 1u) << "a refused seed seeds nothing";
    }
  }
  EXPECT_EQ(analyser({"--seed"}).statut, 2);
  // --help wins over a refused seed.
  EXPECT_EQ(analyser({"--seed", "x", "-h"}).statut, 0);
}

TEST(FichierAide, RepertoireCourantPuisExecutablePuisDonnees) {
  namespace fs = std::filesystem;
  const fs::path racine = fs::path(testing::TempDir()) / "aide_partout";
  fs::remove_all(racine);
  for (const char* d : {"courant", "executable", "donnees", "vide"})
    fs::create_directories(racine / d);
  std::ofstream(racine / "executable" / "aide.dat") << "@cont\n";
  std::ofstream(racine / "donnees" / "aide.dat") << "@cont\n";
  const fs::path avant = fs::current_path();
  fs::current_path(racine / "courant");
  const std::string exe = (racine / "executable").string();
  const std::string donnees = (racine / "donnees").string();
  EXPECT_EQ(chercher_fichier_aide(exe, donnees), exe + "/aide.dat");
  EXPECT_EQ(chercher_fichier_aide("", donnees), donnees + "/aide.dat");
  EXPECT_EQ(chercher_fichier_aide((racine / "vide").string(), donnees), donnees + "/aide.dat");
  EXPECT_EQ(chercher_fichier_aide("", ""), "aide.dat") << "none found: the usual name";
  std::ofstream("aide.dat") << "@cont\n";
  EXPECT_EQ(chercher_fichier_aide(exe, donnees), "aide.dat");
  fs::current_path(avant);
  fs::remove_all(racine);
}

TEST(Boucles, UnSignalDeFinTermineLaBoucleCommeQuit) {
  construire_monde(1, 1, MER, 5);
  std::istringstream entree("affich\naffich\n");
  static std::istringstream* lu = nullptr;
  lu = &entree;
  fixer_entree_sortie([] { return lu->get(); }, [](const char*) {});
  fixer_interpreteur(interpreter_commande);
  fixer_etat_programme({1, 0, 0, 0});
  installer_signaux(1);
  std::raise(SIGTERM);
  CaptureSortie sortie;
  bcle_princip();
  EXPECT_EQ(sortie.texte(), "") << "no prompt once the run is asked to end";
  EXPECT_EQ(lire_etat_programme().boucle_active, 0);
  reinitialiser_programme();
}

TEST(Boucles, CtrlCTermineLaFenetre) {
  // The graphics display has no prompt to come back to: Ctrl-C ends it at the next idle call.
  construire_monde(1, 1, MER, 5);
  fixer_etat_programme({1, 0, 0, 0});
  fixer_mode_affichage({0, 0, 1});
  installer_signaux(1);
  std::raise(SIGINT);
  EXPECT_EXIT(bcle_princip(), testing::ExitedWithCode(0), "");
  prendre_interruption();
  CaptureSortie sortie;
  bcle_princip();  // without it, an idle call with no typed line just returns
  EXPECT_EQ(lire_etat_programme().boucle_active, 0);
  reinitialiser_programme();
}
