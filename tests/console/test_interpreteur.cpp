// The command interpreter, driven through the console as a typed line would be.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "commun/monde_test.h"
#include "console/console.h"
#include "console/interpreteur.h"
#include "controle/parametres.h"
#include "monde/terrain.h"
#include "population/unites.h"

namespace {

std::string script;
std::size_t position = 0;
std::string ecrit;
int scenes = 0;
int redessins = 0;
int consoles_videes = 0;

int lire_script() {
  return position < script.size() ? static_cast<unsigned char>(script[position++]) : EOF;
}

void capturer(const char* texte) { ecrit += texte; }

const std::string INCORRECTE = "Commande incorrecte - H ou h ou help pour Aide\n";
const std::string LEGENDE = "Legende : O = Ocean , P = Plaine , C = Colline , M = Montagne\n";
const std::string PAS = "bcleprincip - Mise à jour de la carte ...";

int occurrences(const std::string& texte, const std::string& motif) {
  int n = 0;
  for (auto i = texte.find(motif); i != std::string::npos; i = texte.find(motif, i + 1)) ++n;
  return n;
}

class Interpreteur : public ::testing::Test {
 protected:
  void SetUp() override {
    construire_monde(3, 2, BAS, 5, 100);
    ajouter_tribu(0, 1, 2, 1);
    ajouter_unite(0, 0, 0, 50);
    init_console();
    fixer_entree_sortie(lire_script, capturer);
    fixer_interpreteur(interpreter_commande);
    fixer_actions_graphiques({});
    scenes = redessins = consoles_videes = 0;
    etat_programme e = lire_etat_programme();
    e.console = 1;
    fixer_etat_programme(e);
  }

  // Output of one command line, the console loop having set boucle_active first.
  static std::string commande(const std::string& ligne) {
    etat_programme e = lire_etat_programme();
    e.boucle_active = 1;
    fixer_etat_programme(e);
    script = ligne + "\n";
    position = 0;
    ecrit.clear();
    lire_commande();
    return ecrit;
  }

  static void mode(int ansi, int opengl) { fixer_mode_affichage({ansi, 0, opengl}); }

  static void installer_actions() {
    fixer_actions_graphiques({[] { ++scenes; }, [] { ++redessins; }, [] { ++consoles_videes; }});
  }
};

TEST_F(Interpreteur, Ansi) {
  EXPECT_EQ(commande("ANSI 1"), "Passage au mode ansi\n");
  EXPECT_EQ(lire_mode_affichage().ansi, 1);
  EXPECT_EQ(commande("ansi"), "Etat du mode ansi:on\n");
  EXPECT_EQ(commande("ansi abc"), "Passage au mode non-ansi\n");
  EXPECT_EQ(lire_mode_affichage().ansi, 0);
  EXPECT_EQ(commande("ansi"), "Etat du mode ansi:off\n");
  EXPECT_EQ(commande("ansi -3"), "Passage au mode ansi\n");
  EXPECT_EQ(lire_mode_affichage().ansi, 1);
  EXPECT_EQ(commande("an"), INCORRECTE);
  // "a" is affich, not ansi: the map is drawn and the mode stays.
  CaptureSortie sortie_capturee;
  EXPECT_EQ(commande("a"), "");
  EXPECT_EQ(occurrences(sortie_capturee.texte(), LEGENDE), 1);
  EXPECT_EQ(lire_mode_affichage().ansi, 1);
  EXPECT_EQ(lire_etat_programme().boucle_active, 1);
}

TEST_F(Interpreteur, Bold) {
  CaptureJournaux journaux;
  CaptureSortie sortie_capturee;
  EXPECT_EQ(commande("bold 1"), "Vous n'êtes pas en mode ansi.\n");
  EXPECT_EQ(lire_mode_affichage().bold, 0);
  EXPECT_EQ(sortie_capturee.texte(), "");
  mode(1, 0);
  EXPECT_EQ(commande("bold"), "Veuillez taper bold 0 ou bold 1 \n");
  EXPECT_EQ(lire_mode_affichage().bold, 0);
  EXPECT_EQ(commande("B 1"), "Passage au mode lumineux\n");
  EXPECT_EQ(lire_mode_affichage().bold, 1);
  EXPECT_EQ(sortie_capturee.texte(), "\033[1m");
  EXPECT_EQ(commande("bold 0"), "Passage au mode non lumineux\n");
  EXPECT_EQ(lire_mode_affichage().bold, 0);
  EXPECT_EQ(sortie_capturee.texte(), "\033[1m\033[0m");
  EXPECT_TRUE(contient(journaux.debug(), "interpret - Passage au mode lumineux"));
  EXPECT_TRUE(contient(journaux.debug(), "interpret - Passage au mode non lumineux"));
}

TEST_F(Interpreteur, ExitEtQuit) {
  for (const char* mot : {"ex", "exi", "exits", "qu"}) {
    EXPECT_EQ(commande(mot), INCORRECTE) << mot;
    EXPECT_EQ(lire_etat_programme().console, 1);
    EXPECT_EQ(lire_etat_programme().boucle_active, 1);
  }
  for (const char* mot : {"e", "EXIT"}) {
    EXPECT_EQ(commande(mot), "");
    EXPECT_EQ(lire_etat_programme().console, 0);
    EXPECT_EQ(lire_etat_programme().boucle_active, 0);
    fixer_etat_programme({1, 0, 1, 0});
  }
  EXPECT_EQ(commande("q"), "");
  EXPECT_EQ(lire_etat_programme().boucle_active, 0);
  EXPECT_EQ(lire_etat_programme().fin_demandee, 0);
  mode(0, 1);
  EXPECT_EQ(commande("quit"), "");
  EXPECT_EQ(lire_etat_programme().fin_demandee, 1);
  EXPECT_EQ(lire_etat_programme().console, 1);
}

TEST_F(Interpreteur, ShowEnModeTexte) {
  EXPECT_EQ(commande("show"), INCORRECTE);
  EXPECT_EQ(commande("pview"), INCORRECTE);
  EXPECT_EQ(commande("show inconnu"), "");
  EXPECT_EQ(commande("pv rtris"), "");
  EXPECT_EQ(commande("show cam_pos"), "Vous n'êtes pas en mode OpenGL\n");
  fixer_etat_programme({1, 1, 1, 0});
  mode(1, 0);
  EXPECT_EQ(commande("sh all"),
            "Options d'affichage:\n--------------------\n"
            "Mode - ansi : on , bold : off , opengl : off\nEtat du mode debug : on\n");
  EXPECT_EQ(commande("s all"), INCORRECTE);
}

TEST_F(Interpreteur, ShowEnModeGraphique) {
  vue_gl v{};
  v.x_eye = 1.5f;
  v.z_up = -2.0f;
  v.nb_triangles = 40;
  v.complexite = 2;
  v.largeur = 800;
  v.hauteur = 600;
  v.double_buffer = 1;
  v.dessin_ressources = 1;
  ecrire_vue_gl(v);
  mode(0, 1);
  const std::string camera =
      "Position de la caméra:\n"
      "x_eye = 1.500000 , y_eye = 0.000000 , z_eye = 0.000000\n"
      "x_zoom = 0.000000 , y_zoom = 0.000000 , z_zoom = 0.000000\n"
      "x_up = 0.000000 , y_up = 0.000000 , z_up = -2.000000\n";
  EXPECT_EQ(commande("show cam_pos"), camera);
  EXPECT_EQ(commande("pview rtris"),
            "Nombre de triangles de la scène:40\nNombre de triangles/secondes nécéssaires:1000\n");
  EXPECT_EQ(commande("show all"),
            "Options OpenGL:\n---------------\n" + camera +
                "complexité = 2\nTaille de la fenêtre, x=800 , y=600 \n"
                "Etat du double buffer : on\nEtat du plein écran : off\n"
                "Dessin - des unités:off , des ressources:on\n"
                "Options d'affichage:\n--------------------\n"
                "Mode - ansi : off , bold : off , opengl : on\nEtat du mode debug : off\n");
}

TEST_F(Interpreteur, MinuterieEtConsoleReduite) {
  EXPECT_EQ(commande("hour 0"), "");
  EXPECT_EQ(lire_delai_minuterie(), 0);
  EXPECT_EQ(commande("hour"), "Syntaxe : hour X : X = nb de millisecondes\n");
  EXPECT_EQ(lire_delai_minuterie(), 0);
  EXPECT_EQ(commande("ho 5"), INCORRECTE);
  EXPECT_EQ(commande("inter 0.5"), "");
  EXPECT_FLOAT_EQ(lire_pas_heure(), 0.5f);
  EXPECT_EQ(commande("i"), "Syntaxe : float X : X = intervalle de dessin\n");
  EXPECT_FLOAT_EQ(lire_pas_heure(), 0.5f);
  // pro_mode toggles the reduced console, in text mode as in graphics mode.
  EXPECT_EQ(commande("pro"), "");
  EXPECT_EQ(lire_vue_gl().console_reduite, 1);
  mode(0, 1);
  EXPECT_EQ(commande("pro"), "");
  EXPECT_EQ(lire_vue_gl().console_reduite, 0);
  vue_gl v = lire_vue_gl();
  v.console_reduite = 7;
  ecrire_vue_gl(v);
  EXPECT_EQ(commande("pro_mode"), "");
  EXPECT_EQ(lire_vue_gl().console_reduite, 0);
  EXPECT_EQ(commande("pro_"), INCORRECTE);
}

TEST_F(Interpreteur, ClearEtRefresh) {
  CaptureSortie sortie_capturee;
  EXPECT_EQ(commande("clear"), "");
  EXPECT_EQ(sortie_capturee.texte(), std::string(16, '\n'));
  mode(1, 0);
  EXPECT_EQ(commande("CLEAR"), "");
  EXPECT_EQ(sortie_capturee.texte(), std::string(16, '\n') + "\f");
  EXPECT_EQ(commande("r"), "Vous n'êtes pas en mode opengl.\n");
  EXPECT_EQ(lire_etat_programme().boucle_active, 1);
  // Graphics mode without installed actions: nothing to call, no fault.
  mode(0, 1);
  EXPECT_EQ(commande("clear"), "");
  EXPECT_EQ(commande("ref"), "Raffraichissement de l'écran\n");
  installer_actions();
  EXPECT_EQ(commande("clear"), "");
  EXPECT_EQ(consoles_videes, 1);
  EXPECT_EQ(commande("refresh"), "Raffraichissement de l'écran\n");
  EXPECT_EQ(redessins, 1);
  EXPECT_EQ(lire_etat_programme().boucle_active, 0);
  EXPECT_EQ(sortie_capturee.texte(), std::string(16, '\n') + "\f" + std::string(32, '\n'));
}

TEST_F(Interpreteur, ContJoueUnOuPlusieursPas) {
  CaptureJournaux journaux;
  CaptureSortie sortie_capturee;
  const auto pas_joues = [&] { return compter(journaux.debug(), PAS); };
  const std::uint64_t depart = empreinte_monde();
  EXPECT_EQ(commande("cont"), "");
  EXPECT_EQ(pas_joues(), 1);
  // A plain "cont" looks for no second word: two trace lines of the splitter, the console's
  // and the interpreter's reading of the command word.
  EXPECT_EQ(
      compter(journaux.debug(), "console - trouver_param - Nouvelle ligne de commande : cont"), 2);
  EXPECT_EQ(compter_mots("  cont \t 3 "), 2);
  EXPECT_EQ(compter_mots(" \t "), 0);
  EXPECT_NE(empreinte_monde(), depart);
  EXPECT_EQ(occurrences(sortie_capturee.texte(), LEGENDE), 1);
  EXPECT_EQ(lire_etat_programme().boucle_active, 1);
  EXPECT_EQ(commande("cont 3"), "");
  EXPECT_EQ(pas_joues(), 4);
  EXPECT_EQ(occurrences(sortie_capturee.texte(), LEGENDE), 2);
  for (const char* ligne : {"c 1", "c 0", "C -4", "cont abc"}) commande(ligne);
  EXPECT_EQ(pas_joues(), 8);
  EXPECT_TRUE(verifier_monde().empty());
  EXPECT_EQ(commande("co"), INCORRECTE);
  EXPECT_EQ(pas_joues(), 8);
}

TEST_F(Interpreteur, ContPlafonneLeNombreDePas) {
  // No typed number holds the program for hours: at most 10000 steps per command.
  construire_monde(1, 1, MER, 5);
  fixer_entree_sortie(lire_script, capturer);
  fixer_interpreteur(interpreter_commande);
  CaptureSortie sortie_capturee;
  CaptureJournaux journaux;
  EXPECT_EQ(commande("cont 2000000000"), "Au plus 10000 pas à la fois : on en joue 10000.\n");
  EXPECT_EQ(compter(journaux.debug(), PAS), 10000);
}

TEST_F(Interpreteur, ContEtAffichEnModeGraphique) {
  CaptureJournaux journaux;
  CaptureSortie sortie_capturee;
  mode(0, 1);
  installer_actions();
  EXPECT_EQ(commande("cont 2"), "");
  EXPECT_EQ(compter(journaux.debug(), PAS), 2);
  EXPECT_EQ(scenes, 1);
  EXPECT_EQ(redessins, 1);
  EXPECT_EQ(lire_etat_programme().boucle_active, 0);
  EXPECT_EQ(occurrences(sortie_capturee.texte(), LEGENDE), 0);
  // affich in graphics mode still draws the text map on standard output.
  EXPECT_EQ(commande("aff"), "");
  EXPECT_EQ(occurrences(sortie_capturee.texte(), LEGENDE), 1);
  EXPECT_EQ(lire_etat_programme().boucle_active, 0);
}

TEST_F(Interpreteur, FinDeLEntreeQuitte) {
  // A last line without line feed runs, then the end of input quits.
  fixer_etat_programme({1, 0, 1, 0});
  script = "ansi 1";
  position = 0;
  lire_commande();
  EXPECT_EQ(lire_mode_affichage().ansi, 1);
  EXPECT_EQ(lire_etat_programme().boucle_active, 1);
  lire_commande();
  EXPECT_EQ(lire_etat_programme().boucle_active, 0);
  EXPECT_EQ(lire_etat_programme().console, 1);
}

}  // namespace
