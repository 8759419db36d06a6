// Log records: prefix, added line end, return values, closed logs, files emptied on opening.
#include <gmock/gmock.h>
#include <unistd.h>

#include <chrono>
#include <ctime>
#include <fstream>
#include <sstream>
#include <thread>

#include "commun/capture.h"
#include "commun/reinitialisation_test.h"
#include "socle/journal.h"

using testing::MatchesRegex;

TEST(Journal, EnregistrementsEtFichiers) {
  reinitialiser_couches();
  EXPECT_EQ(ecrire_erreur("hors carte\n"), -1);
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

// Records reach the file at the first record of each new second, or at an idle pass once their
// second is over, not before: a killed run loses at most the last second. A failed write is
// counted as an incomplete trace.
TEST(Journal, VidageChaqueSecondeEtEchec) {
  reinitialiser_couches();
  const std::string chemin =
      testing::TempDir() + "journal_seconde_" + std::to_string(getpid()) + ".log";
  const auto contenu = [&] {
    std::stringstream texte;
    texte << std::ifstream(chemin).rdbuf();
    return texte.str();
  };
  const auto seconde_suivante = [] {
    const std::time_t depart = std::time(nullptr);
    while (std::time(nullptr) == depart) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  };
  ASSERT_EQ(ouvrir_debug(chemin.c_str()), 1);
  // Just after a second begins, so that the records share their second.
  seconde_suivante();
  const std::time_t depart = std::time(nullptr);
  ecrire_debug("premier");  // the first record of a file goes out at once
  EXPECT_NE(contenu().find("premier"), std::string::npos);
  ecrire_debug("dernier");  // the second waits in the buffer
  entretenir_journaux();    // the second is not over: still buffered
  if (std::time(nullptr) == depart) {
    EXPECT_EQ(contenu().find("dernier"), std::string::npos);
  }
  // No record comes any more; the idle passes flush it once its second is over.
  const auto limite = std::chrono::steady_clock::now() + std::chrono::milliseconds(1100);
  while (std::chrono::steady_clock::now() < limite &&
         contenu().find("dernier") == std::string::npos) {
    entretenir_journaux();
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  EXPECT_NE(contenu().find("dernier"), std::string::npos) << "not on disk after a quiet second";
  // A record of a new second takes the waiting ones out with it.
  ecrire_debug("attend");
  seconde_suivante();
  ecrire_debug("seconde suivante");
  EXPECT_NE(contenu().find("attend"), std::string::npos);
  EXPECT_EQ(journaux_en_echec(), 0);
  fermer_debug();
  std::remove(chemin.c_str());

  ASSERT_EQ(ouvrir_debug("/dev/full"), 1);
  testing::internal::CaptureStderr();
  for (int i = 0; i < 3; ++i) {
    ecrire_debug("plein");
    vider_journaux();
  }
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "pangaeolith : /dev/full n'a pas pu être écrit (No space left on device) : la trace "
            "est incomplète.\n");
  EXPECT_EQ(journaux_en_echec(), 1);
  fermer_debug();
}
