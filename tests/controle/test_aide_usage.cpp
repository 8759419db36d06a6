// What start-up adds for a terminal user: the help file found from anywhere. The usage, the
// refused options and the seed's range are pinned by the recorded runs.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "controle/terminal.h"

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
