// The character map, byte for byte, plain and ANSI.
#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "commun/monde_test.h"
#include "console/affich.h"
#include "monde/carte.h"
#include "population/unites.h"
#include "socle/parametres.h"

namespace {

const std::string E = "\x1b";
const std::string LEGENDE =
    "Legende : O = Ocean , P = Plaine , C = Colline , M = Montagne\n"
    "Le numéro à coté est le numéro de la tribu en présence\n";

std::string dessiner() {
  CaptureSortie sortie;
  EXPECT_EQ(afficher_carte(), 1);
  return sortie.texte();
}

}  // namespace

TEST(Affich, ModeSimpleIdentifiantsEtNumerosDeLigne) {
  // (0, 0) a plain with unit 3 of tribe 1 and every resource, (1, 0) the sea with water only.
  construire_monde(2, 1, BAS, 5, 10);
  ajouter_tribu(1, 0, 1, 1);
  fixer_case(1, 0, MER, 0, 0, 0, 0);
  ajouter_unite(1, 0, 0, 50);
  quelle_unite(0, 0)->id = 3;
  EXPECT_EQ(dessiner(),
            "\n\n\n\n\n\n     00   01\n ------------\n"
            " |PPPPPOOOOO|\n"
            " |P  3PO   O|\n"
            "0|PB1 PO   O|\n"
            "0|PEAVPOE  O|\n"
            " |PPPPPOOOOO|\n"
            "------------\n" +
                LEGENDE);
  // A four-digit identifier widens its box instead of being cut.
  quelle_unite(0, 0)->id = 1234;
  EXPECT_NE(dessiner().find(" |P1234PO   O|\n"), std::string::npos);
  // Row labels: the tens digit on the third line of a row, the units digit on the fourth.
  construire_monde(1, 38, MOYEN, 5, 0);
  const std::string texte = dessiner();
  EXPECT_NE(texte.find("3|C   C|\n7|C   C|\n"), std::string::npos);
  EXPECT_NE(texte.find("0|C   C|\n5|C   C|\n"), std::string::npos);
}

TEST(Affich, SequencesAnsi) {
  // Ground colours by altitude; in bold mode each box ends with the bold attribute, not a reset.
  for (auto [altitude, bold, fond] :
       {std::tuple{MER, 0, "[44m"}, std::tuple{BAS, 0, "[43m"}, std::tuple{MOYEN, 0, "[42m"},
        std::tuple{HAUT, 0, "[47m"}, std::tuple{BAS, 1, "[43m"}}) {
    SCOPED_TRACE(testing::Message() << "altitude " << altitude << " bold " << bold);
    construire_monde(1, 1, altitude, 5, 0);
    fixer_case(0, 0, altitude, 0, 0, 0, 1);  // animal food only; the sea holds water only
    fixer_mode_affichage({1, bold, 0});
    const std::string c = E + "[30m" + E + fond;
    const std::string f = E + (bold ? "[1m" : "[0m");
    const std::string ressources = altitude == MER ? "E  " : " A ";
    EXPECT_EQ(dessiner(), E + "[2J   00\n -----\n |" + c + c + "   " + f + f + "|\n0|" + c + "   " +
                              f + "|\n0|" + c + ressources + f + "|\n-----\n" + LEGENDE);
  }
  // Colour numbers outside the table reset.
  CaptureSortie sortie;
  changer_couleur(8, -1);
  EXPECT_EQ(sortie.texte(), E + "[0m" + E + "[0m");
}

TEST(Affich, InitialisationAnsi) {
  // With ANSI the console is cleared by a form feed (without, by 30 line feeds).
  reinitialiser_programme();
  fixer_mode_affichage({1, 0, 0});
  CaptureSortie sortie;
  EXPECT_EQ(init_affich_text(), 1);
  EXPECT_EQ(sortie.texte(), "\f");
}
