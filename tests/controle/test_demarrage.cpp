// Start of the display: without a reachable X display the graphics window is refused with its
// error line, so that start-up goes on in text mode instead of GLUT ending the process.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "commun/monde_test.h"
#include "controle/demarrage.h"
#include "socle/parametres.h"

TEST(Demarrage, SansAffichageXLaFenetreEstRefusee) {
  reinitialiser_programme();
  const char* ancien = std::getenv("DISPLAY");
  const std::string sauve = ancien != nullptr ? ancien : "";
  fixer_mode_affichage({0, 0, 1});
  CaptureJournaux journaux;
  char programme[] = "pangaeolith";
  char option[] = "-g";
  char* argv[] = {programme, option, nullptr};
  int argc = 2;
  for (const char* affichage : {static_cast<const char*>(nullptr), "", ":4242"}) {
    SCOPED_TRACE(affichage != nullptr ? affichage : "(absent)");
    if (affichage == nullptr)
      unsetenv("DISPLAY");
    else
      setenv("DISPLAY", affichage, 1);
    EXPECT_EQ(initialiser_affichage(&argc, argv), 0);
    EXPECT_EQ(argc, 2);
  }
  if (ancien != nullptr)
    setenv("DISPLAY", sauve.c_str(), 1);
  else
    unsetenv("DISPLAY");
  EXPECT_EQ(compter(journaux.erreur(), "init_opengl - Impossible de joindre l'affichage X"), 3);
}
