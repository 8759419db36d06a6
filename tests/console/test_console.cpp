// The console: line reading, word splitting, the help file and the bounded writer; and the command
// interpreter, driven through the console as a typed line would be.
#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <tuple>

#include "commun/capture.h"
#include "commun/monde_test.h"
#include "commun/reinitialisation_test.h"
#include "console/console.h"
#include "console/interpreteur.h"
#include "monde/terrain.h"
#include "socle/parametres.h"

namespace {

// Scripted input, captured output, an interpreter that takes every line.
std::istringstream entree;
std::string ecrit;

int lire_script() { return entree.get(); }
void capturer(const char* texte) { ecrit += texte; }
int interpreteur_temoin(const char*) { return 1; }

// Output of one typed line.
std::string commande(const std::string& ligne) {
  entree = std::istringstream(ligne + "\n");
  ecrit.clear();
  lire_commande();
  return ecrit;
}

// Word n of the line as trouver_param gives it, written out; "-" when there is none.
std::string param(const char* ligne, int n, int type) {
  const void* v = trouver_param(ligne, n, type);
  char nombre[32];
  if (v == nullptr) return "-";
  if (type == PARAM_ENTIER) return std::to_string(*static_cast<const int*>(v));
  if (type != PARAM_REEL) return static_cast<const char*>(v);
  std::snprintf(nombre, sizeof nombre, "%.9g", *static_cast<const float*>(v));
  return nombre;
}

// A help file written for one test and removed after it.
struct FichierAide {
  std::string chemin;
  explicit FichierAide(const std::string& contenu)
      : chemin(testing::TempDir() + "aide_test_" + std::to_string(getpid()) + ".dat") {
    std::ofstream(chemin, std::ios::binary) << contenu;
    fixer_fichier_aide(chemin.c_str());
  }
  ~FichierAide() { std::remove(chemin.c_str()); }
};

class Console : public ::testing::Test {
 protected:
  void SetUp() override {
    reinitialiser_couches();
    fixer_entree_sortie(lire_script, capturer);
    fixer_interpreteur(interpreteur_temoin);
  }
};

const std::string VIDE = "Commande incorrecte - H ou h ou help pour de l'aide\n";
const std::string ENTETE =
    "Aide sur les commandes : taper help <commande> pour plus d'infos\n"
    "Commandes du prompt :\nhelp\texec\trecord\n";
const std::string FIN = "Fin de l'aide\n";

TEST_F(Console, MotsEtConversions) {
  const std::tuple<const char*, int, int, const char*> cas[] = {
      // Separators: spaces, control characters, every byte of 128 or more (accents included).
      {"  HeLP   Cont  ", 0, PARAM_TEXTE, "help"},
      {"  HeLP   Cont  ", 1, PARAM_TEXTE_BIS, "cont"},
      {"caméra", 0, PARAM_TEXTE, "cam"},
      {"caméra", 1, PARAM_TEXTE, "ra"},
      {"\tA\x01Z~\x7f", 1, PARAM_TEXTE, "z~\x7f"},
      {" \t \r ", 0, PARAM_TEXTE, "-"},
      {"hour", -1, PARAM_TEXTE, "-"},
      // Numbers read like atoi and atof, integers held within their range.
      {"hour 250ms", 1, PARAM_ENTIER, "250"},
      {"hour abc", 1, PARAM_ENTIER, "0"},
      {"hour", 1, PARAM_ENTIER, "-"},
      {"hour 99999999999999999999", 1, PARAM_ENTIER, "2147483647"},
      {"inter 0.5", 1, PARAM_REEL, "0.5"},
      // Read in double precision, then narrowed: just above the midpoint between 1 and the next
      // float, the double is the midpoint itself, which rounds to even.
      {"inter 1.0000000596046447753906250001", 1, PARAM_REEL, "1"},
  };
  for (auto [ligne, n, type, attendu] : cas) EXPECT_EQ(param(ligne, n, type), attendu) << ligne;
}

TEST_F(Console, AiguillageDesLignes) {
  // Without an interpreter a line is ignored (the answers of the commands are recorded runs).
  fixer_interpreteur(nullptr);
  EXPECT_EQ(commande("zzz"), "");
  // Writing is cut at 499 characters.
  EXPECT_EQ(console_printf("%s", std::string(2000, 'a').c_str()), 499);
  EXPECT_EQ(ecrit, std::string(499, 'a'));
}

TEST_F(Console, Aide) {
  FichierAide aide(
      "En-tete ignoree, sans arobase.\n@ansi\nCouleurs.\n@bold\nGras : 100 % lumineux.\n"
      "@cont\nUn pas.\nDeux lignes.\n@ quit\nQuitter.\n@help\nL'aide.");
  // Names four a line after "Autres commandes:".
  EXPECT_EQ(commande("help"), ENTETE + "Autres commandes:\nansi\tbold\tcont\tquit\nhelp\n" + FIN);
  // A topic: its title underlined exactly, then its text as stored; a prefix is not a name.
  EXPECT_EQ(commande("  HeLP   Cont  "),
            "Aide sur cont:\n" + std::string(14, '-') + "\nUn pas.\nDeux lignes.\n" + FIN);
  EXPECT_EQ(commande("help con"), "Commande non trouvée dans l'aide\n" + FIN);
  // A name is cut at 51 characters and the character after the cut skipped; the byte 0xFF
  // ends the file.
  const std::string nom(51, 'n');
  FichierAide autre("@" + nom + "XYtexte\n@court\nfin\xff@cache\ninvisible\n");
  EXPECT_EQ(commande("help"), ENTETE + "Autres commandes:\n" + nom + "\tcourt\n" + FIN);
  EXPECT_EQ(commande("help " + nom),
            "Aide sur " + nom + ":\n" + std::string(61, '-') + "\nYtexte\n" + FIN);
}

TEST_F(Console, FichierDAideIllisibleOuAbsent) {
  fixer_fichier_aide("/inexistant/aide.dat");
  EXPECT_EQ(commande("help"),
            "Le fichier d'aide (/inexistant/aide.dat) ne peut pas être ouvert !!\n" + ENTETE + FIN);
  // No file named: the fixed part only, without a message.
  fixer_fichier_aide(nullptr);
  EXPECT_EQ(commande("help cont"), FIN);
}

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
};

TEST_F(Interpreteur, SansLiensLesReglagesRepondentSansRienChanger) {
  // The window's settings reached by the real links are tested with the program's top; here
  // without any hook the commands still answer, and change nothing.
  fixer_reglages_fenetre({});
  fixer_mode_affichage({0, 0, 1});
  EXPECT_EQ(commande("hour 5") + commande("inter 2") + commande("pro"), "");
  EXPECT_EQ(commande("sh cam_pos").rfind("Position de la caméra:\nx_eye = 0.000000 ,", 0), 0u);
  EXPECT_EQ(std::tuple(reglages.delai, reglages.pas, reglages.basculements),
            std::tuple(-1, -1.0f, 0));
}

TEST_F(Interpreteur, HourEtInterDansLeurPlage) {
  // A period from 0 to an hour and an hour step from 0 to 18 are taken.
  for (const char* ligne : {"hour 3600000", "inter 18", "inter 0"}) EXPECT_EQ(commande(ligne), "");
  EXPECT_EQ(std::tuple(reglages.delai, reglages.pas), std::tuple(3600000, 0.0f));
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
  fenetre.nb_triangles = 40;
  EXPECT_EQ(commande("pview rtris"),
            "Nombre de triangles de la scène:40\nNombre de triangles/secondes nécéssaires:1000\n");
}

}  // namespace
