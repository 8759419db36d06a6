// Observation of a run: the step counter, the history of every tribe's inhabitants with its
// extinctions, the CSV file of --stats and the table of the "stats" command.
#include <gtest/gtest.h>

#include <string>

#include "commun/capture.h"
#include "commun/monde_test.h"
#include "commun/tribus_test.h"
#include "monde/carte.h"
#include "observation/statistiques.h"
#include "population/civ.h"
#include "population/unites.h"
#include "regles/simulation.h"

namespace {

// A hostile tribe next to a peaceful one, which the first war phase wipes out.
void deux_voisins() {
  construire_monde(5, 5, BAS, 5, 7000);
  ajouter_tribu(0, CARNIVORE, HOSTILE, BAS);
  ajouter_tribu(1, CARNIVORE, PACIFIQUE, BAS);
  ajouter_tribu(2, HERBIVORE, PACIFIQUE, BAS);
  ajouter_unite(0, 1, 1, 100);
  ajouter_unite(1, 2, 2, 80);
  ajouter_unite(2, 4, 4, 30);
  ajouter_unite(2, 4, 3, 12);
}

}  // namespace

TEST(Statistiques, ExtinctionAuPasDeLaDerniereUnite) {
  deux_voisins();
  // A tribe without any unit from the start has died out at step 0.
  ajouter_tribu(3, OMNIVORE, PACIFIQUE, BAS);
  CaptureSortie sortie;
  bcleprincip();
  bcleprincip();
  const releve_statistiques& r = releve();
  ASSERT_EQ(r.tribus.size(), 4u);
  EXPECT_EQ(r.tribus[1].code, 1);
  EXPECT_EQ(r.tribus[1].pas_extinction, 1);
  EXPECT_EQ(r.tribus[1].habitants, (std::vector<std::int32_t>{80, 0}));
  EXPECT_EQ(r.tribus[3].pas_extinction, 0);
  EXPECT_EQ(r.tribus[3].habitants, (std::vector<std::int32_t>{0}));
  EXPECT_EQ(r.tribus[2].habitants[0], 42);
  EXPECT_EQ(r.tribus[2].habitants.size(), 3u);

  // Living tribes first in list order, then the dead in the order they died out.
  const auto bilan = bilan_tribus();
  ASSERT_EQ(bilan.size(), 4u);
  EXPECT_EQ(bilan[0].code, 0);
  EXPECT_EQ(bilan[1].code, 2);
  EXPECT_EQ(bilan[1].unites, nb_unites(*donner_civ(2)));
  EXPECT_EQ(bilan[2].code, 3);
  EXPECT_EQ(bilan[3].code, 1);
  EXPECT_EQ(bilan[3].pas_extinction, 1);
}

TEST(Statistiques, FichierCsvUneLigneParTribuEtParPas) {
  std::string erreur;
  // A file that cannot be created is refused with its name and the reason.
  EXPECT_FALSE(ouvrir_csv("/nonexistent-dir/stats.csv", erreur));
  EXPECT_NE(erreur.find("/nonexistent-dir/stats.csv"), std::string::npos);
  EXPECT_NE(erreur.find("No such file"), std::string::npos);
  // A device is no CSV file: refused before anything is written to it.
  EXPECT_FALSE(ouvrir_csv("/dev/full", erreur));
  EXPECT_EQ(erreur,
            "impossible d'écrire dans /dev/full : c'est un périphérique, pas un fichier ordinaire");

  // RFC 4180 quoting.
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
  deux_voisins();
  quelle_unite(1, 1)->nb_hab = INT32_MAX;
  quelle_unite(2, 2)->nb_hab = INT32_MAX;
  quelle_unite(4, 4)->nb_hab = INT32_MAX;
  quelle_unite(4, 3)->nb_hab = INT32_MAX;
  const auto lignes = tableau_statistiques();
  EXPECT_EQ(lignes.back(), "Guerres de la dernière phase : 0");
  EXPECT_EQ(lignes[lignes.size() - 2], "Total : 3 tribus vivantes, 4 unités, 8589934588 habitants");
  // The history holds each tribe's count clamped to what one sample holds.
  EXPECT_EQ(releve().tribus[2].habitants.back(), INT32_MAX);
}
