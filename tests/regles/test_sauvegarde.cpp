// Save and restore: a restored run goes on exactly as the saved one, and a file that is empty,
// truncated, foreign, newer, altered or inconsistent is refused by name with the world unchanged.
#include <gtest/gtest.h>

#include <cinttypes>
#include <cstdio>
#include <functional>
#include <nlohmann/json.hpp>
#include <string>

#include "commun/monde_test.h"
#include "monde/carte.h"
#include "monde/generation.h"
#include "population/civ.h"
#include "population/placement.h"
#include "regles/sauvegarde.h"
#include "regles/simulation.h"
#include "regles/statistiques.h"
#include "socle/alea.h"
#include "socle/parametres.h"

namespace {

using json = nlohmann::json;

void generer(int X, int Y, unsigned graine, bool aleatoire) {
  reinitialiser_programme();
  fixer_dimensions(X, Y);
  semer_partie(graine);
  fixer_tribus_aleatoires(aleatoire ? 1 : 0);
  CaptureSortie sortie;  // the drawn tribes are printed
  creer_tab_civ();
  creer_carte();
  positionner_unite();
}

// What M steps print, with the world checked after each.
std::string jouer(int pas) {
  CaptureSortie sortie;
  for (int i = 0; i < pas; ++i) {
    bcleprincip();
    const auto fautes = verifier_monde();
    EXPECT_TRUE(fautes.empty()) << fautes.front();
  }
  return sortie.texte();
}

// The fingerprint a save carries, computed here on its own: FNV-1a 64 of the compact text.
std::string signer(json j) {
  j.erase("empreinte");
  std::uint64_t h = 1469598103934665603ull;
  for (unsigned char c : j.dump()) {
    h ^= c;
    h *= 1099511628211ull;
  }
  char hexa[17];
  std::snprintf(hexa, sizeof hexa, "%016" PRIx64, h);
  j["empreinte"] = hexa;
  return j.dump();
}

}  // namespace

TEST(Sauvegarde, RepriseIdentiqueALaPartieContinue) {
  struct cas {
    int x, y;
    unsigned graine;
    bool aleatoire;
    int n, m;
  };
  const cas essais[] = {{1, 1, 4, false, 3, 5},
                        {7, 5, 9, false, 20, 30},
                        {30, 20, 5, true, 25, 25},
                        {30, 20, 12, false, 0, 10},
                        {100, 100, 3, true, 6, 4}};
  for (const cas& e : essais) {
    SCOPED_TRACE(std::to_string(e.x) + "x" + std::to_string(e.y) + " graine " +
                 std::to_string(e.graine));
    generer(e.x, e.y, e.graine, e.aleatoire);
    jouer(e.n);
    const std::string sauvee = texte_sauvegarde();
    const std::string suite = jouer(e.m);
    const std::string fin = texte_sauvegarde();
    const auto empreinte = empreinte_monde();

    // Another world in between, then the save: the same steps, the same world, the same state.
    generer(e.y, e.x, e.graine + 1, !e.aleatoire);
    jouer(2);
    std::string erreur;
    ASSERT_TRUE(charger_texte(sauvee, erreur)) << erreur;
    EXPECT_EQ(nombre_de_pas(), e.n);
    EXPECT_EQ(graine_partie(), e.graine);
    EXPECT_EQ(texte_sauvegarde(), sauvee);
    EXPECT_EQ(jouer(e.m), suite);
    EXPECT_EQ(empreinte_monde(), empreinte);
    EXPECT_EQ(texte_sauvegarde(), fin);
    EXPECT_EQ(nombre_de_pas(), e.n + e.m);
  }
}

TEST(Sauvegarde, FichierRefuseMondeIntact) {
  generer(8, 6, 21, false);
  jouer(15);
  const std::string bonne = texte_sauvegarde();
  const json doc = json::parse(bonne);
  generer(9, 7, 22, true);
  jouer(3);
  const std::string avant = texte_sauvegarde();

  // Each broken text and a word its refusal must hold.
  std::vector<std::pair<std::string, std::string>> textes = {
      {"", "vide"},
      {"  \n", "vide"},
      {bonne.substr(0, bonne.size() / 2), "tronqué"},
      {bonne.substr(0, 10), "tronqué"},
      {bonne.substr(0, bonne.size() - 3), "tronqué"},
      {"\x89PNG\r\n\x1a\n", "pas du JSON"},
      {"{\"nom\": \"autre chose\"}", "pas une sauvegarde de Pangaeolith"},
      {"[1, 2, 3]", "pas une sauvegarde de Pangaeolith"},
  };
  // One digit changed, the fingerprint left as it was.
  std::string alteree = bonne;
  const std::size_t position = alteree.find("\"alea\":") + 7;
  alteree[position] = alteree[position] == '1' ? '2' : '1';
  textes.push_back({alteree, "modifiée ou abîmée"});

  // Re-signed documents: well-formed files whose content does not hold together.
  const std::vector<std::tuple<std::function<void(json&)>, std::string>> modifications = {
      {[](json& j) { j["version"] = 2; }, "version 2, plus récente"},
      {[](json& j) { j["version"] = "1"; }, "« version » : nombre entier attendu"},
      {[](json& j) { j.erase("alea"); }, "champ « alea » absent"},
      {[](json& j) { j["alea"] = 4294967296ll; }, "« alea » : entier de 0 à 4294967295"},
      {[](json& j) { j["carte"]["colonnes"] = 0; }, "« carte.colonnes » : entier de 1 à 100"},
      {[](json& j) { j["carte"]["lignes"] = 7; }, "56 cases attendues"},
      {[](json& j) { j["carte"]["terrains"][3][1] = 10; }, "« carte.terrains[3][1] »"},
      {[](json& j) { j["carte"]["terrains"][3][6] = 1; }, "incohérente avec l'altitude"},
      {[](json& j) {
         j["carte"]["terrains"][5] = json::array({1, 2});
       },
       "7 nombres attendus"},
      {[](json& j) { j["tribus"][1]["code"] = j["tribus"][0]["code"]; }, "apparaît deux fois"},
      {[](json& j) { j["tribus"][0]["nom"] = std::string(40, 'N'); }, "plus de 31 octets"},
      {[](json& j) { j["tribus"][0]["regime"] = 3; }, "« tribus[0].regime »"},
      {[](json& j) { j["tribus"][0]["nb_unites"] = 99; }, "« tribus[0].nb_unites »"},
      {[](json& j) { j["curseur"] = 10; }, "« curseur » : entier de 0 à"},
      {[](json& j) { j["id_libres"].push_back(1); }, "identifiants"},
      {[](json& j) { j["statistiques"]["tribus"][0]["habitants"].push_back(5); },
       "une par pas suivi"},
      {[](json& j) {
         j["conflits"] = json::array({{{"numero", 2}, {"x1", 0}, {"y1", 0}, {"x2", 1}, {"y2", 1}}});
       },
       "« conflits[0].numero » : 1 attendu"},
  };
  for (const auto& [modifier, mot] : modifications) {
    json j = doc;
    modifier(j);
    textes.push_back({signer(j), mot});
  }
  // A unit: out of the map, on a cell already taken, with a fractional population, in the list
  // of another tribe.
  std::size_t t = 0;
  while (doc["tribus"][t]["unites"].empty()) ++t;
  const std::string u = "« tribus[" + std::to_string(t) + "].unites[0].";
  const std::vector<std::tuple<std::function<void(json&)>, std::string>> unites = {
      {[t](json& j) { j["tribus"][t]["unites"][0]["x"] = 8; }, u + "x » : entier de 0 à 7"},
      {[t](json& j) { j["tribus"][t]["unites"][0]["nb_hab"] = 1.5; },
       u + "nb_hab » : nombre entier"},
      {[t](json& j) { j["tribus"][t]["unites"][0]["code"] = 77; }, "liste de la tribu"},
      {[t](json& j) {
         json autre = j["tribus"][t]["unites"][0];
         autre["id"] = 500;
         j["tribus"][t]["unites"].push_back(autre);
         j["tribus"][t]["nb_unites"] = j["tribus"][t]["unites"].size();
       },
       "porte déjà une unité"},
  };
  for (const auto& [modifier, mot] : unites) {
    json j = doc;
    modifier(j);
    textes.push_back({signer(j), mot});
  }

  for (const auto& [texte, mot] : textes) {
    std::string erreur;
    EXPECT_FALSE(charger_texte(texte, erreur)) << mot;
    EXPECT_NE(erreur.find(mot), std::string::npos)
        << "attendu : " << mot << "\nobtenu : " << erreur;
    ASSERT_EQ(texte_sauvegarde(), avant) << mot;
  }
  // The good document itself, re-signed, is accepted: the refusals come from the changes.
  std::string erreur;
  EXPECT_TRUE(charger_texte(signer(doc), erreur)) << erreur;
  EXPECT_EQ(texte_sauvegarde(), bonne);

  // Files: a missing one is named; a save that cannot be written says why.
  EXPECT_FALSE(charger_monde("/nonexistent-dir/monde.json", erreur));
  EXPECT_NE(erreur.find("/nonexistent-dir/monde.json"), std::string::npos);
  EXPECT_FALSE(sauver_monde("/nonexistent-dir/monde.json", erreur));
  EXPECT_NE(erreur.find("No such file"), std::string::npos);
}
