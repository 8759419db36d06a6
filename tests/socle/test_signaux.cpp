// Signals: what Ctrl-C, SIGTERM and SIGHUP raise on a terminal and off one, and how the flags
// are taken.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>
#include <unistd.h>

#include <csignal>

#include "commun/reinitialisation_test.h"
#include "socle/signaux.h"

namespace {

bool gestionnaire_par_defaut(int numero) {
  struct sigaction action {};
  sigaction(numero, nullptr, &action);
  return action.sa_handler == SIG_DFL;
}

}  // namespace

TEST(Signaux, SurTerminalCtrlCInterromptEtSigtermArrete) {
  reinitialiser_couches();
  installer_signaux(1);
  EXPECT_FALSE(gestionnaire_par_defaut(SIGINT));
  std::raise(SIGINT);
  EXPECT_EQ(arret_demande(), 0);
  EXPECT_EQ(interruption_en_attente(), 1);
  EXPECT_EQ(prendre_interruption(), 1) << "looking does not take the interruption";
  EXPECT_EQ(prendre_interruption(), 0);
  // While a line is awaited the handlers stay in place.
  attendre_saisie(1);
  std::raise(SIGTERM);
  attendre_saisie(0);
  EXPECT_EQ(arret_demande(), 1);
  EXPECT_EQ(interruption_en_attente(), 0);
  reinitialiser_couches();
  EXPECT_EQ(arret_demande(), 0);
  EXPECT_TRUE(gestionnaire_par_defaut(SIGINT));
  EXPECT_TRUE(gestionnaire_par_defaut(SIGTERM));
}

TEST(Signaux, HorsTerminalCtrlCArreteEtLEntreeSeTermine) {
  reinitialiser_couches();
  int tube[2];
  ASSERT_EQ(pipe(tube), 0);
  const int entree = dup(STDIN_FILENO);
  dup2(tube[0], STDIN_FILENO);
  ASSERT_EQ(write(tube[1], "x", 1), 1);
  installer_signaux(0);
  std::raise(SIGINT);
  EXPECT_EQ(arret_demande(), 1);
  EXPECT_EQ(interruption_en_attente(), 0);
  // The input now reads as ended, although the pipe still holds a byte and stays open.
  char c = 0;
  EXPECT_EQ(read(STDIN_FILENO, &c, 1), 0);
  dup2(entree, STDIN_FILENO);
  close(entree);
  close(tube[0]);
  close(tube[1]);
  reinitialiser_couches();
}

// SIGHUP (a closed terminal) ends the run like SIGTERM, and stays ignored when it was at start
// (nohup). Once the run has been asked to end, a second request kills the process with the
// signal's own action; Ctrl-C at a terminal stays an interruption however often it comes.
TEST(Signaux, RaccrochageEtSecondeDemandeDArret) {
  reinitialiser_couches();
  installer_signaux(1);
  std::raise(SIGHUP);
  EXPECT_EQ(arret_demande(), 1);
  EXPECT_EQ(interruption_en_attente(), 0);
  std::raise(SIGINT);
  std::raise(SIGINT);
  EXPECT_EQ(prendre_interruption(), 1);
  // The same request delivered twice at once (timeout(1) sends it to the process and to its
  // group) is one request; a second one a moment later ends the process.
  std::raise(SIGTERM);
  EXPECT_EQ(arret_demande(), 1);
  std::this_thread::sleep_for(std::chrono::milliseconds(150));
  EXPECT_EXIT(std::raise(SIGTERM), testing::KilledBySignal(SIGTERM), "");
  EXPECT_EXIT(std::raise(SIGHUP), testing::KilledBySignal(SIGHUP), "");
  reinitialiser_couches();
  EXPECT_TRUE(gestionnaire_par_defaut(SIGHUP));

  std::signal(SIGHUP, SIG_IGN);
  installer_signaux(1);
  std::raise(SIGHUP);
  EXPECT_EQ(arret_demande(), 0);
  reinitialiser_couches();
  struct sigaction action {};
  sigaction(SIGHUP, nullptr, &action);
  EXPECT_EQ(action.sa_handler, SIG_IGN);
  std::signal(SIGHUP, SIG_DFL);
}
