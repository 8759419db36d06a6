// Observation of a run: the CSV fields of --stats and the totals of the "stats" table past what a
// run reaches (the history, the extinctions and the table's order are pinned by the recorded runs).
#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "commun/monde_test.h"
#include "commun/tribus_test.h"
#include "monde/carte.h"
#include "observation/statistiques.h"
#include "population/civ.h"
#include "population/unites.h"

// The CSV file's fields: RFC 4180 quoting, and formulas made text (the file itself is recorded).
TEST(Statistiques, ChampsCsvCitesEtFormulesNeutralisees) {
  const std::pair<const char*, const char*> champs[] = {{"TOUCHE_PAS", "TOUCHE_PAS"},
                                                        {"a,b", "\"a,b\""},
                                                        {"dit \"non\"", "\"dit \"\"non\"\"\""},
                                                        {"deux\nlignes", "\"deux\nlignes\""},
                                                        {"cr\r", "\"cr\r\""},
                                                        {"", ""},
                                                        // What a spreadsheet would run: text.
                                                        {"=1+1", "'=1+1"},
                                                        {"+33", "'+33"},
                                                        {"-2", "'-2"},
                                                        {"@SUM(A1)", "'@SUM(A1)"},
                                                        {"\tx", "'\tx"},
                                                        {"\rx", "\"'\rx\""},
                                                        {"=A1,B1", "\"'=A1,B1\""},
                                                        {"a=b", "a=b"},
                                                        {"_-", "_-"}};
  for (const auto& [texte, cite] : champs) EXPECT_EQ(champ_csv(texte), cite) << texte;
}

TEST(Statistiques, TotauxExactsAuxLimites) {
  // Populations far past what a run reaches still add up exactly in the table.
  construire_monde(5, 5, BAS, 5, 7000);
  for (int code : {0, 1, 2}) ajouter_tribu(code, CARNIVORE, PACIFIQUE, BAS);
  for (const auto& [code, x, y] : {std::tuple{0, 1, 1}, {1, 2, 2}, {2, 4, 4}, {2, 4, 3}}) {
    ajouter_unite(code, x, y, 1);
    quelle_unite(x, y)->nb_hab = INT32_MAX;
  }
  const auto lignes = tableau_statistiques();
  EXPECT_EQ(lignes.back(), "Guerres de la dernière phase : 0");
  EXPECT_EQ(lignes[lignes.size() - 2], "Total : 3 tribus vivantes, 4 unités, 8589934588 habitants");
  // The history holds each tribe's count clamped to what one sample holds.
  EXPECT_EQ(releve().tribus[2].habitants.back(), INT32_MAX);
}
