// Save and restore: a restored run goes on exactly as the saved one, and a file that is empty,
// truncated, foreign, newer, altered or inconsistent is refused by name with the world unchanged.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "commun/capture.h"
#include "commun/reinitialisation_test.h"
#include "monde/carte.h"
#include "monde/generation.h"
#include "monde/mise_a_jour.h"
#include "observation/sauvegarde.h"
#include "observation/statistiques.h"
#include "population/civ.h"
#include "population/placement.h"
#include "population/verification.h"
#include "regles/simulation.h"
#include "socle/alea.h"
#include "socle/modele.h"
#include "socle/parametres.h"

namespace {

using json = nlohmann::json;

void generer(int X, int Y, unsigned graine, bool aleatoire) {
  reinitialiser_couches();
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

// The fingerprint a save carries, computed here on its own: FNV-1a 64 of the compact text, from the
// offset basis older saves carry (the standard one is checked against an outside tool end to end).
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

// The document with the member a JSON pointer names ("-" appends to an array) set to `valeur`, or
// removed for null; re-signed.
std::string changer(json j, const std::string& ou, const json& valeur) {
  const json::json_pointer p(ou);
  if (valeur.is_null())
    j[p.parent_pointer()].erase(p.back());
  else
    j[p] = valeur;
  return signer(j);
}

// A change to a good document and a word its refusal must hold.
struct changement {
  std::string ou;
  json valeur;
  std::string mot;
};

// Each text, and the document under each change, refused with a message holding its word, the world
// and the model left as they were.
void refuses(std::vector<std::pair<std::string, std::string>> textes, const json& doc,
             const std::vector<changement>& changements) {
  for (const auto& [ou, valeur, mot] : changements)
    textes.push_back({changer(doc, ou, valeur), mot});
  const std::string avant = texte_sauvegarde();
  for (const auto& [texte, mot] : textes) {
    std::string erreur;
    EXPECT_FALSE(charger_texte(texte, erreur)) << mot;
    EXPECT_NE(erreur.find(mot), std::string::npos)
        << "attendu : " << mot << "\nobtenu : " << erreur;
    ASSERT_EQ(texte_sauvegarde(), avant) << mot;
    EXPECT_TRUE(modele_par_defaut(modele())) << mot;
  }
}

}  // namespace

TEST(Sauvegarde, RepriseIdentiqueALaPartieContinue) {
  struct cas {
    int x, y;
    unsigned graine;
    bool aleatoire;
    int n, m;
  };
  const cas essais[] = {
      {1, 1, 4, false, 3, 5}, {30, 20, 5, true, 25, 25}, {30, 20, 12, false, 0, 10}};
  for (const cas& e : essais) {
    SCOPED_TRACE(std::to_string(e.x) + "x" + std::to_string(e.y));
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
    EXPECT_EQ(texte_sauvegarde(), sauvee);
    EXPECT_EQ(jouer(e.m), suite);
    EXPECT_EQ(empreinte_monde(), empreinte);
    EXPECT_EQ(texte_sauvegarde(), fin);
  }
}

TEST(Sauvegarde, FichierRefuseMondeIntact) {
  generer(8, 6, 21, false);
  jouer(15);
  const std::string bonne = texte_sauvegarde();
  const json doc = json::parse(bonne);
  // The first tribe with a unit, a land cell, the cell under that unit, the history of tribe 0.
  std::size_t t = 0;
  while (doc["tribus"][t]["unites"].empty()) ++t;
  std::size_t terre = 0;
  while (doc["carte"]["terrains"][terre][0] == 0) ++terre;
  const json& premiere = doc["tribus"][t]["unites"][0];
  const std::size_t sous_l_unite =
      premiere["x"].get<std::size_t>() * 6 + premiere["y"].get<std::size_t>();
  std::size_t vivante = 0;
  while (doc["statistiques"]["tribus"][vivante]["code"] != doc["tribus"][0]["code"]) ++vivante;
  const std::string pu = "/tribus/" + std::to_string(t) + "/unites/0";
  const std::string u = "« tribus[" + std::to_string(t) + "].unites[0]";
  const std::string c_terre = "« carte.terrains[" + std::to_string(terre) + "]";
  const std::string pt = "/carte/terrains/" + std::to_string(terre);
  json doublee = doc;  // a second unit on the first one's cell
  json autre = premiere;
  autre["id"] = 1;
  doublee["tribus"][t]["unites"].push_back(autre);
  doublee["tribus"][t]["nb_unites"] = doublee["tribus"][t]["unites"].size();
  json savante = doc;  // knowledge of a unit of more than one turn
  savante[json::json_pointer(pu + "/connaissance")] = 1;
  const json conflit = {{"numero", 2}, {"x1", 0}, {"y1", 0}, {"x2", 1}, {"y2", 1}};
  json loin = conflit;  // the first war, between cells that do not touch
  loin["numero"] = 1;
  loin["x2"] = 3;
  std::string alteree = bonne;  // one digit changed, the fingerprint left as it was
  const std::size_t position = alteree.find("\"alea\":") + 7;
  alteree[position] = alteree[position] == '1' ? '2' : '1';
  std::string double_alea = signer(doc);
  double_alea.insert(1, "\"alea\":1,");

  generer(9, 7, 22, true);
  jouer(3);
  refuses(
      {
          {"", "vide"},
          {bonne.substr(0, bonne.size() / 2), "tronqué"},
          {"\x89PNG\r\n\x1a\n", "pas du JSON"},
          {"{\"nom\": \"autre chose\"}", "pas une sauvegarde de Pangaeolith"},
          {"[1, 2, 3]", "pas une sauvegarde de Pangaeolith"},
          {alteree, "modifiée ou abîmée"},
          {double_alea, "« alea » : champ en double"},
          // A unit on a cell already taken; a unit whose knowledge does not go with its turns.
          {signer(doublee), "porte déjà une unité"},
          {changer(savante, pu + "/nb_tours", 1), u + ".connaissance » : 0 attendu après 1 tours"},
      },
      doc,
      {
          // Re-signed documents: well-formed files whose content does not hold together.
          {"/version", 3, "version 3, plus récente"},
          {"/alea", nullptr, "champ « alea » absent"},
          {"/alea", 4294967296ll, "« alea » : entier de 0 à 4294967295"},
          {"/carte/colonnes", 0, "« carte.colonnes » : entier de 1 à 100"},
          {"/carte/lignes", 7, "56 cases attendues"},
          {"/carte/terrains/3/1", 10, "« carte.terrains[3][1] »"},
          {"/carte/terrains/3/6", 1, "incohérente avec l'altitude"},
          {"/carte/terrains/5", {1, 2}, "7 nombres attendus"},
          {"/tribus/1/code", doc["tribus"][0]["code"], "apparaît deux fois"},
          {"/tribus/0/regime", 3, "« tribus[0].regime »"},
          {"/tribus/0/nb_unites", 99, "« tribus[0].nb_unites »"},
          {"/curseur", 10, "« curseur » : entier de 0 à"},
          {"/id_libres/-", 1, "identifiants"},
          {"/statistiques/tribus/0/habitants/-", 5, "une par pas suivi"},
          {"/conflits", json::array({conflit}), "« conflits[0].numero » : 1 attendu"},
          // A unit out of the map, with a fractional population, in the list of another tribe;
          // values no run reaches, each refused by name before anything uses it.
          {pu + "/x", 8, u + ".x » : entier de 0 à 7"},
          {pu + "/nb_hab", 1.5, u + ".nb_hab » : nombre entier"},
          {pu + "/code", (doc["tribus"][t]["code"].get<int>() + 1) % 9, "liste de la tribu"},
          {pu + "/nb_hab", 751, u + ".nb_hab » : entier de 0 à 750 attendu"},
          {pu + "/adversaires", {1}, u + ".adversaires » : tableau vide attendu entre deux pas"},
          {pu + "/comportement", doc["tribus"][t]["comportement"] == 2 ? 3 : 2,
           u + ".comportement » : 1 ou"},
          // The map, the tribes, the counters and the history held to what a run produces.
          {pt + "/5", -1, c_terre + "[5] » : entier de 0 à 7000 attendu"},
          {"/carte/terrains/" + std::to_string(sous_l_unite),
           {0, 5, 6999, 0, 0, 0, 0},
           u + " » : la case (" + premiere["x"].dump() + "," + premiere["y"].dump() +
               ") est en mer"},
          {"/tribus", std::vector<json>(19, doc["tribus"][0]), "« tribus » : 9 tribus au plus"},
          {"/id_libres", std::vector<int>(10001, 1), "« id_libres » : 10000 identifiants au plus"},
          {"/statistiques/tribus/0/premier_pas", 16,
           "« statistiques.tribus[0].premier_pas » : entier de 0 à 15 attendu"},
          {"/statistiques/tribus/0/pas_extinction", -5,
           "« statistiques.tribus[0].pas_extinction » : entier de -1 à"},
          {"/statistiques/tribus/0/habitants/0", 36001,
           "« statistiques.tribus[0].habitants[0] » : entier de 0 à 36000 attendu"},
          {"/id_libres", {49}, "« id_libres[0] » : entier de 1 à 48"},
          {"/conflits", json::array({loin}),
           "« conflits[0] » : les deux cases d'une guerre sont voisines"},
          // A name of the program's own kind that it never gives; a name differing between tables.
          {"/tribus/0/nom", "GOBTOU_NEUNEU", "« tribus[0].nom »"},
          {"/statistiques/tribus/" + std::to_string(vivante) + "/nom", "a",
           "« statistiques.tribus[" + std::to_string(vivante) + "].nom » : la tribu " +
               doc["tribus"][0]["code"].dump() + " porte un autre nom dans « tribus »"},
          // A member the format does not have, named without its control characters.
          {"/tribus/0/\x1b[2J", 1, "champ « tribus[0].?[2J » inconnu"},
      });
}

TEST(Sauvegarde, SauverRefuseCeQuIlNeRelirait) {
  const std::string chemin = "/tmp/pangaeolith-test-sauver-" + std::to_string(getpid()) + ".json";
  std::remove(chemin.c_str());
  std::string erreur;
  // A tribe the program never names so: the save would be refused, so it is not written.
  generer(3, 3, 2, false);
  std::strcpy(liste_civ().front().nom, "T0");
  EXPECT_FALSE(sauver_monde(chemin, erreur));
  EXPECT_EQ(erreur.rfind("ce monde ne pourrait pas être relu : « tribus[0].nom »", 0), 0u)
      << erreur;
  EXPECT_NE(access(chemin.c_str(), F_OK), 0);

  // A history too long for the largest save read: refused before its text is made. Nine tribes of
  // 7-digit counts over 3.8 million steps are 8 bytes a sample, past 256 MiB.
  generer(100, 100, 3, false);
  releve_statistiques r = releve();
  r.pas = r.dernier_echantillon = 3'800'000;
  for (tribu_suivie& t : r.tribus) {
    t.premier_pas = 0;
    t.pas_extinction = -1;
    t.habitants.assign(3'800'001, 7'000'000);
  }
  remplacer_releve(std::move(r));
  EXPECT_FALSE(sauver_monde(chemin, erreur));
  EXPECT_NE(erreur.find("octets, plus que les 268435456 qu'une sauvegarde peut avoir"),
            std::string::npos)
      << erreur;
  EXPECT_NE(access(chemin.c_str(), F_OK), 0);
}

// A save under other parameters holds them to their ranges, and the map to their bounds.
TEST(Sauvegarde, ParametresTenusASesPlages) {
  generer(8, 6, 31, false);
  parametres_modele p{};
  std::string erreur;
  ASSERT_TRUE(regler_affectation(p, "ressource_max=9000", erreur));
  ASSERT_TRUE(regler_affectation(p, "capacite_bas=800", erreur));
  fixer_modele(p);
  ajuster_carte_au_modele();
  jouer(6);
  const json doc = json::parse(texte_sauvegarde());
  // A low cell of the save holds 800 at most under its own parameters: held to 800, not 500, and a
  // stock to 9000.
  std::size_t bas = 0;
  while (doc["carte"]["terrains"][bas][0] != BAS) ++bas;
  const std::string p_bas = "/carte/terrains/" + std::to_string(bas);
  std::string deux_fois = signer(doc);
  deux_fois.insert(deux_fois.find("\"parametres\":{") + 14, "\"besoin_eau\":10,");
  generer(5, 5, 3, false);
  refuses({{deux_fois, "parametres.besoin_eau » en double"}}, doc,
          {{"/parametres/besoin_sel", 1, "« parametres.besoin_sel » : paramètre inconnu"},
           {"/parametres/besoin_eau", 0, "besoin_eau : valeur \"0\" refusée"},
           {"/parametres/besoin_eau", json::object(), "nombre entier attendu"},
           {p_bas + "/2", 9001,
            "« carte.terrains[" + std::to_string(bas) + "][2] » : entier de 0 à 9000"},
           {p_bas + "/6", 500, "incohérente avec l'altitude"},
           {"/version", 1, "modifiée ou abîmée"},
           {"/parametres", nullptr, "« carte.terrains["}});
}
