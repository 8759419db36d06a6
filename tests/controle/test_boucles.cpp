// The console loop in text and graphics mode, with a scripted reader and a capturing writer; the
// links the program's top makes, through which the commands typed at the console reach the
// window's settings, in text mode as in graphics mode.
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

// Output of one command line.
std::string commande(const std::string& ligne) {
  entree = std::istringstream(ligne + "\n");
  ecrit.clear();
  lire_commande();
  return ecrit;
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

TEST(Liens, LesCommandesReglentLaFenetreMemeEnModeTexte) {
  preparer("", 1, 0, 0);
  EXPECT_EQ(commande("hour 5"), "");
  EXPECT_EQ(lire_delai_minuterie(), 5);
  EXPECT_EQ(commande("inter 0.25"), "");
  EXPECT_FLOAT_EQ(lire_pas_heure(), 0.25f);
  // Without a value the settings stay.
  commande("hour");
  commande("i");
  EXPECT_EQ(lire_delai_minuterie(), 5);
  EXPECT_FLOAT_EQ(lire_pas_heure(), 0.25f);
  // pro_mode turns 0 into 1 and any other value into 0.
  commande("pro");
  EXPECT_EQ(lire_vue_gl().console_reduite, 1);
  commande("pro");
  EXPECT_EQ(lire_vue_gl().console_reduite, 0);
  vue_gl v = lire_vue_gl();
  v.console_reduite = 7;
  ecrire_vue_gl(v);
  commande("pro_mode");
  EXPECT_EQ(lire_vue_gl().console_reduite, 0);
  // The window is not read in text mode.
  EXPECT_EQ(commande("show rtris"), "");
}

TEST(Liens, ShowLitLaVueDeLaFenetre) {
  preparer("", 1, 1, 0);
  // A distinct value in every field that "show" prints.
  vue_gl v{};
  v.x_eye = 1, v.y_eye = 2, v.z_eye = 3, v.x_zoom = 4, v.y_zoom = 5, v.z_zoom = 6;
  v.x_up = 7, v.y_up = 8, v.z_up = 9, v.nb_triangles = 10, v.complexite = 2;
  v.largeur = 640, v.hauteur = 480, v.double_buffer = 1, v.dessin_unites = 1;
  ecrire_vue_gl(v);
  EXPECT_EQ(commande("show all"),
            "Options OpenGL:\n---------------\nPosition de la caméra:\n"
            "x_eye = 1.000000 , y_eye = 2.000000 , z_eye = 3.000000\n"
            "x_zoom = 4.000000 , y_zoom = 5.000000 , z_zoom = 6.000000\n"
            "x_up = 7.000000 , y_up = 8.000000 , z_up = 9.000000\n"
            "complexité = 2\nTaille de la fenêtre, x=640 , y=480 \n"
            "Etat du double buffer : on\nEtat du plein écran : off\n"
            "Dessin - des unités:on , des ressources:off\n"
            "Options d'affichage:\n--------------------\n"
            "Mode - ansi : off , bold : off , opengl : on\nEtat du mode debug : off\n");
  EXPECT_EQ(commande("sh rtris"),
            "Nombre de triangles de la scène:10\nNombre de triangles/secondes nécéssaires:250\n");
  // Each flag the other way round.
  v.double_buffer = 0, v.plein_ecran = 1, v.dessin_unites = 0, v.dessin_ressources = 1;
  ecrire_vue_gl(v);
  EXPECT_NE(commande("show all")
                .find("buffer : off\nEtat du plein écran : on\n"
                      "Dessin - des unités:off , des ressources:on\n"),
            std::string::npos);
  // pro_mode in graphics mode too.
  commande("pro_mode");
  EXPECT_EQ(lire_vue_gl().console_reduite, 1);
}
