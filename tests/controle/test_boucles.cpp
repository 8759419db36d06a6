// The console loop in text and graphics mode, with a scripted reader and a capturing writer.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "commun/monde_test.h"
#include "console/console.h"
#include "console/interpreteur.h"
#include "controle/boucles.h"
#include "controle/parametres.h"
#include "monde/terrain.h"

namespace {

std::string entree;
std::size_t lus = 0;
std::string ecrit;

int lire() { return lus < entree.size() ? static_cast<unsigned char>(entree[lus++]) : EOF; }
void ecrire(const char* texte) { ecrit += texte; }

void preparer(const std::string& texte, int console, int opengl, int ligne_prete) {
  construire_monde(3, 3, BAS, 5, 100);
  init_console();
  fixer_entree_sortie(lire, ecrire);
  fixer_interpreteur(interpreter_commande);
  entree = texte;
  lus = 0;
  ecrit.clear();
  fixer_etat_programme({console, 0, 0, 0});
  fixer_mode_affichage({0, 0, opengl});
  vue_gl v = lire_vue_gl();
  v.ligne_prete = ligne_prete;
  ecrire_vue_gl(v);
}

}  // namespace

TEST(Boucles, ModeTexteJusquAQuit) {
  preparer("affich\nbold 1\nquit\nclear\n", 1, 0, 0);
  CaptureSortie sortie;
  CaptureJournaux journaux;
  bcle_princip();
  // Three prompts, then the loop stops at quit without reading further.
  const std::string texte = sortie.texte();
  EXPECT_EQ(texte.rfind('>'), texte.size() - 1);
  EXPECT_EQ(std::count(texte.begin(), texte.end(), '>'), 3);
  EXPECT_EQ(ecrit, "Vous n'êtes pas en mode ansi.\n");
  EXPECT_EQ(lus, std::string("affich\nbold 1\nquit\n").size());
  EXPECT_EQ(compter(journaux.debug(), "bcle_princip - on affiche le prompt"), 3);
  EXPECT_EQ(lire_etat_programme().boucle_active, 0);

  // exit ends the text loop too, and closes the console.
  preparer("exit\n", 1, 0, 0);
  CaptureSortie autre;
  bcle_princip();
  EXPECT_EQ(autre.texte(), ">");
  EXPECT_EQ(lire_etat_programme().console, 0);
}

TEST(Boucles, ConsoleFermeeRienNEstLu) {
  for (int opengl : {0, 1}) {
    preparer("quit\n", 0, opengl, 1);
    CaptureSortie sortie;
    bcle_princip();
    EXPECT_EQ(lus, 0u);
    EXPECT_EQ(sortie.texte(), "");
    EXPECT_EQ(lire_etat_programme().boucle_active, 0);
  }
}

TEST(Boucles, ModeGraphiqueUneLigneParAppel) {
  // No typed line: nothing read.
  preparer("ansi 1\nansi 0\n", 1, 1, 0);
  bcle_princip();
  EXPECT_EQ(lus, 0u);
  EXPECT_EQ(lire_etat_programme().boucle_active, 0);

  // A typed line: exactly that one is interpreted, then the window console gets the byte 255
  // that shows the next prompt.
  preparer("ansi 1\nansi 0\n", 1, 1, 1);
  CaptureSortie sortie;
  bcle_princip();
  EXPECT_EQ(lus, 7u);
  EXPECT_EQ(ecrit, "Passage au mode ansi\n\xff");
  EXPECT_EQ(lire_vue_gl().ligne_prete, 0);
  EXPECT_EQ(lire_mode_affichage().ansi, 1);
  EXPECT_EQ(sortie.texte(), "");

  // quit asks for the end; the next idle call ends the process with status 0.
  preparer("quit\n", 1, 1, 1);
  bcle_princip();
  EXPECT_EQ(lire_etat_programme().fin_demandee, 1);
  EXPECT_EXIT(bcle_princip(), testing::ExitedWithCode(0), "");
}
