// Command-line options: every row, the quirks of the comparison, missing values, the seed; and
// the help file found from anywhere. The usage, the refused options and the seed's range are
// pinned by the recorded runs.
#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <climits>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "controle/etat_programme.h"
#include "controle/options.h"
#include "controle/reinitialisation.h"
#include "controle/terminal.h"
#include "graphique/clavier.h"
#include "graphique/vue_gl.h"
#include "monde/carte.h"
#include "socle/parametres.h"

namespace {

// What the parser stores: console, debug, ansi, opengl, random tribes, double buffer, window
// width and height, full screen, map columns and rows.
using Reglages = std::array<int, 11>;

// Parses a command line given as words after the program name, from a fresh program.
Reglages analyser(std::vector<std::string> mots) {
  reinitialiser_programme();
  mots.insert(mots.begin(), "pangaeolith");
  std::vector<char*> argv;
  for (auto& m : mots) argv.push_back(m.data());
  argv.push_back(nullptr);
  analyser_ligne_commande(static_cast<int>(mots.size()), argv.data());
  const etat_programme e = lire_etat_programme();
  const mode_affichage m = lire_mode_affichage();
  const vue_gl v = lire_vue_gl();
  return {e.console,       e.debug,   m.ansi,    m.opengl,      lire_tribus_aleatoires(),
          v.double_buffer, v.largeur, v.hauteur, v.plein_ecran, combien_colonnes(),
          combien_lignes()};
}

}  // namespace

TEST(Options, ChaqueLigneEtSesParticularites) {
  const Reglages defaut{1, 0, 0, 0, 0, 1, 800, 600, 0, 10, 10};
  const struct {
    std::vector<std::string> mots;
    Reglages attendu;
  } cas[] = {
      {{}, defaut},
      {{"--ansi", "-c", "--debug", "--rand", "-s", "--size", "1024", "768", "-f", "-i", "30", "40"},
       {1, 1, 1, 0, 1, 0, 1024, 768, 1, 30, 40}},
      // The graphics display leaves the console closed unless asked for.
      {{"-g"}, {0, 0, 0, 1, 0, 1, 800, 600, 0, 10, 10}},
      {{"--opengl", "--console"}, {1, 0, 0, 1, 0, 1, 800, 600, 0, 10, 10}},
      // Exact, case-sensitive comparison of the whole rest: one dash before a word, a capital,
      // a bare dash, extra letters or an empty word match nothing; words without a dash are
      // skipped.
      {{"-ansi", "-A", "-", "--ansix", "-dim", "30", "40", ""}, defaut},
      // Refused dimensions leave the map as it was.
      {{"--dim", "0", "40"}, {1, 0, 0, 0, 0, 1, 800, 600, 0, 20, 20}},
      // The rows after a two-value option are compared with its second value: "-f" there is
      // both the height (read as 0) and the full-screen option; "-a" is above -z and not seen.
      {{"-z", "1024", "-f"}, {1, 0, 0, 0, 0, 1, 1024, 0, 1, 10, 10}},
      {{"-z", "-a", "-a"}, {1, 0, 0, 0, 0, 1, 0, 0, 0, 10, 10}},
      // Missing values: the option is ignored, nothing is read past the last argument.
      {{"--size", "1024"}, defaut},
      {{"-a", "-i", "5"}, {1, 0, 1, 0, 0, 1, 800, 600, 0, 10, 10}},
      // Values read like atoi, held within the int range.
      {{"-z", "12abc", "xyz", "-i", "+7", " 8"}, {1, 0, 0, 0, 0, 1, 12, 0, 0, 7, 8}},
      {{"-z", "99999999999999999999", "-99999999999999999999"},
       {1, 0, 0, 0, 0, 1, INT_MAX, INT_MIN, 0, 10, 10}},
  };
  for (const auto& c : cas) {
    SCOPED_TRACE(testing::PrintToString(c.mots));
    EXPECT_EQ(analyser(c.mots), c.attendu);
  }
  EXPECT_FLOAT_EQ(lire_vue_gl().heure, 14.0f);
}

TEST(Options, HistoriqueDeLaFenetreVide) {
  reinitialiser_programme();
  for (const char touche : {'c', 'a', '\r'}) clavier(static_cast<unsigned char>(touche), 0, 0);
  char nom[] = "pangaeolith";
  char* argv[] = {nom, nullptr};
  analyser_ligne_commande(1, argv);
  // UP recalls an empty line: the line read back is empty.
  touches_speciales(TOUCHE_HAUT, 0, 0);
  clavier(13, 0, 0);
  EXPECT_EQ(lire_car_gl(), '\n');
}

TEST(FichierAide, RepertoireCourantPuisExecutablePuisDonnees) {
  namespace fs = std::filesystem;
  const fs::path racine =
      fs::path(testing::TempDir()) / ("aide_partout_" + std::to_string(getpid()));
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
