// The console: line reading, word splitting, the help file and the bounded writer.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <string>
#include <vector>

#include "commun/monde_test.h"
#include "console/console.h"

namespace {

// Scripted input, captured output, the lines the interpreter was handed.
std::string script;
std::size_t position = 0;
std::string ecrit;
std::vector<std::string> textes;
std::vector<std::string> lignes_interpretees;
int reponse_interpreteur = 1;

int lire_script() {
  return position < script.size() ? static_cast<unsigned char>(script[position++]) : EOF;
}

void capturer(const char* texte) {
  ecrit += texte;
  textes.emplace_back(texte);
}

int interpreteur_temoin(const char* ligne) {
  lignes_interpretees.emplace_back(ligne);
  return reponse_interpreteur;
}

std::string texte(const void* mot) {
  return mot != nullptr ? static_cast<const char*>(mot) : "<aucun>";
}

// A help file in a temporary directory, removed at the end of the test.
class FichierTemporaire {
 public:
  explicit FichierTemporaire(const std::string& contenu) {
    char modele[] = "/tmp/pangaeolith-aide-XXXXXX";
    const int fd = mkstemp(modele);
    chemin_ = modele;
    EXPECT_EQ(write(fd, contenu.data(), contenu.size()), static_cast<ssize_t>(contenu.size()));
    close(fd);
  }
  ~FichierTemporaire() { std::remove(chemin_.c_str()); }
  const char* chemin() const { return chemin_.c_str(); }

 private:
  std::string chemin_;
};

class Console : public ::testing::Test {
 protected:
  void SetUp() override {
    reinitialiser_monde();
    init_console();
    fixer_entree_sortie(lire_script, capturer);
    fixer_interpreteur(interpreteur_temoin);
    reponse_interpreteur = 1;
    lignes_interpretees.clear();
    entrer("");
  }

  static void entrer(const std::string& entree) {
    script = entree;
    position = 0;
    ecrit.clear();
    textes.clear();
  }

  // Output of one command line.
  static std::string commande(const std::string& ligne) {
    entrer(ligne + "\n");
    lire_commande();
    return ecrit;
  }
};

const std::string INCORRECTE_VIDE = "Commande incorrecte - H ou h ou help pour de l'aide\n";
const std::string ENTETE_AIDE =
    "Aide sur les commandes : taper help <commande> pour plus d'infos\n"
    "Commandes du prompt :\nhelp\texec\trecord\n";

TEST_F(Console, NormalisationEnMotsMinuscules) {
  CaptureJournaux journaux;
  const char* ligne = "  HeLP   Cont  ";
  EXPECT_EQ(texte(trouver_param(ligne, 0, PARAM_TEXTE)), "help");
  EXPECT_EQ(texte(trouver_param(ligne, 1, PARAM_TEXTE_BIS)), "cont");
  EXPECT_EQ(trouver_param(ligne, 2, PARAM_TEXTE), nullptr);
  EXPECT_EQ(trouver_param(ligne, -1, PARAM_TEXTE), nullptr);
  EXPECT_TRUE(contient(journaux.debug(),
                       "console - trouver_param - Nouvelle ligne de commande : help cont"));
  // Control characters and every byte of 128 or more separate words.
  EXPECT_EQ(texte(trouver_param("caméra", 0, PARAM_TEXTE)), "cam");
  EXPECT_EQ(texte(trouver_param("caméra", 1, PARAM_TEXTE)), "ra");
  EXPECT_EQ(texte(trouver_param("\tA\x01Z~\x7f", 1, PARAM_TEXTE)), "z~\x7f");
  EXPECT_EQ(trouver_param("", 0, PARAM_TEXTE), nullptr);
  EXPECT_EQ(trouver_param(" \t \r ", 0, PARAM_TEXTE), nullptr);
  EXPECT_EQ(trouver_param("hour 250", 1, 5), nullptr);
}

TEST_F(Console, ConversionsEntiereEtReelle) {
  const auto entier = [](const char* ligne) {
    const void* v = trouver_param(ligne, 1, PARAM_ENTIER);
    return v != nullptr ? *static_cast<const int*>(v) : -999;
  };
  EXPECT_EQ(entier("hour 250ms"), 250);
  EXPECT_EQ(entier("hour abc"), 0);
  EXPECT_EQ(entier("hour 99999999999999999999"), INT_MAX);
  EXPECT_EQ(entier("hour -99999999999999999999"), INT_MIN);
  EXPECT_EQ(trouver_param("hour", 1, PARAM_ENTIER), nullptr);
  const auto reel = [](const char* ligne) {
    return *static_cast<const float*>(trouver_param(ligne, 1, PARAM_REEL));
  };
  EXPECT_FLOAT_EQ(reel("inter 0.5"), 0.5f);
  EXPECT_FLOAT_EQ(reel("inter x1"), 0.0f);
  // Read in double precision, then narrowed: just above the midpoint between 1 and the next
  // float, the double is the midpoint itself, which rounds to even.
  EXPECT_EQ(reel("inter 1.0000000596046447753906250001"), 1.0f);
  EXPECT_EQ(trouver_param("inter", 1, PARAM_REEL), nullptr);
}

TEST_F(Console, ComparaisonAvecAbreviations) {
  EXPECT_EQ(comparer_commande("aff", "affich", 3, 1), 1);
  EXPECT_EQ(comparer_commande("af", "affich", 3, 1), 0);
  EXPECT_EQ(comparer_commande("axx", "affich", 3, 1), 0);
  EXPECT_EQ(comparer_commande("affichx", "affich", 3, 1), 0);
  EXPECT_EQ(comparer_commande(nullptr, "affich", 3, 1), 0);
}

TEST_F(Console, AiguillageDesLignes) {
  // The interpreter gets the line as read; "h" and "H" are the help, "he" is not.
  EXPECT_EQ(commande("  Bold 1 "), "");
  EXPECT_EQ(commande("he"), "");
  EXPECT_EQ(lignes_interpretees, (std::vector<std::string>{"  Bold 1 ", "he"}));
  EXPECT_EQ(commande("H"), ENTETE_AIDE + "Fin de l'aide\n");
  EXPECT_EQ(commande("h"), ENTETE_AIDE + "Fin de l'aide\n");
  EXPECT_EQ(commande(""), INCORRECTE_VIDE);
  EXPECT_EQ(commande("  \t "), INCORRECTE_VIDE);
  EXPECT_EQ(lignes_interpretees.size(), 2u);
  reponse_interpreteur = 0;
  EXPECT_EQ(commande("zzz"), "Commande incorrecte - H ou h ou help pour Aide\n");
  fixer_interpreteur(nullptr);
  EXPECT_EQ(commande("zzz"), "");
}

TEST_F(Console, LigneTropLongue) {
  const std::string message = "Vous ne pouvez pas entrer plus de 511 caractères";
  // 600 characters: 511 make the line, the rest is read as the next line.
  entrer(std::string(600, 'x') + "\n");
  lire_commande();
  EXPECT_EQ(ecrit, message);
  lire_commande();
  EXPECT_EQ(lignes_interpretees,
            (std::vector<std::string>{std::string(511, 'x'), std::string(89, 'x')}));
  // Exactly 511: the same message, and the line feed arrives as an empty line.
  lignes_interpretees.clear();
  entrer(std::string(511, 'y') + "\n");
  lire_commande();
  EXPECT_EQ(ecrit, message);
  ecrit.clear();
  lire_commande();
  EXPECT_EQ(ecrit, INCORRECTE_VIDE);
  EXPECT_EQ(lignes_interpretees, std::vector<std::string>{std::string(511, 'y')});
  EXPECT_EQ(commande(std::string(510, 'z')), "");
}

TEST_F(Console, FinDeLEntree) {
  // A last line without line feed is run, then the end of input reads as "quit", for good.
  entrer("cont\nbold 1");
  for (int i = 0; i < 4; ++i) lire_commande();
  EXPECT_EQ(lignes_interpretees, (std::vector<std::string>{"cont", "bold 1", "quit", "quit"}));
  // The byte 0xFF only ends the line.
  lignes_interpretees.clear();
  entrer("ansi\xff\xff");
  lire_commande();
  lire_commande();
  EXPECT_EQ(lignes_interpretees, std::vector<std::string>{"ansi"});
  EXPECT_EQ(ecrit, INCORRECTE_VIDE);
}

TEST_F(Console, LecteurStandardJusquALaFin) {
  // Standard input replaced by a file: plain reading, the prompt printed, then "quit" at the end.
  FichierTemporaire entree("ansi\nbold");
  const int sauvegarde = dup(STDIN_FILENO);
  const int fd = open(entree.chemin(), O_RDONLY);
  dup2(fd, STDIN_FILENO);
  close(fd);
  std::clearerr(stdin);
  init_console();
  fixer_entree_sortie(nullptr, capturer);
  fixer_interpreteur(interpreteur_temoin);
  {
    CaptureSortie sortie_capturee;
    afficher_invite();
    EXPECT_EQ(sortie_capturee.texte(), ">");
  }
  for (int i = 0; i < 3; ++i) lire_commande();
  dup2(sauvegarde, STDIN_FILENO);
  close(sauvegarde);
  std::clearerr(stdin);
  EXPECT_EQ(lignes_interpretees, (std::vector<std::string>{"ansi", "bold", "quit"}));
}

TEST_F(Console, EcrivainBorne) {
  const std::string long_texte(2000, 'a');
  EXPECT_EQ(console_printf("%s", long_texte.c_str()), 499);
  EXPECT_EQ(ecrit, std::string(499, 'a'));
  EXPECT_EQ(console_printf("%i%%", 42), 3);
  EXPECT_EQ(textes.back(), "42%");
  // The default writer goes to the program's standard output.
  init_console();
  CaptureSortie sortie_capturee;
  console_printf("Passage au mode %s\n", "ansi");
  EXPECT_EQ(sortie_capturee.texte(), "Passage au mode ansi\n");
}

const std::string FICHIER_AIDE =
    "En-tete ignoree, sans arobase.\n"
    "@ansi\nCouleurs.\n"
    "@bold\nGras : 100 % lumineux.\n"
    "@cont\nUn pas.\nDeux lignes.\n"
    "@ quit\nQuitter.\n"
    "@help\nL'aide.";

TEST_F(Console, AideListeQuatreParLigne) {
  FichierTemporaire fichier(FICHIER_AIDE);
  fixer_fichier_aide(fichier.chemin());
  EXPECT_EQ(commande("help"), ENTETE_AIDE +
                                  "Autres commandes:\nansi\tbold\tcont\tquit\nhelp\n"
                                  "Fin de l'aide\n");
}

TEST_F(Console, AideDUnSujet) {
  FichierTemporaire fichier(FICHIER_AIDE);
  fixer_fichier_aide(fichier.chemin());
  EXPECT_EQ(commande("  HeLP   Cont  "),
            "Aide sur cont:\n" + std::string(14, '-') + "\nUn pas.\nDeux lignes.\nFin de l'aide\n");
  EXPECT_EQ(commande("h bold"), "Aide sur bold:\n" + std::string(14, '-') +
                                    "\nGras : 100 % lumineux.\nFin de l'aide\n");
  EXPECT_EQ(commande("help help extra"),
            "Aide sur help:\n" + std::string(14, '-') + "\nL'aide.Fin de l'aide\n");
  EXPECT_EQ(commande("help con"), "Commande non trouvée dans l'aide\nFin de l'aide\n");
  EXPECT_EQ(commande("help zzz"), "Commande non trouvée dans l'aide\nFin de l'aide\n");
}

TEST_F(Console, AideNomsLongsEtOctetFF) {
  // A name is cut at 51 characters and the character after the cut is skipped; 0xFF ends the file.
  const std::string nom(51, 'n');
  FichierTemporaire fichier("@" + nom + "XYtexte\n@court\nfin\xff@cache\ninvisible\n");
  fixer_fichier_aide(fichier.chemin());
  EXPECT_EQ(commande("help " + nom),
            "Aide sur " + nom + ":\n" + std::string(61, '-') + "\nYtexte\nFin de l'aide\n");
  EXPECT_EQ(commande("help"),
            ENTETE_AIDE + "Autres commandes:\n" + nom + "\tcourt\nFin de l'aide\n");
  EXPECT_EQ(commande("help court"),
            "Aide sur court:\n" + std::string(15, '-') + "\nfinFin de l'aide\n");
  EXPECT_EQ(commande("help cache"), "Commande non trouvée dans l'aide\nFin de l'aide\n");
}

TEST_F(Console, FichierDAideIllisible) {
  CaptureJournaux journaux;
  const std::string message =
      "Le fichier d'aide (/inexistant/aide.dat) ne peut pas être ouvert !!\n";
  fixer_fichier_aide("/inexistant/aide.dat");
  EXPECT_EQ(commande("help"), message + ENTETE_AIDE + "Fin de l'aide\n");
  EXPECT_EQ(commande("help cont"), message + "Fin de l'aide\n");
  EXPECT_EQ(compter(journaux.debug(), message.substr(0, message.size() - 1)), 2);
  // No file named: the fixed part only, without a message.
  fixer_fichier_aide(nullptr);
  EXPECT_EQ(commande("help cont"), "Fin de l'aide\n");
}

TEST_F(Console, FichierAideLivre) {
  // The shipped help file, found from this source whatever the working directory: one entry per
  // command, each name glued to its at sign and followed by its line end, each text its own.
  const std::string source = __FILE__;
  const std::string chemin = source.substr(0, source.rfind("tests/console/")) + "aide.dat";
  fixer_fichier_aide(chemin.c_str());
  EXPECT_EQ(commande("help"), ENTETE_AIDE +
                                  "Autres commandes:\n"
                                  "ansi\tcont\tbold\tquit\n"
                                  "affich\texit\trefresh\tclear\n"
                                  "hour\tinter\tpview\tshow\n"
                                  "pro_mode\thelp\n"
                                  "Fin de l'aide\n");
  for (const std::string nom : {"ansi", "cont", "bold", "quit", "affich", "exit", "refresh",
                                "clear", "hour", "inter", "pview", "show", "pro_mode", "help"}) {
    const std::string titre = "Aide sur " + nom + ":\n" + std::string(nom.size() + 10, '-') + "\n";
    const std::string sujet = commande("help " + nom);
    ASSERT_EQ(sujet.rfind(titre, 0), 0u) << sujet;
    const std::string corps = sujet.substr(titre.size());
    EXPECT_GT(corps.size(), 60u) << nom;
    EXPECT_GT(corps.front(), ' ') << nom;
    EXPECT_NE(corps.find("Syntaxe : " + nom), std::string::npos) << nom;
    EXPECT_EQ(corps.substr(corps.size() - 15), "\nFin de l'aide\n") << nom;
  }
}

}  // namespace
