// The character map, byte for byte, plain and ANSI.
#include <gtest/gtest.h>

#include <string>

#include "commun/monde_test.h"
#include "console/affich.h"
#include "controle/parametres.h"
#include "monde/carte.h"
#include "population/civ.h"
#include "population/unites.h"

namespace {

const std::string E = "\x1b";
const std::string LEGENDE =
    "Legende : O = Ocean , P = Plaine , C = Colline , M = Montagne\n"
    "Le numéro à coté est le numéro de la tribu en présence\n";

void fixer_ansi(int ansi, int bold) {
  mode_affichage m = lire_mode_affichage();
  m.ansi = ansi;
  m.bold = bold;
  fixer_mode_affichage(m);
}

// The example world: (0, 0) a plain with unit 3 of tribe 1 and every resource, (1, 0) the sea.
void monde_exemple() {
  construire_monde(2, 1, BAS, 5, 10);
  creer_tab_civ();
  fixer_case(1, 0, MER, 0, 0, 0, 0);
  ajouter_unite(1, 0, 0, 50);
  quelle_unite(0, 0)->id = 3;
}

std::string dessiner() {
  CaptureSortie sortie;
  EXPECT_EQ(afficher_carte(), 1);
  return sortie.texte();
}

}  // namespace

TEST(Affich, ExempleEnModeSimple) {
  monde_exemple();
  EXPECT_EQ(dessiner(),
            "\n\n\n\n\n\n"
            "     00   01\n"
            " ------------\n"
            " |PPPPPOOOOO|\n"
            " |P  3PO   O|\n"
            "0|PB1 PO   O|\n"
            "0|PEAVPOE  O|\n"
            " |PPPPPOOOOO|\n"
            "------------\n" +
                LEGENDE);
}

TEST(Affich, SequencesAnsiParAltitudeEtEnGras) {
  const char* fonds[] = {"[44m", "[43m", "[42m", "[47m"};
  for (int altitude = MER; altitude <= HAUT; ++altitude) {
    construire_monde(1, 1, altitude, 5, 0);
    fixer_ansi(1, 0);
    const std::string c = E + "[30m" + E + fonds[altitude];
    const std::string f = E + "[0m";
    const std::string eau = altitude == MER ? "E" : " ";
    EXPECT_EQ(dessiner(), E + "[2J" + "   00\n -----\n" + " |" + c + c + "   " + f + f + "|\n" +
                              "0|" + c + "   " + f + "|\n" + "0|" + c + eau + "  " + f + "|\n" +
                              "-----\n" + LEGENDE)
        << "altitude " << altitude;
  }

  // In bold mode every box ends with the bold attribute instead of a reset.
  construire_monde(2, 1, BAS, 5, 1);
  fixer_ansi(1, 1);
  const std::string c = E + "[30m" + E + "[43m";
  const std::string g = E + "[1m";
  const std::string texte = dessiner();
  EXPECT_NE(texte.find(" |" + c + c + "   " + g + c + c + "   " + g + g + "|\n"), std::string::npos)
      << texte;
  EXPECT_EQ(texte.find(E + "[0m"), std::string::npos);

  // Colours outside the table reset.
  CaptureSortie sortie;
  changer_couleur(8, -1);
  changer_couleur(4, 5);
  EXPECT_EQ(sortie.texte(), E + "[0m" + E + "[0m" + E + "[35m" + E + "[46m");
}

TEST(Affich, GrandsIdentifiantsEtNumerosDeLigne) {
  monde_exemple();
  quelle_unite(0, 0)->id = 1234;
  EXPECT_NE(dessiner().find(" |P1234PO   O|\n"), std::string::npos);

  construire_monde(1, 38, MOYEN, 5, 0);
  const std::string texte = dessiner();
  EXPECT_NE(texte.find(" |C   C|\n3|C   C|\n7|C   C|\n"), std::string::npos);
  EXPECT_NE(texte.find(" |C   C|\n0|C   C|\n5|C   C|\n"), std::string::npos);
}

TEST(Affich, InitialisationDuTerminal) {
  reinitialiser_monde();
  {
    CaptureSortie sortie;
    EXPECT_EQ(init_affich_text(), 1);
    EXPECT_EQ(sortie.texte(), std::string(30, '\n'));
  }
  fixer_ansi(1, 0);
  CaptureSortie sortie;
  CaptureJournaux journaux;
  EXPECT_EQ(init_affich_text(), 1);
  EXPECT_EQ(sortie.texte(), "\f");
  EXPECT_EQ(journaux.debug(),
            (std::vector<std::string>{
                "affich - init_affich_text - On initialise l'affichage en mode texte",
                "affich - init_affich_text - Envoi du code \\f à la console"}));
}
