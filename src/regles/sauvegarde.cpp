// Save files. Writing walks the world into a JSON document; reading parses the whole file, checks
// every field into a state built aside, and only then replaces the world in memory, so that a
// refused file changes nothing. The file carries a fingerprint of its content: a file damaged or
// altered after it was written is refused even when it still parses.
#include "regles/sauvegarde.h"

#include <algorithm>
#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <set>
#include <utility>
#include <vector>

#include "monde/carte.h"
#include "monde/terrain.h"
#include "population/civ.h"
#include "population/unites.h"
#include "regles/guerre.h"
#include "regles/statistiques.h"
#include "socle/alea.h"
#include "socle/fichiers.h"
#include "socle/journal.h"

namespace {

using json = nlohmann::json;

// A reason to refuse a file, naming what is wrong.
struct refus {
  std::string raison;
};

// One tribe as read from a file, its units in list order.
struct tribu_lue {
  std::int32_t code;
  std::string nom;
  std::int32_t regime, comportement, milieu_prefere;
  std::vector<unite> unites;
};

}  // namespace

// The whole state as read from a file, before it replaces the world.
struct sauvegarde_lue {
  int colonnes = 0;
  int lignes = 0;
  std::vector<terrain> terrains;  // by columns: x outer, y inner
  std::vector<tribu_lue> tribus;
  std::size_t curseur = 0;
  std::vector<int> id_libres;
  std::vector<conflit> conflits;
  std::uint32_t graine = 0;
  std::uint32_t alea = 0;
  releve_statistiques statistiques;
};

void liberer_sauvegarde::operator()(sauvegarde_lue* s) const {
  std::default_delete<sauvegarde_lue>()(s);
}

namespace {

using etat_lu = sauvegarde_lue;

json ecrire_unite(const unite& u) {
  json j = json::object();
  j["id"] = u.id;
  j["code"] = u.code;
  j["x"] = u.x;
  j["y"] = u.y;
  j["nb_hab"] = u.nb_hab;
  j["adversaires"] = u.adversaires;
  j["en_guerre"] = u.en_guerre;
  j["victoire"] = u.victoire;
  j["comportement"] = u.comportement;
  j["nb_tours"] = u.nb_tours;
  j["connaissance"] = u.connaissance;
  j["case_conquise"] =
      u.case_conquise ? json::array({u.case_conquise->x, u.case_conquise->y}) : json(nullptr);
  return j;
}

json document() {
  json j = json::object();
  j["format"] = FORMAT_SAUVEGARDE;
  j["version"] = VERSION_SAUVEGARDE;
  j["graine"] = graine_partie();
  j["alea"] = lire_etat_alea();
  j["pas"] = nombre_de_pas();

  const int X = combien_colonnes();
  const int Y = combien_lignes();
  json terrains = json::array();
  terrains.get_ref<json::array_t&>().reserve(static_cast<std::size_t>(X) * Y);
  for (int x = 0; x < X; ++x)
    for (int y = 0; y < Y; ++y) {
      const terrain* t = donner_terrain(x, y);
      terrains.push_back(json::array({t->altitude, t->climat, t->ressources[EAU],
                                      t->ressources[BOIS], t->ressources[NOURRITURE_VEGETALE],
                                      t->ressources[NOURRITURE_ANIMALE], t->popmax}));
    }
  j["carte"] = {{"colonnes", X}, {"lignes", Y}, {"terrains", std::move(terrains)}};

  json tribus = json::array();
  for (const civilisation& c : liste_civ()) {
    json unites = json::array();
    for (const auto& u : c.liste_unite) unites.push_back(ecrire_unite(*u));
    tribus.push_back({{"code", c.code},
                      {"nom", c.nom},
                      {"regime", c.regime},
                      {"comportement", c.comportement},
                      {"milieu_prefere", c.milieu_prefere},
                      {"nb_unites", c.nb_unites},
                      {"unites", std::move(unites)}});
  }
  j["tribus"] = std::move(tribus);
  j["curseur"] = rang_civ_courante();
  j["id_libres"] = id_free_list();

  json conflits = json::array();
  int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  const int nb = donner_conflit(0, x1, y1, x2, y2);
  for (int n = 1; n <= nb; ++n) {
    donner_conflit(n, x1, y1, x2, y2);
    conflits.push_back({{"numero", n}, {"x1", x1}, {"y1", y1}, {"x2", x2}, {"y2", y2}});
  }
  j["conflits"] = std::move(conflits);

  const releve_statistiques& r = releve();
  json suivies = json::array();
  for (const tribu_suivie& t : r.tribus)
    suivies.push_back({{"code", t.code},
                       {"nom", t.nom},
                       {"premier_pas", t.premier_pas},
                       {"pas_extinction", t.pas_extinction},
                       {"habitants", t.habitants}});
  j["statistiques"] = {{"dernier_echantillon", r.dernier_echantillon},
                       {"tribus", std::move(suivies)}};
  return j;
}

// Where a value stands in the file: a chain of member names and indices on the stack, turned
// into a text ("tribus[2].unites[0].nb_hab") only for a refusal.
struct chemin {
  const chemin* parent = nullptr;
  const char* nom = nullptr;  // a member's name, or none for an index
  std::size_t indice = 0;
  std::string texte() const {
    if (parent == nullptr) return nom != nullptr ? nom : "";
    const std::string p = parent->texte();
    if (nom != nullptr) return p.empty() ? std::string(nom) : p + "." + nom;
    return p + "[" + std::to_string(indice) + "]";
  }
};

// Reading, each value checked where it stands; its path names it in a refusal.
class lecteur {
 public:
  // The member `nom` of an object, which must be there.
  static const json& membre(const json& objet, const chemin& c, const char* nom) {
    if (!objet.is_object()) throw refus{"« " + c.texte() + " » : objet attendu"};
    const auto it = objet.find(nom);
    if (it == objet.end()) throw refus{"champ « " + sous(c, nom).texte() + " » absent"};
    return *it;
  }

  static chemin sous(const chemin& c, const char* nom) { return {&c, nom, 0}; }
  static chemin indice(const chemin& c, std::size_t i) { return {&c, nullptr, i}; }

  static std::int64_t entier(const json& v, const chemin& c, std::int64_t min, std::int64_t max) {
    std::int64_t n = 0;
    if (v.is_number_unsigned()) {
      const std::uint64_t u = v.get<std::uint64_t>();
      if (u > static_cast<std::uint64_t>(INT64_MAX)) hors_bornes(c, min, max);
      n = static_cast<std::int64_t>(u);
    } else if (v.is_number_integer()) {
      n = v.get<std::int64_t>();
    } else {
      throw refus{"« " + c.texte() + " » : nombre entier attendu"};
    }
    if (n < min || n > max) hors_bornes(c, min, max);
    return n;
  }

  static std::int64_t entier(const json& objet, const chemin& c, const char* nom, std::int64_t min,
                             std::int64_t max) {
    return entier(membre(objet, c, nom), sous(c, nom), min, max);
  }

  static const json& tableau(const json& v, const chemin& c) {
    if (!v.is_array()) throw refus{"« " + c.texte() + " » : tableau attendu"};
    return v;
  }

  static std::string texte(const json& v, const chemin& c, std::size_t longueur_max) {
    if (!v.is_string()) throw refus{"« " + c.texte() + " » : texte attendu"};
    const std::string s = v.get<std::string>();
    if (s.size() > longueur_max)
      throw refus{"« " + c.texte() + " » : texte de plus de " + std::to_string(longueur_max) +
                  " octets"};
    if (s.find('\0') != std::string::npos)
      throw refus{"« " + c.texte() + " » : caractère nul dans le texte"};
    return s;
  }

 private:
  [[noreturn]] static void hors_bornes(const chemin& c, std::int64_t min, std::int64_t max) {
    throw refus{"« " + c.texte() + " » : entier de " + std::to_string(min) + " à " +
                std::to_string(max) + " attendu"};
  }
};

// The top of the document.
const chemin RACINE{};

using L = lecteur;

constexpr std::int64_t I32_MAX = INT32_MAX;
constexpr std::int64_t U32_MAX = UINT32_MAX;

// The map: dimensions, then one terrain per cell.
void lire_carte(const json& j, etat_lu& e) {
  const chemin c_carte = L::sous(RACINE, "carte");
  const json& carte = L::membre(j, RACINE, "carte");
  e.colonnes = static_cast<int>(L::entier(carte, c_carte, "colonnes", 1, TAILLE_MAX_CARTE));
  e.lignes = static_cast<int>(L::entier(carte, c_carte, "lignes", 1, TAILLE_MAX_CARTE));
  const chemin c_terrains = L::sous(c_carte, "terrains");
  const json& terrains = L::tableau(L::membre(carte, c_carte, "terrains"), c_terrains);
  const std::size_t n = static_cast<std::size_t>(e.colonnes) * static_cast<std::size_t>(e.lignes);
  if (terrains.size() != n)
    throw refus{"« carte.terrains » : " + std::to_string(n) + " cases attendues (" +
                std::to_string(e.colonnes) + " × " + std::to_string(e.lignes) + "), " +
                std::to_string(terrains.size()) + " trouvées"};
  e.terrains.resize(n);
  for (std::size_t i = 0; i < n; ++i) {
    const chemin c = L::indice(c_terrains, i);
    const json& v = L::tableau(terrains[i], c);
    if (v.size() != 7)
      throw refus{"« " + c.texte() +
                  " » : 7 nombres attendus (altitude, climat, eau, bois, vegetale, animale, "
                  "popmax)"};
    terrain& t = e.terrains[i];
    t.altitude = static_cast<std::int32_t>(L::entier(v[0], L::indice(c, 0), MER, HAUT));
    t.climat = static_cast<std::int32_t>(L::entier(v[1], L::indice(c, 1), 0, 9));
    for (std::size_t r = 0; r < 4; ++r)
      t.ressources[r] =
          static_cast<std::int32_t>(L::entier(v[2 + r], L::indice(c, 2 + r), 0, I32_MAX));
    t.popmax = static_cast<std::int32_t>(L::entier(v[6], L::indice(c, 6), 0, I32_MAX));
    if (t.popmax != pop_terrain(t.altitude))
      throw refus{"« " + c.texte() + " » : population maximale " + std::to_string(t.popmax) +
                  " incohérente avec l'altitude " + std::to_string(t.altitude)};
  }
}

unite lire_unite(const json& j, const chemin& c, const etat_lu& e, std::int32_t code) {
  unite u{};
  u.id = static_cast<std::int32_t>(L::entier(j, c, "id", 1, I32_MAX));
  u.code = static_cast<std::int32_t>(L::entier(j, c, "code", 0, I32_MAX));
  if (u.code != code)
    throw refus{"« " + L::sous(c, "code").texte() + " » : l'unité est dans la liste de la tribu " +
                std::to_string(code)};
  u.x = static_cast<std::int32_t>(L::entier(j, c, "x", 0, e.colonnes - 1));
  u.y = static_cast<std::int32_t>(L::entier(j, c, "y", 0, e.lignes - 1));
  u.nb_hab = static_cast<std::int32_t>(L::entier(j, c, "nb_hab", 0, I32_MAX));
  const chemin c_adv = L::sous(c, "adversaires");
  const json& adversaires = L::tableau(L::membre(j, c, "adversaires"), c_adv);
  for (std::size_t i = 0; i < adversaires.size(); ++i)
    u.adversaires.push_back(
        static_cast<int>(L::entier(adversaires[i], L::indice(c_adv, i), 1, I32_MAX)));
  u.en_guerre = static_cast<std::int32_t>(L::entier(j, c, "en_guerre", 0, 1));
  u.victoire = static_cast<std::int32_t>(L::entier(j, c, "victoire", 0, 1));
  u.comportement = static_cast<std::int32_t>(L::entier(j, c, "comportement", HOSTILE, RECIPROQUE));
  u.nb_tours = static_cast<std::int32_t>(L::entier(j, c, "nb_tours", 0, I32_MAX));
  u.connaissance = static_cast<std::int32_t>(L::entier(j, c, "connaissance", 0, 1));
  const json& conquise = L::membre(j, c, "case_conquise");
  if (!conquise.is_null()) {
    const chemin c_case = L::sous(c, "case_conquise");
    if (!conquise.is_array() || conquise.size() != 2)
      throw refus{"« " + c_case.texte() + " » : null ou une paire [x, y] attendue"};
    const auto x = L::entier(conquise[0], L::indice(c_case, 0), 0, e.colonnes - 1);
    const auto y = L::entier(conquise[1], L::indice(c_case, 1), 0, e.lignes - 1);
    u.case_conquise = coord{static_cast<std::int32_t>(x), static_cast<std::int32_t>(y)};
  }
  return u;
}

// The tribes and their units; then what ties them together: one unit per cell, identifiers.
void lire_tribus(const json& j, etat_lu& e) {
  const chemin c_tribus = L::sous(RACINE, "tribus");
  const json& tribus = L::tableau(L::membre(j, RACINE, "tribus"), c_tribus);
  std::set<std::int32_t> codes;
  std::vector<std::vector<bool>> occupees(static_cast<std::size_t>(e.colonnes),
                                          std::vector<bool>(static_cast<std::size_t>(e.lignes)));
  std::vector<int> ids;
  for (std::size_t i = 0; i < tribus.size(); ++i) {
    const chemin c = L::indice(c_tribus, i);
    const json& t = tribus[i];
    tribu_lue tr;
    tr.code = static_cast<std::int32_t>(L::entier(t, c, "code", 0, I32_MAX));
    if (!codes.insert(tr.code).second)
      throw refus{"« " + L::sous(c, "code").texte() + " » : la tribu " + std::to_string(tr.code) +
                  " apparaît deux fois"};
    tr.nom = L::texte(L::membre(t, c, "nom"), L::sous(c, "nom"), 31);
    tr.regime = static_cast<std::int32_t>(L::entier(t, c, "regime", HERBIVORE, CARNIVORE));
    tr.comportement =
        static_cast<std::int32_t>(L::entier(t, c, "comportement", HOSTILE, RECIPROQUE));
    tr.milieu_prefere = static_cast<std::int32_t>(L::entier(t, c, "milieu_prefere", BAS, HAUT));
    const std::int64_t nb = L::entier(t, c, "nb_unites", 0, I32_MAX);
    const chemin c_unites = L::sous(c, "unites");
    const json& unites = L::tableau(L::membre(t, c, "unites"), c_unites);
    if (static_cast<std::int64_t>(unites.size()) != nb)
      throw refus{"« " + L::sous(c, "nb_unites").texte() + " » : " + std::to_string(nb) +
                  " alors que la liste compte " + std::to_string(unites.size()) + " unités"};
    for (std::size_t k = 0; k < unites.size(); ++k) {
      const chemin c_u = L::indice(c_unites, k);
      unite u = lire_unite(unites[k], c_u, e, tr.code);
      auto&& occupee = occupees[static_cast<std::size_t>(u.x)][static_cast<std::size_t>(u.y)];
      if (occupee)
        throw refus{"« " + c_u.texte() + " » : la case (" + std::to_string(u.x) + "," +
                    std::to_string(u.y) + ") porte déjà une unité"};
      occupee = true;
      ids.push_back(u.id);
      tr.unites.push_back(std::move(u));
    }
    e.tribus.push_back(std::move(tr));
  }
  e.curseur = static_cast<std::size_t>(
      L::entier(j, RACINE, "curseur", 0, static_cast<std::int64_t>(tribus.size())));

  // The living identifiers and the free stack are exactly 1..N.
  const chemin c_libres = L::sous(RACINE, "id_libres");
  const json& libres = L::tableau(L::membre(j, RACINE, "id_libres"), c_libres);
  for (std::size_t i = 0; i < libres.size(); ++i)
    e.id_libres.push_back(
        static_cast<int>(L::entier(libres[i], L::indice(c_libres, i), 1, I32_MAX)));
  ids.insert(ids.end(), e.id_libres.begin(), e.id_libres.end());
  std::sort(ids.begin(), ids.end());
  for (std::size_t i = 0; i < ids.size(); ++i)
    if (ids[i] != static_cast<int>(i) + 1)
      throw refus{
          "identifiants : ceux des unités et ceux de « id_libres » doivent être exactement 1 à " +
          std::to_string(ids.size()) + ", chacun une fois"};
}

void lire_conflits(const json& j, etat_lu& e) {
  const chemin c_conflits = L::sous(RACINE, "conflits");
  const json& conflits = L::tableau(L::membre(j, RACINE, "conflits"), c_conflits);
  for (std::size_t i = 0; i < conflits.size(); ++i) {
    const chemin c = L::indice(c_conflits, i);
    const json& v = conflits[i];
    conflit k{};
    k.numero = static_cast<std::int32_t>(L::entier(v, c, "numero", 1, I32_MAX));
    if (k.numero != static_cast<std::int32_t>(i) + 1)
      throw refus{"« " + L::sous(c, "numero").texte() + " » : " + std::to_string(i + 1) +
                  " attendu"};
    k.x1 = static_cast<std::int32_t>(L::entier(v, c, "x1", 0, e.colonnes - 1));
    k.y1 = static_cast<std::int32_t>(L::entier(v, c, "y1", 0, e.lignes - 1));
    k.x2 = static_cast<std::int32_t>(L::entier(v, c, "x2", 0, e.colonnes - 1));
    k.y2 = static_cast<std::int32_t>(L::entier(v, c, "y2", 0, e.lignes - 1));
    e.conflits.push_back(k);
  }
}

// The step counter and the history, whose series must hold one sample per step they cover.
void lire_statistiques(const json& j, etat_lu& e) {
  releve_statistiques& r = e.statistiques;
  r.pas = L::entier(j, RACINE, "pas", 0, INT64_MAX);
  const chemin c_stats = L::sous(RACINE, "statistiques");
  const json& s = L::membre(j, RACINE, "statistiques");
  r.dernier_echantillon = L::entier(s, c_stats, "dernier_echantillon", -1, r.pas);
  const chemin c_tribus = L::sous(c_stats, "tribus");
  const json& tribus = L::tableau(L::membre(s, c_stats, "tribus"), c_tribus);
  const std::int64_t dernier = std::max<std::int64_t>(r.dernier_echantillon, 0);
  for (std::size_t i = 0; i < tribus.size(); ++i) {
    const chemin c = L::indice(c_tribus, i);
    const json& v = tribus[i];
    tribu_suivie t;
    t.code = static_cast<std::int32_t>(L::entier(v, c, "code", 0, I32_MAX));
    t.nom = L::texte(L::membre(v, c, "nom"), L::sous(c, "nom"), 31);
    t.premier_pas = L::entier(v, c, "premier_pas", 0, dernier);
    t.pas_extinction = L::entier(v, c, "pas_extinction", -1, dernier);
    const chemin c_h = L::sous(c, "habitants");
    const json& habitants = L::tableau(L::membre(v, c, "habitants"), c_h);
    const std::int64_t fin = t.pas_extinction >= 0 ? t.pas_extinction : r.dernier_echantillon;
    const std::int64_t attendus = fin - t.premier_pas + 1;
    if (attendus < 1 || static_cast<std::int64_t>(habitants.size()) != attendus)
      throw refus{"« " + c_h.texte() +
                  " » : " + std::to_string(std::max<std::int64_t>(attendus, 0)) +
                  " valeurs attendues (une par pas suivi), " + std::to_string(habitants.size()) +
                  " trouvées"};
    t.habitants.reserve(habitants.size());
    for (std::size_t k = 0; k < habitants.size(); ++k)
      t.habitants.push_back(
          static_cast<std::int32_t>(L::entier(habitants[k], L::indice(c_h, k), 0, I32_MAX)));
    r.tribus.push_back(std::move(t));
  }
}

// The whole text checked into a state built aside.
etat_lu lire(const std::string& texte) {
  if (texte.find_first_not_of(" \t\r\n") == std::string::npos) throw refus{"le fichier est vide"};
  json j;
  try {
    j = json::parse(texte);
  } catch (const json::parse_error& erreur) {
    if (erreur.byte >= texte.size())
      throw refus{"le fichier est tronqué : il s'arrête au milieu des données"};
    throw refus{"ce n'est pas du JSON valide (erreur à l'octet " + std::to_string(erreur.byte) +
                ")"};
  }
  if (!j.is_object() || !j.contains("format") || j["format"] != FORMAT_SAUVEGARDE)
    throw refus{"ce n'est pas une sauvegarde de Pangaeolith (marque de format absente)"};
  const std::int64_t version = L::entier(j, RACINE, "version", 1, INT64_MAX);
  if (version > VERSION_SAUVEGARDE)
    throw refus{"sauvegarde au format version " + std::to_string(version) +
                ", plus récente que la version " + std::to_string(VERSION_SAUVEGARDE) +
                " que ce programme sait lire"};
  const std::string lue =
      L::texte(L::membre(j, RACINE, "empreinte"), L::sous(RACINE, "empreinte"), 64);
  j.erase("empreinte");
  if (lue != empreinte_sauvegarde(j.dump()))
    throw refus{
        "la sauvegarde a été modifiée ou abîmée : son empreinte ne correspond plus à "
        "son contenu"};

  etat_lu e;
  lire_carte(j, e);
  lire_tribus(j, e);
  lire_conflits(j, e);
  e.graine = static_cast<std::uint32_t>(L::entier(j, RACINE, "graine", 0, U32_MAX));
  e.alea = static_cast<std::uint32_t>(L::entier(j, RACINE, "alea", 0, U32_MAX));
  lire_statistiques(j, e);
  return e;
}

// Replaces the world by a state that passed every check: nothing here can fail.
void installer(etat_lu e) {
  reinitialiser_carte();
  fixer_dimensions(e.colonnes, e.lignes);
  std::size_t i = 0;
  for (int x = 0; x < e.colonnes; ++x)
    for (int y = 0; y < e.lignes; ++y)
      installer_terrain(x, y, std::make_unique<terrain>(e.terrains[i++]));

  // Releasing the tribes releases their units and the identifier bookkeeping with them.
  reinitialiser_civ();
  for (const tribu_lue& t : e.tribus)
    ajouter_civ(t.code, t.nom.c_str(), t.regime, t.comportement, t.milieu_prefere);
  for (tribu_lue& t : e.tribus)
    for (unite& u : t.unites) installer_unite(std::make_unique<unite>(std::move(u)));
  fixer_id_libres(std::move(e.id_libres));
  fixer_rang_civ_courante(e.curseur);
  fixer_conflits(std::move(e.conflits));
  // The run keeps its seed (what "graine" shows and --seed replays); the sequence goes on from
  // the saved state.
  semer_partie(e.graine);
  initialiser_alea(e.alea);
  remplacer_releve(std::move(e.statistiques));
}

}  // namespace

// FNV-1a, 64 bits, as sixteen hexadecimal digits.
std::string empreinte_sauvegarde(const std::string& texte) {
  std::uint64_t h = 1469598103934665603ull;
  for (unsigned char c : texte) {
    h ^= c;
    h *= 1099511628211ull;
  }
  char hexa[17];
  std::snprintf(hexa, sizeof hexa, "%016" PRIx64, h);
  return hexa;
}

std::string texte_sauvegarde() {
  // The fingerprint goes where the sorted keys put it, before "format" (no name can hold that
  // text: names have at most 31 bytes), so the document is turned into text only once.
  std::string texte = document().dump();
  const std::string cle = std::string("\"format\":\"") + FORMAT_SAUVEGARDE + "\"";
  texte.insert(texte.find(cle), "\"empreinte\":\"" + empreinte_sauvegarde(texte) + "\",");
  return texte + "\n";
}

bool sauver_monde(const std::string& chemin, std::string& erreur) {
  if (!ecrire_fichier_entier(chemin, texte_sauvegarde(), erreur)) return false;
  ecrire_debug("sauvegarde - monde sauve dans %s au pas %lld\n", chemin.c_str(),
               static_cast<long long>(nombre_de_pas()));
  return true;
}

sauvegarde_prete lire_texte_sauvegarde(const std::string& texte, std::string& erreur) {
  try {
    return sauvegarde_prete(std::make_unique<sauvegarde_lue>(lire(texte)).release());
  } catch (const refus& r) {
    erreur = r.raison;
    return nullptr;
  }
}

sauvegarde_prete lire_sauvegarde(const std::string& chemin, std::string& erreur) {
  std::string texte;
  if (!lire_fichier_entier(chemin, texte, erreur, TAILLE_MAX_SAUVEGARDE)) return nullptr;
  return lire_texte_sauvegarde(texte, erreur);
}

void installer_sauvegarde(sauvegarde_prete s) { installer(std::move(*s)); }

bool charger_texte(const std::string& texte, std::string& erreur) {
  sauvegarde_prete s = lire_texte_sauvegarde(texte, erreur);
  if (!s) return false;
  installer_sauvegarde(std::move(s));
  return true;
}

bool charger_monde(const std::string& chemin, std::string& erreur) {
  sauvegarde_prete s = lire_sauvegarde(chemin, erreur);
  if (!s) return false;
  installer_sauvegarde(std::move(s));
  ecrire_debug("sauvegarde - monde charge depuis %s au pas %lld\n", chemin.c_str(),
               static_cast<long long>(nombre_de_pas()));
  return true;
}
