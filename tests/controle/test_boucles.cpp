// The console loop in text and graphics mode, with a scripted reader and a capturing writer.
#include <gtest/gtest.h>

#include <array>
#include <csignal>
#include <sstream>
#include <string>

#include "commun/capture.h"
#include "console/console.h"
#include "console/interpreteur.h"
#include "controle/boucles.h"
#include "controle/etat_programme.h"
#include "controle/reinitialisation.h"
#include "graphique/vue_gl.h"
#include "socle/parametres.h"
#include "socle/signaux.h"

namespace {

std::istringstream entree;
std::string ecrit;

int lire() { return entree.get(); }
void ecrire(const char* texte) { ecrit += texte; }

// A fresh program whose console reads `texte`, in text (opengl 0) or graphics mode.
void preparer(const std::string& texte, int console, int opengl, int ligne_prete) {
  reinitialiser_programme();
  fixer_entree_sortie(lire, ecrire);
  fixer_interpreteur(interpreter_commande);
  entree = std::istringstream(texte);
  ecrit.clear();
  fixer_etat_programme({console, 0, 0, 0});
  fixer_mode_affichage({0, 0, opengl});
  vue_gl v = lire_vue_gl();
  v.ligne_prete = ligne_prete;
  ecrire_vue_gl(v);
}

}  // namespace

TEST(Boucles, ModeGraphiqueUneLigneParAppel) {
  // Console closed in either mode, or no line typed in the window: nothing is read.
  for (auto [console, opengl, ligne_prete] :
       {std::array{0, 0, 1}, std::array{0, 1, 1}, std::array{1, 1, 0}}) {
    preparer("quit\n", console, opengl, ligne_prete);
    bcle_princip();
    EXPECT_EQ(entree.tellg(), 0);
  }
  // A typed line: that one only is interpreted (the flag is cleared), then the byte 255 shows the
  // window's prompt.
  preparer("ansi 1\nansi 0\n", 1, 1, 1);
  bcle_princip();
  EXPECT_EQ(ecrit, "Passage au mode ansi\n\xff");
  // quit asks for the end; the next idle call ends the process with status 0.
  preparer("quit\n", 1, 1, 1);
  bcle_princip();
  EXPECT_EXIT(bcle_princip(), testing::ExitedWithCode(0), "");
}

TEST(Boucles, UnSignalDeFinTermineLaBoucleCommeQuit) {
  preparer("affich\naffich\n", 1, 0, 0);
  installer_signaux(1);
  std::raise(SIGTERM);
  CaptureSortie sortie;
  bcle_princip();
  EXPECT_EQ(sortie.texte() + ecrit, "") << "no prompt once the run is asked to end";
  EXPECT_EQ(lire_etat_programme().boucle_active, 0);
  reinitialiser_programme();
}

TEST(Boucles, CtrlCTermineLaFenetre) {
  // The graphics display has no prompt to come back to: Ctrl-C ends it at the next idle call.
  preparer("", 1, 1, 0);
  installer_signaux(1);
  std::raise(SIGINT);
  EXPECT_EXIT(bcle_princip(), testing::ExitedWithCode(0), "");
  prendre_interruption();
  bcle_princip();  // without it, an idle call with no typed line just returns
  EXPECT_EQ(lire_etat_programme().boucle_active, 0);
  reinitialiser_programme();
}
