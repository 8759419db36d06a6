// Log records: prefix, added line end, files emptied on opening. The
// flush each second and a failed write are checked against the real program (a killed run,
// /dev/full).
#include <gmock/gmock.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

#include "commun/capture.h"
#include "commun/reinitialisation_test.h"
#include "socle/journal.h"

using testing::MatchesRegex;

TEST(Journal, EnregistrementsEtFichiers) {
  reinitialiser_couches();
  // Opening empties the file: a second run keeps only its own records.
  const std::string chemin =
      testing::TempDir() + "journal_test_" + std::to_string(getpid()) + ".log";
  for (const char* passage : {"premier passage", "second passage"}) {
    ASSERT_EQ(ouvrir_debug(chemin.c_str()), 1);
    ecrire_debug("%s", passage);
    fermer_debug();
  }
  std::stringstream texte;
  texte << std::ifstream(chemin).rdbuf();
  std::remove(chemin.c_str());
  EXPECT_THAT(texte.str(), MatchesRegex("Debug - [0-9:]+ - second passage\n"));

  CaptureJournaux journaux;
  // The line feed is added when missing; an empty format has no last character: it lacks it.
  ecrire_debug("creer_carte : termine\n");
  ecrire_debug("id %d de %s", 42, "T1");
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-zero-length"
  ecrire_debug("");
#pragma GCC diagnostic pop
  ecrire_erreur("hors carte");
  EXPECT_THAT(
      journaux.debug_brut(),
      MatchesRegex("Debug - [0-2][0-9]:[0-5][0-9]:[0-6][0-9]:[0-9]+ - creer_carte : termine\n"
                   "Debug - [0-9:]+ - id 42 de T1\n"
                   "Debug - [0-9:]+ - \n"));
  EXPECT_THAT(journaux.erreur_brut(), MatchesRegex("Error - [0-9:]+ - hors carte\n"));
}
