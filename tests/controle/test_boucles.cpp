// The console loop in text and graphics mode, with a scripted reader and a capturing writer.
#include <gtest/gtest.h>

#include <array>
#include <sstream>
#include <string>

#include "commun/monde_test.h"
#include "console/console.h"
#include "console/interpreteur.h"
#include "controle/boucles.h"
#include "socle/parametres.h"

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
