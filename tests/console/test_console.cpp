// The console: line reading, word splitting, the help file and the bounded writer.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "commun/capture.h"
#include "commun/reinitialisation_test.h"
#include "console/console.h"

namespace {

// Scripted input, captured output, the lines the interpreter was handed.
std::istringstream entree;
std::string ecrit;
std::vector<std::string> interpretees;

int lire_script() { return entree.get(); }
void capturer(const char* texte) { ecrit += texte; }
int interpreteur_temoin(const char* ligne) {
  interpretees.emplace_back(ligne);
  return 1;
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
  explicit FichierAide(const std::string& contenu) : chemin(testing::TempDir() + "aide_test.dat") {
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
    interpretees.clear();
  }

  // Output of one typed line.
  static std::string commande(const std::string& ligne) {
    entree = std::istringstream(ligne + "\n");
    return lire();
  }
  // Output of the next line of the input.
  static std::string lire() {
    ecrit.clear();
    lire_commande();
    return ecrit;
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
  EXPECT_EQ(commande("h bold"),
            "Aide sur bold:\n" + std::string(14, '-') + "\nGras : 100 % lumineux.\n" + FIN);
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
  CaptureJournaux journaux;
  const std::string message = "Le fichier d'aide (/inexistant/aide.dat) ne peut pas être ouvert !!";
  fixer_fichier_aide("/inexistant/aide.dat");
  EXPECT_EQ(commande("help"), message + "\n" + ENTETE + FIN);
  EXPECT_TRUE(contient(journaux.debug(), message));
  // No file named: the fixed part only, without a message.
  fixer_fichier_aide(nullptr);
  EXPECT_EQ(commande("help cont"), FIN);
}

}  // namespace
