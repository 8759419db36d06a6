// Log records: prefix, added line end, return values, closed logs, files emptied on opening.
#include <gmock/gmock.h>

#include <fstream>
#include <sstream>

#include "commun/monde_test.h"
#include "socle/journal.h"

using testing::MatchesRegex;

TEST(Journal, EnregistrementsEtFichiers) {
  reinitialiser_programme();
  EXPECT_EQ(ecrire_erreur("hors carte\n"), -1);
  // Opening empties the file: a second run keeps only its own records.
  const std::string chemin = testing::TempDir() + "journal_test.log";
  for (const char* passage : {"premier passage", "second passage"}) {
    ASSERT_EQ(ouvrir_debug(chemin.c_str()), 1);
    ecrire_debug("%s", passage);
    fermer_debug();
  }
  std::stringstream texte;
  texte << std::ifstream(chemin).rdbuf();
  std::remove(chemin.c_str());
  EXPECT_THAT(texte.str(), MatchesRegex("Debug - [0-9:]+ - second passage\n"));
  // Closed again, or never opened because the file cannot be created: nothing is written.
  EXPECT_EQ(ecrire_debug("rien\n"), -1);
  EXPECT_EQ(ouvrir_debug("/nonexistent-dir/debug.log"), 0);
  EXPECT_EQ(ecrire_debug("rien\n"), -1);

  CaptureJournaux journaux;
  // The count is the expanded message with its line feed, added or not, without the prefix.
  EXPECT_EQ(ecrire_debug("creer_carte : termine\n"), 22);
  EXPECT_EQ(ecrire_debug("id %d de %s", 42, "T1"), 12);
  // An empty format has no last character: it is taken as lacking its line feed.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-zero-length"
  EXPECT_EQ(ecrire_debug(""), 1);
#pragma GCC diagnostic pop
  EXPECT_EQ(ecrire_erreur("hors carte"), 11);
  EXPECT_THAT(
      journaux.debug_brut(),
      MatchesRegex("Debug - [0-2][0-9]:[0-5][0-9]:[0-6][0-9]:[0-9]+ - creer_carte : termine\n"
                   "Debug - [0-9:]+ - id 42 de T1\n"
                   "Debug - [0-9:]+ - \n"));
  EXPECT_THAT(journaux.erreur_brut(), MatchesRegex("Error - [0-9:]+ - hors carte\n"));
}
