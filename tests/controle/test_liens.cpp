// The links the program's top makes: the commands typed at the console reach the window's
// settings through them, in text mode as in graphics mode.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "commun/monde_test.h"
#include "controle/reinitialisation.h"
#include "console/console.h"
#include "console/interpreteur.h"
#include "graphique/vue_gl.h"
#include "socle/parametres.h"

namespace {

std::istringstream entree;
std::string ecrit;

int lire() { return entree.get(); }
void ecrire(const char* texte) { ecrit += texte; }

// A fresh program whose console reads and writes here, in text (opengl 0) or graphics mode.
void preparer(int opengl) {
  reinitialiser_programme();
  fixer_entree_sortie(lire, ecrire);
  fixer_interpreteur(interpreter_commande);
  fixer_mode_affichage({0, 0, opengl});
}

// Output of one command line.
std::string commande(const std::string& ligne) {
  entree = std::istringstream(ligne + "\n");
  ecrit.clear();
  lire_commande();
  return ecrit;
}

}  // namespace

TEST(Liens, LesCommandesReglentLaFenetreMemeEnModeTexte) {
  preparer(0);
  EXPECT_EQ(commande("hour 5"), "");
  EXPECT_EQ(lire_delai_minuterie(), 5);
  EXPECT_EQ(commande("inter 0.25"), "");
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
  EXPECT_EQ(commande("show cam_pos"), "Vous n'êtes pas en mode OpenGL\n");
  EXPECT_EQ(commande("show rtris"), "");
}

TEST(Liens, ShowLitLaVueDeLaFenetre) {
  preparer(1);
  // A distinct value in every field that "show" prints.
  vue_gl v{};
  v.x_eye = 1, v.y_eye = 2, v.z_eye = 3;
  v.x_zoom = 4, v.y_zoom = 5, v.z_zoom = 6;
  v.x_up = 7, v.y_up = 8, v.z_up = 9;
  v.nb_triangles = 10;
  v.complexite = 2;
  v.largeur = 640;
  v.hauteur = 480;
  v.double_buffer = 1;
  v.plein_ecran = 0;
  v.dessin_ressources = 0;
  v.dessin_unites = 1;
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
  v.plein_ecran = 1;
  v.dessin_ressources = 1;
  v.dessin_unites = 0;
  v.double_buffer = 0;
  ecrire_vue_gl(v);
  const std::string tout = commande("show all");
  EXPECT_NE(tout.find("Etat du double buffer : off\nEtat du plein écran : on\n"
                      "Dessin - des unités:off , des ressources:on\n"),
            std::string::npos)
      << tout;
}
