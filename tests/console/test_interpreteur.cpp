// The command interpreter, driven through the console as a typed line would be.
#include <gtest/gtest.h>

#include <array>
#include <sstream>
#include <string>

#include "commun/capture.h"
#include "commun/monde_test.h"
#include "console/console.h"
#include "console/interpreteur.h"
#include "commun/reinitialisation_test.h"
#include "monde/terrain.h"
#include "socle/parametres.h"

namespace {

std::istringstream entree;
std::string ecrit;
int scenes = 0, redessins = 0, consoles_videes = 0;

// What the window's settings hooks were handed, and what they show of the window.
struct Reglages {
  int delai = -1;
  float pas = -1;
  int basculements = 0;
};
Reglages reglages;
options_fenetre fenetre{};
int cartes_fenetre = 0;  // the maps answer in the window console

int lire_script() { return entree.get(); }
void capturer(const char* texte) { ecrit += texte; }

const std::string PAS = "bcleprincip - Mise à jour de la carte ...";
const std::string CARTE = "afficher_carte - On va prendre les dimensions de la carte.";

// What the commands change: ansi, bold, console, boucle_active, fin_demandee.
using Etat = std::array<int, 5>;
Etat etat() {
  const drapeaux_boucle e = drapeaux();
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
    drapeaux() = {1, 0, 1, 0};
    scenes = redessins = consoles_videes = 0;
    reglages = {};
    fenetre = {};
    cartes_fenetre = 0;
    fixer_reglages_fenetre({[] { return fenetre; }, [](int ms) { reglages.delai = ms; },
                            [](float heures) { reglages.pas = heures; },
                            [] { ++reglages.basculements; }, [] { return cartes_fenetre; }});
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
  // hour, inter and pro_mode hand their values to the window's settings in text mode as in
  // graphics mode; without the value, only the syntax line.
  EXPECT_EQ(commande("hour 0"), "");
  EXPECT_EQ(reglages.delai, 0);
  reglages.delai = 9;
  EXPECT_EQ(commande("hour"), "Syntaxe : hour X : X = nb de millisecondes\n");
  EXPECT_EQ(reglages.delai, 9);
  EXPECT_EQ(commande("inter 0.5"), "");
  EXPECT_FLOAT_EQ(reglages.pas, 0.5f);
  EXPECT_EQ(commande("i"), "Syntaxe : float X : X = intervalle de dessin\n");
  EXPECT_FLOAT_EQ(reglages.pas, 0.5f);
  EXPECT_EQ(commande("pro"), "");
  fixer_mode_affichage({0, 0, 1});
  EXPECT_EQ(commande("pro_mode"), "");
  EXPECT_EQ(reglages.basculements, 2);
  // Without hooks the commands still answer and change nothing.
  fixer_reglages_fenetre({});
  EXPECT_EQ(commande("hour 5") + commande("inter 2") + commande("pro") + commande("sh cam_pos"),
            "Position de la caméra:\nx_eye = 0.000000 , y_eye = 0.000000 , z_eye = 0.000000\n"
            "x_zoom = 0.000000 , y_zoom = 0.000000 , z_zoom = 0.000000\n"
            "x_up = 0.000000 , y_up = 0.000000 , z_up = 0.000000\n");
  EXPECT_EQ(reglages.delai, 9);
  EXPECT_FLOAT_EQ(reglages.pas, 0.5f);
  EXPECT_EQ(reglages.basculements, 2);
}

TEST_F(Interpreteur, HourEtInterDansLeurPlage) {
  // A period from 0 to an hour and an hour step from 0 to 18 are taken.
  EXPECT_EQ(commande("hour 3600000"), "");
  EXPECT_EQ(commande("inter 18"), "");
  EXPECT_EQ(commande("inter 0"), "");
  EXPECT_EQ(reglages.delai, 3600000);
  EXPECT_FLOAT_EQ(reglages.pas, 0.0f);
  reglages = {7, 0.1f, 0};
  // Anything else is refused with its reason and the setting kept: a step that is not a finite
  // number would stop the day for the rest of the run.
  for (const char* ligne :
       {"inter nan", "inter NAN", "inter inf", "inter -inf", "inter -0.5", "inter 18.5",
        "inter 1e30", "hour -1", "hour 3600001", "hour 99999999999999999999"}) {
    const std::string reponse = commande(ligne);
    EXPECT_NE(reponse.find("refusé"), std::string::npos) << ligne << " -> " << reponse;
    EXPECT_EQ(reglages.delai, 7) << ligne;
    EXPECT_FLOAT_EQ(reglages.pas, 0.1f) << ligne;
  }
  EXPECT_EQ(commande("inter nan"),
            "inter refusé : nan n'est pas un nombre fini ; de 0 à 18 heures par tic. L'intervalle "
            "ne change pas.\n");
  EXPECT_EQ(commande("hour -1"),
            "hour -1 refusé : de 0 à 3600000 millisecondes par tic (négative, la période n'a pas "
            "de sens ; au-delà d'une heure, le jour semble arrêté). La période ne change pas.\n");
  // The recovery the day needed: a good value after a refused one is taken.
  EXPECT_EQ(commande("inter 0.1"), "");
  EXPECT_FLOAT_EQ(reglages.pas, 0.1f);
}

TEST_F(Interpreteur, LesCartesRepondentDansLaFenetre) {
  fixer_mode_affichage({1, 0, 1});
  // Additions off: the maps go to the terminal, as designed.
  {
    CaptureSortie sortie;
    EXPECT_EQ(commande("mini"), "");
    EXPECT_NE(sortie.texte().find("+-+"), std::string::npos) << sortie.texte();
  }
  // On: into the window console, line by line, without colour sequences; nothing on the terminal.
  cartes_fenetre = 1;
  for (const char* ligne : {"mini", "affich"}) {
    CaptureSortie sortie;
    const std::string reponse = commande(ligne);
    EXPECT_EQ(sortie.texte(), "") << ligne;
    EXPECT_NE(reponse.find("|\n"), std::string::npos) << ligne << reponse;
    EXPECT_EQ(reponse.find('\033'), std::string::npos) << ligne;
  }
  // Text mode is untouched by the switch.
  fixer_mode_affichage({0, 0, 0});
  CaptureSortie sortie;
  EXPECT_EQ(commande("mini"), "");
  EXPECT_NE(sortie.texte().find("+-+"), std::string::npos);
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
  fenetre.x_eye = 1.5f;
  fenetre.z_up = -2.0f;
  fenetre.nb_triangles = 40;
  fenetre.largeur = 800;
  fenetre.dessin_ressources = 1;
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
