// What start-up adds for a terminal user: the help file found from anywhere, and the console
// loop ended by a signal. The usage, the refused options and the seed's range are pinned by the
// recorded runs.
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
