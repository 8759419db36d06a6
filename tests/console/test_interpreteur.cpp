// The command interpreter, driven through the console as a typed line would be.
#include <gtest/gtest.h>

#include <array>
#include <sstream>
#include <string>

#include "commun/capture.h"
#include "commun/monde_test.h"
#include "console/console.h"
#include "console/interpreteur.h"
#include "monde/terrain.h"
#include "socle/parametres.h"

namespace {

std::istringstream entree;
std::string ecrit;
int scenes = 0, redessins = 0, consoles_videes = 0;

int lire_script() { return entree.get(); }
void capturer(const char* texte) { ecrit += texte; }

const std::string PAS = "bcleprincip - Mise à jour de la carte ...";
const std::string CARTE = "afficher_carte - On va prendre les dimensions de la carte.";

// What the commands change: ansi, bold, console, boucle_active, fin_demandee.
using Etat = std::array<int, 5>;
Etat etat() {
  const etat_programme e = lire_etat_programme();
  const mode_affichage m = lire_mode_affichage();
  return {m.ansi, m.bold, e.console, e.boucle_active, e.fin_demandee};
}

class Interpreteur : public ::testing::Test {
 protected:
  // A one-cell world keeps the steps cheap; the console reads the typed lines.
  void SetUp() override {
    construire_monde(1, 1, MER, 5);
    fixer_entree_sortie(lire_script, capturer);
    fixer_interpreteur(interpreter_commande);
    fixer_etat_programme({1, 0, 1, 0});
    scenes = redessins = consoles_videes = 0;
  }

  // Output of one command line.
  static std::string commande(const std::string& ligne) {
    entree = std::istringstream(ligne + "\n");
    ecrit.clear();
    lire_commande();
    return ecrit;
  }
};

TEST_F(Interpreteur, MinuterieEtConsoleReduite) {
  EXPECT_EQ(commande("hour 0"), "");
  EXPECT_EQ(commande("hour"), "Syntaxe : hour X : X = nb de millisecondes\n");
  EXPECT_EQ(lire_delai_minuterie(), 0);
  EXPECT_EQ(commande("inter 0.5"), "");
  EXPECT_EQ(commande("i"), "Syntaxe : float X : X = intervalle de dessin\n");
  EXPECT_FLOAT_EQ(lire_pas_heure(), 0.5f);
  // pro_mode toggles the reduced console, in text mode as in graphics mode; any other value
  // than 0 turns it off.
  commande("pro");
  EXPECT_EQ(lire_vue_gl().console_reduite, 1);
  fixer_mode_affichage({0, 0, 1});
  commande("pro");
  EXPECT_EQ(lire_vue_gl().console_reduite, 0);
  vue_gl v = lire_vue_gl();
  v.console_reduite = 7;
  ecrire_vue_gl(v);
  commande("pro_mode");
  EXPECT_EQ(lire_vue_gl().console_reduite, 0);
}

TEST_F(Interpreteur, ModeGraphique) {
  CaptureJournaux journaux;
  CaptureSortie sortie;
  fixer_mode_affichage({0, 0, 1});
  fixer_actions_graphiques({[] { ++scenes; }, [] { ++redessins; }, [] { ++consoles_videes; }});
  // cont rebuilds the scene and asks for a redraw instead of drawing the map; affich still
  // draws the text map on standard output; clear also blanks the window console.
  EXPECT_EQ(commande("cont 2"), "");
  EXPECT_EQ(compter(journaux.debug(), PAS), 2);
  EXPECT_EQ(etat(), (Etat{0, 0, 1, 0, 0}));
  EXPECT_EQ(compter(journaux.debug(), CARTE), 0);
  commande("aff");
  commande("clear");
  commande("refresh");
  EXPECT_EQ(compter(journaux.debug(), CARTE), 1);
  EXPECT_EQ((std::array{scenes, redessins, consoles_videes}), (std::array{1, 2, 1}));
  vue_gl v{};
  v.x_eye = 1.5f;
  v.z_up = -2.0f;
  v.nb_triangles = 40;
  v.largeur = 800;
  v.dessin_ressources = 1;
  ecrire_vue_gl(v);
  EXPECT_EQ(commande("pview rtris"),
            "Nombre de triangles de la scène:40\nNombre de triangles/secondes nécéssaires:1000\n");
  EXPECT_EQ(commande("show all"),
            "Options OpenGL:\n---------------\nPosition de la caméra:\n"
            "x_eye = 1.500000 , y_eye = 0.000000 , z_eye = 0.000000\n"
            "x_zoom = 0.000000 , y_zoom = 0.000000 , z_zoom = 0.000000\n"
            "x_up = 0.000000 , y_up = 0.000000 , z_up = -2.000000\n"
            "complexité = 0\nTaille de la fenêtre, x=800 , y=0 \n"
            "Etat du double buffer : off\nEtat du plein écran : off\n"
            "Dessin - des unités:off , des ressources:on\n"
            "Options d'affichage:\n--------------------\n"
            "Mode - ansi : off , bold : off , opengl : on\nEtat du mode debug : off\n");
}

}  // namespace
