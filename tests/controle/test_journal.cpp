// Log records: prefix, line end, return values, closed logs, fresh files.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>

#include "commun/monde_test.h"
#include "controle/journal.h"

namespace {

std::string lire(const std::string& chemin) {
  std::ifstream f(chemin);
  std::stringstream s;
  s << f.rdbuf();
  return s.str();
}

}  // namespace

TEST(Journal, FermeNeFaitRienEtRenvoieMoinsUn) {
  reinitialiser_monde();
  EXPECT_EQ(ecrire_debug("creer_carte : termine\n"), -1);
  EXPECT_EQ(ecrire_erreur("quelle_unite: on demande une unite hors de la carte\n"), -1);
  EXPECT_FALSE(debug_ouvert());
}

TEST(Journal, FormatDesEnregistrements) {
  reinitialiser_monde();
  CaptureJournaux journaux;
  // The count is the expanded message, the added line feed included, the prefix not.
  EXPECT_EQ(ecrire_debug("creer_carte : termine\n"), 22);
  EXPECT_EQ(ecrire_debug("main - On positionne les unités"), 33);
  EXPECT_EQ(ecrire_debug("id %d de %s", 42, "MECHANT_RUMINANT"), 26);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-zero-length"
  EXPECT_EQ(ecrire_debug(""), 1);
#pragma GCC diagnostic pop
  EXPECT_EQ(ecrire_erreur("quelle_altitude: case hors de la carte\n"), 39);

  const std::string brut = journaux.debug_brut();
  const std::regex record(
      "Debug - [0-2][0-9]:[0-5][0-9]:[0-6][0-9]:[0-9]+ - creer_carte : termine\n"
      "Debug - [0-9:]+ - main - On positionne les unités\n"
      "Debug - [0-9:]+ - id 42 de MECHANT_RUMINANT\n"
      "Debug - [0-9:]+ - \n");
  EXPECT_TRUE(std::regex_match(brut, record)) << brut;
  EXPECT_TRUE(
      std::regex_match(journaux.erreur_brut(),
                       std::regex("Error - [0-9:]+ - quelle_altitude: case hors de la carte\n")))
      << journaux.erreur_brut();
}

TEST(Journal, OuvertureVideLeFichierEtEchecLaisseFerme) {
  reinitialiser_monde();
  const std::string chemin = testing::TempDir() + "journal_test.log";
  ASSERT_EQ(ouvrir_debug(chemin.c_str()), 1);
  ecrire_debug("premier passage\n");
  fermer_debug();
  ASSERT_EQ(ouvrir_debug(chemin.c_str()), 1);
  ecrire_debug("second passage\n");
  fermer_debug();
  const std::string texte = lire(chemin);
  EXPECT_EQ(texte.find("premier"), std::string::npos);
  EXPECT_NE(texte.find("second passage"), std::string::npos);

  // A file that cannot be created leaves the log closed, and writes return -1.
  EXPECT_EQ(ouvrir_debug("/nonexistent-dir/debug.log"), 0);
  EXPECT_FALSE(debug_ouvert());
  EXPECT_EQ(ecrire_debug("rien\n"), -1);
  FILE* f = reinterpret_cast<FILE*>(1);
  EXPECT_EQ(ouvrir_fichier_log("/nonexistent-dir/x.log", &f), 0);
  EXPECT_EQ(f, nullptr);
  std::remove(chemin.c_str());
}
