// Command-line options: every row, the quirks of the comparison, missing values.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "commun/monde_test.h"
#include "controle/alea.h"
#include "controle/options.h"
#include "controle/parametres.h"
#include "monde/carte.h"

namespace {

// Parses a command line given as words, the program name first.
void analyser(std::vector<std::string> mots) {
  mots.insert(mots.begin(), "pangaeolith");
  std::vector<char*> argv;
  for (auto& m : mots) argv.push_back(m.data());
  argv.push_back(nullptr);
  analyser_ligne_commande(static_cast<int>(mots.size()), argv.data());
}

}  // namespace

TEST(Options, SansArgumentValeursParDefaut) {
  reinitialiser_monde();
  analyser({});
  const etat_programme e = lire_etat_programme();
  const mode_affichage m = lire_mode_affichage();
  const vue_gl v = lire_vue_gl();
  EXPECT_EQ(e.console, 1);
  EXPECT_EQ(e.debug, 0);
  EXPECT_EQ(m.ansi, 0);
  EXPECT_EQ(m.bold, 0);
  EXPECT_EQ(m.opengl, 0);
  EXPECT_EQ(v.largeur, 800);
  EXPECT_EQ(v.hauteur, 600);
  EXPECT_EQ(v.double_buffer, 1);
  EXPECT_EQ(v.plein_ecran, 0);
  EXPECT_FLOAT_EQ(v.heure, 14.0f);
  EXPECT_EQ(combien_colonnes(), 10);
  EXPECT_EQ(combien_lignes(), 10);
  EXPECT_EQ(lire_tribus_aleatoires(), 0);
}

TEST(Options, ChaqueLigneDeLaTable) {
  reinitialiser_monde();
  analyser(
      {"--ansi", "-c", "--debug", "--rand", "-s", "--size", "1024", "768", "-f", "-i", "30", "40"});
  EXPECT_EQ(lire_mode_affichage().ansi, 1);
  EXPECT_EQ(lire_etat_programme().console, 1);
  EXPECT_EQ(lire_etat_programme().debug, 1);
  EXPECT_EQ(lire_tribus_aleatoires(), 1);
  EXPECT_EQ(lire_vue_gl().double_buffer, 0);
  EXPECT_EQ(lire_vue_gl().largeur, 1024);
  EXPECT_EQ(lire_vue_gl().hauteur, 768);
  EXPECT_EQ(lire_vue_gl().plein_ecran, 1);
  EXPECT_EQ(combien_colonnes(), 30);
  EXPECT_EQ(combien_lignes(), 40);

  // -g alone leaves the console closed; -g -c opens it.
  reinitialiser_monde();
  analyser({"-g"});
  EXPECT_EQ(lire_mode_affichage().opengl, 1);
  EXPECT_EQ(lire_etat_programme().console, 0);
  analyser({"--opengl", "--console"});
  EXPECT_EQ(lire_etat_programme().console, 1);
}

TEST(Options, ComparaisonExacteEtSensibleALaCasse) {
  reinitialiser_monde();
  CaptureJournaux journaux;
  // One dash before a word, a capital letter, a bare dash, or extra letters match nothing; words
  // without a dash are skipped with their trace line.
  analyser({"-ansi", "-A", "-", "--ansix", "-dim", "30", "40", ""});
  EXPECT_EQ(lire_mode_affichage().ansi, 0);
  EXPECT_EQ(combien_colonnes(), 10);
  EXPECT_EQ(combien_lignes(), 10);
  const auto lignes = journaux.debug();
  EXPECT_EQ(compter(lignes, "main - Des arguments à la ligne de commande ont étés trouvés"), 1);
  EXPECT_EQ(compter(lignes, "main - Argument valide trouvé"), 5);
  EXPECT_EQ(compter(lignes, "main - L'argument trouvé n'est pas valide. On le saute ..."), 3);
  EXPECT_TRUE(contient(lignes, "main - Modification des dimensions de la carte"));

  // --dim 0 40 is refused and the map keeps the dimensions it had.
  reinitialiser_monde();
  analyser({"--dim", "0", "40"});
  EXPECT_EQ(combien_colonnes(), 20);
  EXPECT_EQ(combien_lignes(), 20);
}

TEST(Options, LesLignesSuivantesVoientLaDerniereValeur) {
  // After -z the rows below it are compared with its second value: "-f" there is both the
  // height (read as 0) and the full-screen option.
  reinitialiser_monde();
  analyser({"-z", "1024", "-f"});
  EXPECT_EQ(lire_vue_gl().largeur, 1024);
  EXPECT_EQ(lire_vue_gl().hauteur, 0);
  EXPECT_EQ(lire_vue_gl().plein_ecran, 1);

  // Rows above -z are not compared again: "-a" as its value does not switch ANSI on.
  reinitialiser_monde();
  analyser({"-z", "-a", "-a"});
  EXPECT_EQ(lire_mode_affichage().ansi, 0);
  EXPECT_EQ(lire_vue_gl().largeur, 0);

  // After --dim the seed row sees "--seed" and reads the seed after it; the refused height
  // leaves the map as it was.
  reinitialiser_monde();
  analyser({"--dim", "30", "--seed", "5"});
  EXPECT_EQ(combien_colonnes(), 20);
  EXPECT_EQ(tirer_alea(), 18655);

  // An empty value is compared as it is, not read past its end.
  reinitialiser_monde();
  analyser({"-z", "640", ""});
  EXPECT_EQ(lire_vue_gl().largeur, 640);
}

TEST(Options, ValeursManquantesIgnorees) {
  reinitialiser_monde();
  analyser({"--size", "1024"});
  EXPECT_EQ(lire_vue_gl().largeur, 800);
  analyser({"-a", "-i", "5"});
  EXPECT_EQ(lire_mode_affichage().ansi, 1);
  EXPECT_EQ(combien_colonnes(), 10);
  initialiser_alea(1);
  analyser({"--seed"});
  EXPECT_EQ(tirer_alea(), 16838);
}

TEST(Options, GraineEtValeursNumeriques) {
  reinitialiser_monde();
  analyser({"--seed", "5"});
  EXPECT_EQ(tirer_alea(), 18655);
  EXPECT_EQ(tirer_alea(), 8457);

  // Values read like atoi: leading digits, sign, 0 when there are none, no overflow.
  analyser({"-z", "12abc", "xyz", "-i", "+7", " 8"});
  EXPECT_EQ(lire_vue_gl().largeur, 12);
  EXPECT_EQ(lire_vue_gl().hauteur, 0);
  EXPECT_EQ(combien_colonnes(), 7);
  EXPECT_EQ(combien_lignes(), 8);
  analyser({"-z", "99999999999999999999", "-99999999999999999999"});
  EXPECT_EQ(lire_vue_gl().largeur, 2147483647);
  EXPECT_EQ(lire_vue_gl().hauteur, -2147483647 - 1);
}
