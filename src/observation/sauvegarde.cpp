// Save files. Writing streams the world as its canonical JSON text (compact, keys sorted).
// Reading walks the file once with an event parser, which never recurses and refuses anything
// deeper than the format, storing each value in the state built aside once its type is checked;
// then every field is held to what the program itself can produce, then the fingerprint of the
// canonical text is compared, and only then may the state replace the world: a refused file
// changes nothing.
#include "observation/sauvegarde.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <list>
#include <memory>
#include <new>
#include <nlohmann/json.hpp>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "monde/carte.h"
#include "monde/terrain.h"
#include "observation/statistiques.h"
#include "population/civ.h"
#include "population/unites.h"
#include "regles/guerre.h"
#include "socle/alea.h"
#include "socle/fichiers.h"
#include "socle/journal.h"
#include "socle/modele.h"

// A tribe as read from a file: its own fields, the count of units the file gives, and its units
// in list order.
struct tribu_lue {
  civilisation fiche;  // its list of identifiers is made once the whole save is checked
  std::int32_t nb_unites = 0;
  std::vector<std::unique_ptr<unite>> unites;
};

// The whole state as read from a file, before it replaces the world.
struct sauvegarde_lue {
  std::uint32_t graine = 0;
  std::uint32_t alea = 0;
  int colonnes = 0;
  int lignes = 0;
  std::vector<terrain> terrains;     // by columns: x outer, y inner
  std::list<tribu_lue> tribus;       // in list order
  std::int64_t curseur = 0;          // position of the turn cursor in `tribus`
  std::vector<int> id_libres;        // bottom of the stack first
  std::vector<conflit> conflits;     // the last war phase's, in order
  releve_statistiques statistiques;  // the step counter and the history
  parametres_modele parametres;      // the defaults in a version 1 save
  // Made once every check has passed, so that installing the state allocates nothing: the
  // terrains, the tribes with their lists of identifiers, and the units by identifier.
  std::vector<std::unique_ptr<terrain>> cases;
  std::list<civilisation> civs;
  registre_unites unites;
};

void liberer_sauvegarde::operator()(sauvegarde_lue* s) const {
  std::default_delete<sauvegarde_lue>()(s);
}

namespace {

// A reason to refuse a file, naming what is wrong.
struct refus {
  std::string raison;
};

constexpr std::uint64_t FNV_PREMIER = 1099511628211ull;
constexpr std::uint64_t FNV_BASE = 14695981039346656037ull;
// The offset basis that saves were once signed with, short of its last digit; still accepted.
constexpr std::uint64_t FNV_BASE_ANCIENNE = 1469598103934665603ull;

constexpr std::int64_t I32_MAX = INT32_MAX;
constexpr std::int64_t U32_MAX = UINT32_MAX;
constexpr int CASES_MAX = TAILLE_MAX_CARTE * TAILLE_MAX_CARTE;
// Each swept cell starts at most one war with each of its eight neighbours.
constexpr int CONFLITS_PAR_CASE = 8;
// The deepest value of a save: the document, "tribus", a tribe, "unites", a unit, and its
// "adversaires" or "case_conquise".
constexpr std::size_t PROFONDEUR_MAX = 6;

// ---------------------------------------------------------------------------------------------
// What a save holds, whether it comes from the world (to be written) or from a file (to be
// checked): the same fields, checked by the same function and written by the same writer, so that
// the program never writes a save it would not read back.

// A tribe: its fields (`fiche`, whose list of identifiers is not read), the count of its units
// and the units themselves in list order.
struct tribu_vue {
  const civilisation* fiche;
  std::int32_t nb_unites;
  std::vector<const unite*> unites;
};

struct vue_sauvegarde {
  std::uint32_t graine;
  std::uint32_t alea;
  int colonnes;
  int lignes;
  const std::vector<terrain>& terrains;
  std::vector<tribu_vue> tribus;
  std::int64_t curseur;
  const std::vector<int>& id_libres;
  const std::vector<conflit>& conflits;
  const releve_statistiques& statistiques;
  const parametres_modele& parametres;
};

vue_sauvegarde vue_de(const sauvegarde_lue& e) {
  std::vector<tribu_vue> tribus;
  tribus.reserve(e.tribus.size());
  for (const tribu_lue& t : e.tribus) {
    tribu_vue& v = tribus.emplace_back(tribu_vue{&t.fiche, t.nb_unites, {}});
    v.unites.reserve(t.unites.size());
    for (const auto& u : t.unites) v.unites.push_back(u.get());
  }
  return {e.graine,    e.alea,      e.colonnes, e.lignes,       e.terrains,  std::move(tribus),
          e.curseur,   e.id_libres, e.conflits, e.statistiques, e.parametres};
}

// The world as a save sees it: its terrains and the last phase's wars copied out (a few hundred
// kilobytes at most), the rest read where it lives.
struct monde_a_sauver {
  std::vector<terrain> terrains;
  std::vector<conflit> conflits;

  monde_a_sauver() {
    const int X = combien_colonnes();
    const int Y = combien_lignes();
    terrains.reserve(static_cast<std::size_t>(X) * static_cast<std::size_t>(Y));
    for (int x = 0; x < X; ++x)
      for (int y = 0; y < Y; ++y) {
        // Before the map is generated a cell has no terrain: it reads as empty sea.
        const terrain* t = donner_terrain(x, y);
        terrains.push_back(t != nullptr ? *t : terrain{});
      }
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    const int nb = donner_conflit(0, x1, y1, x2, y2);
    conflits.reserve(static_cast<std::size_t>(nb));
    for (int n = 1; n <= nb; ++n) {
      donner_conflit(n, x1, y1, x2, y2);
      conflits.push_back(conflit{n, x1, y1, x2, y2});
    }
  }

  vue_sauvegarde vue() const {
    std::vector<tribu_vue> tribus;
    tribus.reserve(liste_civ().size());
    for (const civilisation& c : liste_civ()) {
      tribu_vue& v = tribus.emplace_back(tribu_vue{&c, nb_unites(c), {}});
      v.unites.reserve(c.liste_unite.size());
      for (int id : c.liste_unite) v.unites.push_back(donner_unite(id));
    }
    return {graine_partie(),
            lire_etat_alea(),
            combien_colonnes(),
            combien_lignes(),
            terrains,
            std::move(tribus),
            static_cast<std::int64_t>(rang_civ_courante()),
            id_free_list(),
            conflits,
            releve(),
            modele()};
  }
};

// ---------------------------------------------------------------------------------------------
// Writing. The text is the one nlohmann::json::dump() gives of the document: compact, members in
// byte order of their names. It goes to a sink: the file's text, its length, or its fingerprint.

struct vers_texte {
  std::string& texte;
  void operator()(std::string_view t) { texte.append(t); }
};

struct fnv1a {
  std::uint64_t h;
  void operator()(std::string_view t) {
    for (const unsigned char c : t) {
      h ^= c;
      h *= FNV_PREMIER;
    }
  }
};

// Length and fingerprint at once: the first pass of a write.
struct mesure {
  std::size_t longueur = 0;
  fnv1a empreinte{FNV_BASE};
  void operator()(std::string_view t) {
    longueur += t.size();
    empreinte(t);
  }
};

// Both fingerprints at once: the check of a read.
struct deux_empreintes {
  fnv1a norme{FNV_BASE};
  fnv1a ancienne{FNV_BASE_ANCIENNE};
  void operator()(std::string_view t) {
    norme(t);
    ancienne(t);
  }
};

std::string hexadecimal(std::uint64_t h) {
  char hexa[17];
  std::snprintf(hexa, sizeof hexa, "%016" PRIx64, h);
  return hexa;
}

template <class Puits>
class redacteur {
 public:
  explicit redacteur(Puits& puits) : puits_(puits) {}

  void brut(std::string_view t) { puits_(t); }

  void entier(std::int64_t n) {
    char t[24];
    const auto fin = std::to_chars(t, t + sizeof t, n).ptr;
    puits_(std::string_view(t, static_cast<std::size_t>(fin - t)));
  }

  // A JSON string as dump() writes it: quote, backslash and control characters escaped, every
  // other byte as it is.
  void texte(std::string_view t) {
    puits_("\"");
    std::size_t debut = 0;
    for (std::size_t i = 0; i < t.size(); ++i) {
      const unsigned char c = static_cast<unsigned char>(t[i]);
      if (c >= 0x20 && c != '"' && c != '\\') continue;
      puits_(t.substr(debut, i - debut));
      debut = i + 1;
      switch (c) {
        case '"':
          puits_("\\\"");
          break;
        case '\\':
          puits_("\\\\");
          break;
        case '\b':
          puits_("\\b");
          break;
        case '\f':
          puits_("\\f");
          break;
        case '\n':
          puits_("\\n");
          break;
        case '\r':
          puits_("\\r");
          break;
        case '\t':
          puits_("\\t");
          break;
        default: {
          char u[8];
          std::snprintf(u, sizeof u, "\\u%04x", c);
          puits_(u);
        }
      }
    }
    puits_(t.substr(debut));
    puits_("\"");
  }

  template <class T>
  void entiers(const std::vector<T>& valeurs) {
    brut("[");
    for (std::size_t i = 0; i < valeurs.size(); ++i) {
      if (i > 0) brut(",");
      entier(valeurs[i]);
    }
    brut("]");
  }

 private:
  Puits& puits_;
};

template <class Puits>
void ecrire_unite(redacteur<Puits>& r, const unite& u) {
  r.brut("{\"adversaires\":");
  r.entiers(u.adversaires);
  r.brut(",\"case_conquise\":");
  if (u.case_conquise) {
    r.brut("[");
    r.entier(u.case_conquise->x);
    r.brut(",");
    r.entier(u.case_conquise->y);
    r.brut("]");
  } else {
    r.brut("null");
  }
  r.brut(",\"code\":");
  r.entier(u.code);
  r.brut(",\"comportement\":");
  r.entier(u.comportement);
  r.brut(",\"connaissance\":");
  r.entier(u.connaissance);
  r.brut(",\"en_guerre\":");
  r.entier(u.en_guerre);
  r.brut(",\"id\":");
  r.entier(u.id);
  r.brut(",\"nb_hab\":");
  r.entier(u.nb_hab);
  r.brut(",\"nb_tours\":");
  r.entier(u.nb_tours);
  r.brut(",\"victoire\":");
  r.entier(u.victoire);
  r.brut(",\"x\":");
  r.entier(u.x);
  r.brut(",\"y\":");
  r.entier(u.y);
  r.brut("}");
}

// The canonical text of a save; without `empreinte` (empty) it is the text the fingerprint is
// computed on.
template <class Puits>
void ecrire_document(Puits& puits, const vue_sauvegarde& v, std::string_view empreinte) {
  redacteur<Puits> r(puits);
  r.brut("{\"alea\":");
  r.entier(v.alea);
  r.brut(",\"carte\":{\"colonnes\":");
  r.entier(v.colonnes);
  r.brut(",\"lignes\":");
  r.entier(v.lignes);
  r.brut(",\"terrains\":[");
  for (std::size_t i = 0; i < v.terrains.size(); ++i) {
    const terrain& t = v.terrains[i];
    r.brut(i > 0 ? ",[" : "[");
    r.entier(t.altitude);
    for (const int q :
         {t.climat, t.ressources[EAU], t.ressources[BOIS], t.ressources[NOURRITURE_VEGETALE],
          t.ressources[NOURRITURE_ANIMALE], t.popmax}) {
      r.brut(",");
      r.entier(q);
    }
    r.brut("]");
  }
  r.brut("]},\"conflits\":[");
  for (std::size_t i = 0; i < v.conflits.size(); ++i) {
    const conflit& k = v.conflits[i];
    r.brut(i > 0 ? ",{\"numero\":" : "{\"numero\":");
    r.entier(k.numero);
    r.brut(",\"x1\":");
    r.entier(k.x1);
    r.brut(",\"x2\":");
    r.entier(k.x2);
    r.brut(",\"y1\":");
    r.entier(k.y1);
    r.brut(",\"y2\":");
    r.entier(k.y2);
    r.brut("}");
  }
  r.brut("],\"curseur\":");
  r.entier(v.curseur);
  if (!empreinte.empty()) {
    r.brut(",\"empreinte\":");
    r.texte(empreinte);
  }
  r.brut(",\"format\":");
  r.texte(FORMAT_SAUVEGARDE);
  r.brut(",\"graine\":");
  r.entier(v.graine);
  r.brut(",\"id_libres\":");
  r.entiers(v.id_libres);
  const bool avec_parametres = !modele_par_defaut(v.parametres);
  if (avec_parametres) {
    // Every parameter, by name in byte order as the canonical text has it.
    std::vector<std::string> noms;
    for (const description_parametre& d : parametres_connus()) noms.push_back(d.nom);
    std::sort(noms.begin(), noms.end());
    r.brut(",\"parametres\":{");
    for (std::size_t i = 0; i < noms.size(); ++i) {
      int valeur = 0;
      valeur_parametre(v.parametres, noms[i], valeur);
      if (i > 0) r.brut(",");
      r.texte(noms[i]);
      r.brut(":");
      r.entier(valeur);
    }
    r.brut("}");
  }
  r.brut(",\"pas\":");
  r.entier(v.statistiques.pas);
  r.brut(",\"statistiques\":{\"dernier_echantillon\":");
  r.entier(v.statistiques.dernier_echantillon);
  r.brut(",\"tribus\":[");
  bool premiere = true;
  for (const tribu_suivie& t : v.statistiques.tribus) {
    r.brut(premiere ? "{\"code\":" : ",{\"code\":");
    premiere = false;
    r.entier(t.code);
    r.brut(",\"habitants\":");
    r.entiers(t.habitants);
    r.brut(",\"nom\":");
    r.texte(t.nom);
    r.brut(",\"pas_extinction\":");
    r.entier(t.pas_extinction);
    r.brut(",\"premier_pas\":");
    r.entier(t.premier_pas);
    r.brut("}");
  }
  r.brut("]},\"tribus\":[");
  premiere = true;
  for (const tribu_vue& t : v.tribus) {
    const civilisation& c = *t.fiche;
    r.brut(premiere ? "{\"code\":" : ",{\"code\":");
    premiere = false;
    r.entier(c.code);
    r.brut(",\"comportement\":");
    r.entier(c.comportement);
    r.brut(",\"milieu_prefere\":");
    r.entier(c.milieu_prefere);
    r.brut(",\"nb_unites\":");
    r.entier(t.nb_unites);
    r.brut(",\"nom\":");
    r.texte(std::string_view(c.nom, strnlen(c.nom, sizeof c.nom)));
    r.brut(",\"regime\":");
    r.entier(c.regime);
    r.brut(",\"unites\":[");
    bool premiere_unite = true;
    for (const unite* u : t.unites) {
      if (!premiere_unite) r.brut(",");
      premiere_unite = false;
      ecrire_unite(r, *u);
    }
    r.brut("]}");
  }
  r.brut("],\"version\":");
  r.entier(avec_parametres ? 2 : 1);
  r.brut("}");
}

// ---------------------------------------------------------------------------------------------
// Checking. Every field is held to what a run of this program can produce; the message names the
// field by its place in the file ("tribus[2].unites[0].nb_hab").

// Where a value stands in the file: a chain of member names and indices on the stack, turned
// into a text only for a refusal.
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

const chemin RACINE{};

chemin sous(const chemin& c, const char* nom) { return {&c, nom, 0}; }
chemin element(const chemin& c, std::size_t i) { return {&c, nullptr, i}; }

[[noreturn]] void refuser(const chemin& c, const std::string& raison) {
  throw refus{"« " + c.texte() + " » : " + raison};
}

[[noreturn]] void hors_bornes(const chemin& c, std::int64_t min, std::int64_t max) {
  refuser(c, "entier de " + std::to_string(min) + " à " + std::to_string(max) + " attendu");
}

void borne(std::int64_t n, const chemin& c, std::int64_t min, std::int64_t max) {
  if (n < min || n > max) hors_bornes(c, min, max);
}

void verifier_carte(const vue_sauvegarde& v) {
  const chemin c_carte = sous(RACINE, "carte");
  borne(v.colonnes, sous(c_carte, "colonnes"), 1, TAILLE_MAX_CARTE);
  borne(v.lignes, sous(c_carte, "lignes"), 1, TAILLE_MAX_CARTE);
  const std::size_t n = static_cast<std::size_t>(v.colonnes) * static_cast<std::size_t>(v.lignes);
  if (v.terrains.size() != n)
    throw refus{"« carte.terrains » : " + std::to_string(n) + " cases attendues (" +
                std::to_string(v.colonnes) + " × " + std::to_string(v.lignes) + "), " +
                std::to_string(v.terrains.size()) + " trouvées"};
  const chemin c_terrains = sous(c_carte, "terrains");
  for (std::size_t i = 0; i < n; ++i) {
    const chemin c = element(c_terrains, i);
    const terrain& t = v.terrains[i];
    borne(t.altitude, element(c, 0), MER, HAUT);
    borne(t.climat, element(c, 1), 0, 9);
    for (std::size_t r = 0; r < 4; ++r) {
      borne(t.ressources[r], element(c, 2 + r), 0, v.parametres.ressource_max);
      // The sea holds water and nothing else: every change resets it to full water, and drought
      // only lowers that.
      if (t.altitude == MER && r != EAU && t.ressources[r] != 0)
        refuser(element(c, 2 + r), "0 attendu : une case de mer ne porte que de l'eau");
    }
    if (t.popmax != (t.altitude == MER ? 0 : v.parametres.capacite[t.altitude]))
      refuser(c, "population maximale " + std::to_string(t.popmax) +
                     " incohérente avec l'altitude " + std::to_string(t.altitude));
  }
}

// A tribe's name must be one the program gives, so that no text of a file reaches the terminal,
// the chart or the CSV file unless the program could have written it itself.
void verifier_nom(std::string_view nom, std::int32_t code, const chemin& c) {
  if (!nom_de_tribu_possible(code, nom))
    refuser(c, "ce n'est pas un nom que le programme donne à la tribu " + std::to_string(code));
}

// The tribes and their units, then what ties them together: one unit per cell, on land, and the
// identifiers.
void verifier_tribus(const vue_sauvegarde& v) {
  const chemin c_tribus = sous(RACINE, "tribus");
  if (v.tribus.size() > NB_TRIBUS) refuser(c_tribus, std::to_string(NB_TRIBUS) + " tribus au plus");
  const std::size_t cases =
      static_cast<std::size_t>(v.colonnes) * static_cast<std::size_t>(v.lignes);
  const std::int64_t tours_max = std::min(v.statistiques.pas, I32_MAX);
  std::array<bool, NB_TRIBUS> codes{};
  std::vector<std::string_view> noms;
  std::vector<bool> occupees(cases);
  std::vector<int> ids;
  std::size_t i = 0;
  for (const tribu_vue& tv : v.tribus) {
    const civilisation& t = *tv.fiche;
    const chemin c = element(c_tribus, i++);
    borne(t.code, sous(c, "code"), 0, NB_TRIBUS - 1);
    if (codes[static_cast<std::size_t>(t.code)])
      refuser(sous(c, "code"), "la tribu " + std::to_string(t.code) + " apparaît deux fois");
    codes[static_cast<std::size_t>(t.code)] = true;
    const std::string_view nom(t.nom, strnlen(t.nom, sizeof t.nom));
    verifier_nom(nom, t.code, sous(c, "nom"));
    if (std::find(noms.begin(), noms.end(), nom) != noms.end())
      refuser(sous(c, "nom"), "nom déjà porté par une autre tribu");
    noms.push_back(nom);
    borne(t.regime, sous(c, "regime"), HERBIVORE, CARNIVORE);
    borne(t.comportement, sous(c, "comportement"), HOSTILE, RECIPROQUE);
    borne(t.milieu_prefere, sous(c, "milieu_prefere"), BAS, HAUT);
    if (tv.nb_unites < 0 || static_cast<std::size_t>(tv.nb_unites) != tv.unites.size())
      refuser(sous(c, "nb_unites"), std::to_string(tv.nb_unites) + " alors que la liste compte " +
                                        std::to_string(tv.unites.size()) + " unités");
    const chemin c_unites = sous(c, "unites");
    std::size_t k = 0;
    for (const unite* pu : tv.unites) {
      const unite& u = *pu;
      const chemin c_u = element(c_unites, k++);
      borne(u.id, sous(c_u, "id"), 1, static_cast<std::int64_t>(cases));
      if (u.code != t.code)
        refuser(sous(c_u, "code"),
                "l'unité est dans la liste de la tribu " + std::to_string(t.code));
      borne(u.x, sous(c_u, "x"), 0, v.colonnes - 1);
      borne(u.y, sous(c_u, "y"), 0, v.lignes - 1);
      const std::size_t n_case =
          static_cast<std::size_t>(u.x) * static_cast<std::size_t>(v.lignes) +
          static_cast<std::size_t>(u.y);
      const std::string la_case =
          "la case (" + std::to_string(u.x) + "," + std::to_string(u.y) + ")";
      if (occupees[n_case]) refuser(c_u, la_case + " porte déjà une unité");
      if (v.terrains[n_case].altitude == MER) refuser(c_u, la_case + " est en mer");
      occupees[n_case] = true;
      borne(u.nb_hab, sous(c_u, "nb_hab"), 0, habitants_max_unite(v.parametres));
      // Units met in a war phase are forgotten at its end, before any save can be made.
      if (!u.adversaires.empty())
        refuser(sous(c_u, "adversaires"), "tableau vide attendu entre deux pas");
      borne(u.en_guerre, sous(c_u, "en_guerre"), 0, 1);
      borne(u.victoire, sous(c_u, "victoire"), 0, 1);
      // A unit has its tribe's behaviour, or is provisionally hostile.
      if (u.comportement != t.comportement && u.comportement != HOSTILE)
        refuser(sous(c_u, "comportement"),
                "1 ou " + std::to_string(t.comportement) + " (celui de sa tribu) attendu");
      borne(u.nb_tours, sous(c_u, "nb_tours"), 0, tours_max);
      if (u.connaissance != (u.nb_tours > 1 ? 1 : 0))
        refuser(sous(c_u, "connaissance"), std::to_string(u.nb_tours > 1 ? 1 : 0) +
                                               " attendu après " + std::to_string(u.nb_tours) +
                                               " tours");
      if (u.case_conquise) {
        const chemin c_case = sous(c_u, "case_conquise");
        borne(u.case_conquise->x, element(c_case, 0), 0, v.colonnes - 1);
        borne(u.case_conquise->y, element(c_case, 1), 0, v.lignes - 1);
      }
      ids.push_back(u.id);
    }
  }
  borne(v.curseur, sous(RACINE, "curseur"), 0, static_cast<std::int64_t>(v.tribus.size()));

  // The living identifiers and the free stack are exactly 1..N; N never passes the number of
  // cells, as a fresh identifier is only given to a unit that has a free cell to stand on.
  const chemin c_libres = sous(RACINE, "id_libres");
  for (std::size_t j = 0; j < v.id_libres.size(); ++j)
    borne(v.id_libres[j], element(c_libres, j), 1, static_cast<std::int64_t>(cases));
  ids.insert(ids.end(), v.id_libres.begin(), v.id_libres.end());
  std::sort(ids.begin(), ids.end());
  for (std::size_t j = 0; j < ids.size(); ++j)
    if (ids[j] != static_cast<int>(j) + 1)
      throw refus{
          "identifiants : ceux des unités et ceux de « id_libres » doivent être exactement 1 à " +
          std::to_string(ids.size()) + ", chacun une fois"};
}

void verifier_conflits(const vue_sauvegarde& v) {
  const chemin c_conflits = sous(RACINE, "conflits");
  const std::size_t max = static_cast<std::size_t>(CONFLITS_PAR_CASE) *
                          static_cast<std::size_t>(v.colonnes) * static_cast<std::size_t>(v.lignes);
  if (v.conflits.size() > max) refuser(c_conflits, std::to_string(max) + " guerres au plus");
  for (std::size_t i = 0; i < v.conflits.size(); ++i) {
    const chemin c = element(c_conflits, i);
    const conflit& k = v.conflits[i];
    if (k.numero != static_cast<std::int64_t>(i) + 1)
      refuser(sous(c, "numero"), std::to_string(i + 1) + " attendu");
    borne(k.x1, sous(c, "x1"), 0, v.colonnes - 1);
    borne(k.y1, sous(c, "y1"), 0, v.lignes - 1);
    borne(k.x2, sous(c, "x2"), 0, v.colonnes - 1);
    borne(k.y2, sous(c, "y2"), 0, v.lignes - 1);
    // A war is fought between two neighbouring cells.
    if (std::abs(k.x1 - k.x2) > 1 || std::abs(k.y1 - k.y2) > 1 || (k.x1 == k.x2 && k.y1 == k.y2))
      refuser(c, "les deux cases d'une guerre sont voisines");
  }
}

// The step counter and the history, whose series hold one sample per step they cover.
void verifier_statistiques(const vue_sauvegarde& v) {
  const releve_statistiques& r = v.statistiques;
  borne(r.pas, sous(RACINE, "pas"), 0, PAS_MAX_SAUVEGARDE);
  const chemin c_stats = sous(RACINE, "statistiques");
  // A save samples the world first: the last sample is the saved step's.
  if (r.dernier_echantillon != r.pas)
    refuser(sous(c_stats, "dernier_echantillon"), std::to_string(r.pas) + " attendu (le pas joué)");
  const chemin c_tribus = sous(c_stats, "tribus");
  if (r.tribus.size() > NB_TRIBUS) refuser(c_tribus, std::to_string(NB_TRIBUS) + " tribus au plus");
  const std::int64_t habitants_max = habitants_max_unite(v.parametres) * v.colonnes * v.lignes;
  std::array<bool, NB_TRIBUS> codes{};
  for (std::size_t i = 0; i < r.tribus.size(); ++i) {
    const chemin c = element(c_tribus, i);
    const tribu_suivie& t = r.tribus[i];
    borne(t.code, sous(c, "code"), 0, NB_TRIBUS - 1);
    if (codes[static_cast<std::size_t>(t.code)])
      refuser(sous(c, "code"), "la tribu " + std::to_string(t.code) + " apparaît deux fois");
    codes[static_cast<std::size_t>(t.code)] = true;
    verifier_nom(t.nom, t.code, sous(c, "nom"));
    for (const tribu_vue& vivante : v.tribus)
      if (vivante.fiche->code == t.code && t.nom != vivante.fiche->nom)
        refuser(sous(c, "nom"),
                "la tribu " + std::to_string(t.code) + " porte un autre nom dans « tribus »");
    borne(t.premier_pas, sous(c, "premier_pas"), 0, r.dernier_echantillon);
    if (t.pas_extinction != -1)
      borne(t.pas_extinction, sous(c, "pas_extinction"), t.premier_pas, r.dernier_echantillon);
    const std::int64_t fin = t.pas_extinction >= 0 ? t.pas_extinction : r.dernier_echantillon;
    const std::int64_t attendus = fin - t.premier_pas + 1;
    const chemin c_h = sous(c, "habitants");
    if (static_cast<std::int64_t>(t.habitants.size()) != attendus)
      refuser(c_h, std::to_string(attendus) + " valeurs attendues (une par pas suivi), " +
                       std::to_string(t.habitants.size()) + " trouvées");
    for (std::size_t k = 0; k < t.habitants.size(); ++k)
      borne(t.habitants[k], element(c_h, k), 0, habitants_max);
  }
}

// Every check a save is held to, in the order of the file's main parts.
void verifier(const vue_sauvegarde& v) {
  verifier_carte(v);
  verifier_tribus(v);
  verifier_conflits(v);
  verifier_statistiques(v);
}

// ---------------------------------------------------------------------------------------------
// Reading. The parser hands over one event per value; the reader keeps a stack of the containers
// open around it, knows from it where each value belongs, checks its type and stores it. After
// the first wrong value it stores nothing more but follows the document to its end, so that a
// file cut short, a foreign file or a newer version is still named as such.

// The containers of a save; `ignoree` is anything after a refusal, or the value of a member that
// is not read here.
enum class sorte : std::uint8_t {
  racine,
  carte,
  terrains,
  terrain,
  tribus,
  tribu,
  unites,
  unite,
  adversaires,
  case_conquise,
  id_libres,
  conflits,
  conflit,
  statistiques,
  suivies,
  suivie,
  habitants,
  parametres,
  ignoree
};

// What a member holds.
enum class genre : std::uint8_t { entier, texte, objet, tableau, paire_ou_nul };

// One member of an object: its name, what it holds (for a container, which one), and for an
// integer its widest range, which every value must fit before it is stored.
struct membre {
  const char* nom;
  genre g;
  sorte contenu;
  std::int64_t min;
  std::int64_t max;
};

constexpr membre entier(const char* nom, std::int64_t min, std::int64_t max) {
  return {nom, genre::entier, sorte::ignoree, min, max};
}
constexpr membre texte(const char* nom) { return {nom, genre::texte, sorte::ignoree, 0, 0}; }
constexpr membre objet(const char* nom, sorte s) { return {nom, genre::objet, s, 0, 0}; }
constexpr membre tableau(const char* nom, sorte s) { return {nom, genre::tableau, s, 0, 0}; }

// The members of each object, all of them required, in the order of the canonical text.
constexpr membre RACINE_M[] = {
    entier("alea", 0, U32_MAX),
    objet("carte", sorte::carte),
    tableau("conflits", sorte::conflits),
    entier("curseur", 0, NB_TRIBUS),
    texte("empreinte"),
    texte("format"),
    entier("graine", 0, U32_MAX),
    tableau("id_libres", sorte::id_libres),
    objet("parametres", sorte::parametres),
    entier("pas", 0, PAS_MAX_SAUVEGARDE),
    objet("statistiques", sorte::statistiques),
    tableau("tribus", sorte::tribus),
    entier("version", 1, INT64_MAX),
};
constexpr membre CARTE_M[] = {
    entier("colonnes", 1, TAILLE_MAX_CARTE),
    entier("lignes", 1, TAILLE_MAX_CARTE),
    tableau("terrains", sorte::terrains),
};
constexpr membre TRIBU_M[] = {
    entier("code", 0, NB_TRIBUS - 1),
    entier("comportement", HOSTILE, RECIPROQUE),
    entier("milieu_prefere", BAS, HAUT),
    entier("nb_unites", 0, CASES_MAX),
    texte("nom"),
    entier("regime", HERBIVORE, CARNIVORE),
    tableau("unites", sorte::unites),
};
constexpr membre UNITE_M[] = {
    tableau("adversaires", sorte::adversaires),
    {"case_conquise", genre::paire_ou_nul, sorte::case_conquise, 0, 0},
    entier("code", 0, NB_TRIBUS - 1),
    entier("comportement", HOSTILE, RECIPROQUE),
    entier("connaissance", 0, 1),
    entier("en_guerre", 0, 1),
    entier("id", 1, CASES_MAX),
    entier("nb_hab", INT32_MIN, I32_MAX),
    entier("nb_tours", 0, I32_MAX),
    entier("victoire", 0, 1),
    entier("x", 0, TAILLE_MAX_CARTE - 1),
    entier("y", 0, TAILLE_MAX_CARTE - 1),
};
constexpr membre CONFLIT_M[] = {
    entier("numero", 1, CONFLITS_PAR_CASE* CASES_MAX),
    entier("x1", 0, TAILLE_MAX_CARTE - 1),
    entier("x2", 0, TAILLE_MAX_CARTE - 1),
    entier("y1", 0, TAILLE_MAX_CARTE - 1),
    entier("y2", 0, TAILLE_MAX_CARTE - 1),
};
constexpr membre STATISTIQUES_M[] = {
    entier("dernier_echantillon", -1, PAS_MAX_SAUVEGARDE),
    tableau("tribus", sorte::suivies),
};
constexpr membre SUIVIE_M[] = {
    entier("code", 0, NB_TRIBUS - 1),
    tableau("habitants", sorte::habitants),
    texte("nom"),
    entier("pas_extinction", -1, PAS_MAX_SAUVEGARDE),
    entier("premier_pas", 0, PAS_MAX_SAUVEGARDE),
};

std::span<const membre> membres(sorte s) {
  switch (s) {
    case sorte::racine:
      return RACINE_M;
    case sorte::carte:
      return CARTE_M;
    case sorte::tribu:
      return TRIBU_M;
    case sorte::unite:
      return UNITE_M;
    case sorte::conflit:
      return CONFLIT_M;
    case sorte::statistiques:
      return STATISTIQUES_M;
    case sorte::suivie:
      return SUIVIE_M;
    default:
      return {};
  }
}

// The elements of each array: what they are, how many at most, and for integers their range.
struct elements {
  genre g;
  sorte contenu;
  std::size_t nombre_max;
  std::int64_t min;
  std::int64_t max;
};

// A terrain's seven numbers: altitude, climate, four stocks, popmax. The stocks and popmax, like
// a unit's population, are held to the save's parameters once the whole file is read.
constexpr std::array<std::int64_t, 7> TERRAIN_MAX = {
    HAUT, 9, I32_MAX, I32_MAX, I32_MAX, I32_MAX, I32_MAX};

elements elements_de(sorte s) {
  switch (s) {
    case sorte::terrains:
      return {genre::tableau, sorte::terrain, CASES_MAX, 0, 0};
    case sorte::terrain:
      return {genre::entier, sorte::ignoree, TERRAIN_MAX.size(), 0, 0};
    case sorte::tribus:
      return {genre::objet, sorte::tribu, NB_TRIBUS, 0, 0};
    case sorte::unites:
      return {genre::objet, sorte::unite, CASES_MAX, 0, 0};
    case sorte::adversaires:
      return {genre::entier, sorte::ignoree, 0, 0, 0};
    case sorte::case_conquise:
      return {genre::entier, sorte::ignoree, 2, 0, TAILLE_MAX_CARTE - 1};
    case sorte::id_libres:
      return {genre::entier, sorte::ignoree, CASES_MAX, 1, CASES_MAX};
    case sorte::conflits:
      return {genre::objet, sorte::conflit, std::size_t{CONFLITS_PAR_CASE} * CASES_MAX, 0, 0};
    case sorte::suivies:
      return {genre::objet, sorte::suivie, NB_TRIBUS, 0, 0};
    case sorte::habitants:
      return {genre::entier, sorte::ignoree, SIZE_MAX, 0, I32_MAX};
    default:
      return {genre::entier, sorte::ignoree, 0, 0, 0};
  }
}

const char* nom_du_genre(genre g) {
  switch (g) {
    case genre::entier:
      return "nombre entier attendu";
    case genre::texte:
      return "texte attendu";
    case genre::objet:
      return "objet attendu";
    case genre::tableau:
      return "tableau attendu";
    case genre::paire_ou_nul:
      return "null ou une paire [x, y] attendue";
  }
  return "";
}

// A value as the parser hands it over.
struct valeur {
  enum { entier, trop_grand, flottant, texte, nul, booleen } type;
  std::int64_t n = 0;
  std::string* s = nullptr;
};

// Too many elements, or any element where there must be none.
std::string trop_d_elements(sorte s) {
  switch (s) {
    case sorte::terrain:
      return "7 nombres attendus (altitude, climat, eau, bois, vegetale, animale, popmax)";
    case sorte::adversaires:
      return "tableau vide attendu entre deux pas";
    case sorte::case_conquise:
      return "null ou une paire [x, y] attendue";
    case sorte::terrains:
      return std::to_string(CASES_MAX) + " cases au plus";
    case sorte::tribus:
    case sorte::suivies:
      return std::to_string(NB_TRIBUS) + " tribus au plus";
    case sorte::unites:
      return std::to_string(CASES_MAX) + " unités au plus";
    case sorte::id_libres:
      return std::to_string(CASES_MAX) + " identifiants au plus";
    default:
      return std::to_string(std::size_t{CONFLITS_PAR_CASE} * CASES_MAX) + " guerres au plus";
  }
}

// A name met in a file, safe to show: printable ASCII, at most 40 characters.
std::string citer(std::string_view nom) {
  std::string r;
  for (const char c : nom.substr(0, 40)) r += c >= 0x20 && c < 0x7F ? c : '?';
  return nom.size() > 40 ? r + "…" : r;
}

class lecteur {
 public:
  explicit lecteur(sauvegarde_lue& e) : e_(e) { pile_.reserve(PROFONDEUR_MAX); }

  // The events of nlohmann::json::sax_parse.
  bool null() { return ranger({valeur::nul}); }
  bool boolean(bool) { return ranger({valeur::booleen}); }
  bool number_integer(std::int64_t n) { return ranger({valeur::entier, n}); }
  bool number_unsigned(std::uint64_t n) {
    if (n > static_cast<std::uint64_t>(INT64_MAX)) return ranger({valeur::trop_grand});
    return ranger({valeur::entier, static_cast<std::int64_t>(n)});
  }
  bool number_float(double, const std::string&) { return ranger({valeur::flottant}); }
  bool string(std::string& s) { return ranger({valeur::texte, 0, &s}); }
  bool binary(nlohmann::json::binary_t&) { return ranger({valeur::booleen}); }
  bool start_object(std::size_t) { return ouvrir(true); }
  bool start_array(std::size_t) { return ouvrir(false); }
  bool key(std::string& cle);
  bool end_object();
  bool end_array();
  // A syntax error, or a number too large even for a double: where the parser stopped.
  bool parse_error(std::size_t position, const std::string&, const nlohmann::detail::exception& e) {
    octet_erreur_ = position;
    syntaxe_ = true;
    demesure_ = dynamic_cast<const nlohmann::json::out_of_range*>(&e) != nullptr;
    return false;
  }

  // Once the parse is over: the reason to refuse the document, if it has one (`taille`, the
  // text's length, tells a file cut short).
  std::optional<std::string> refus_de_lecture(std::size_t taille) const;
  const std::string& empreinte() const { return empreinte_; }

 private:
  // One open container and where it stands in its parent.
  struct cadre {
    sorte s;
    bool objet;
    const char* nom;            // its member name in its parent, none for an element
    std::size_t indice;         // its index in its parent when an element
    const membre* m = nullptr;  // the member whose value comes next, in an object
    const char* cle = nullptr;  // that member's name as met, for the path
    std::uint32_t vus = 0;      // the members met, in an object
    std::size_t n = 0;          // the elements met, in an array
  };

  // The path of the value about to be stored, or of the array it would go in.
  std::string ici(bool element = true) const;
  void refuser_ici(const std::string& raison, bool element = true);
  bool ouvrir(bool objet);
  bool ranger(const valeur& v);
  void ranger_entier(const cadre& c, std::int64_t n);
  void ranger_texte(const cadre& c, const std::string& s);
  bool racine_speciale(const valeur& v);
  bool cle_de_parametre(cadre& c, const std::string& cle);

  unite& unite_courante() { return *e_.tribus.back().unites.back(); }

  sauvegarde_lue& e_;
  std::vector<cadre> pile_;
  std::optional<std::string> erreur_;  // the first wrong value
  bool racine_objet_ = false;
  bool trop_profond_ = false;
  bool syntaxe_ = false;
  bool demesure_ = false;  // the syntax error is a number past any double
  std::size_t octet_erreur_ = 0;
  std::size_t unites_ = 0;  // units of every tribe so far
  // The members of the document that say what it is, followed to the end whatever comes before.
  std::optional<bool> format_;  // whether the marker is this program's
  std::optional<valeur> version_;
  std::string empreinte_;
  // The parameter whose value comes next, and those met.
  std::string cle_parametre_;
  std::vector<std::string> parametres_vus_;
};

// A member of "parametres" is a parameter's name, each once; its value, an integer, is checked
// against that parameter's range when it is stored.
bool lecteur::cle_de_parametre(cadre& c, const std::string& cle) {
  static constexpr membre valeur_de_parametre = entier("parametre", INT32_MIN, INT32_MAX);
  if (erreur_) return true;
  int inutile = 0;
  if (!valeur_parametre(parametres_modele{}, cle, inutile)) {
    erreur_ = "champ « " + ici() + "." + citer(cle) + " » : paramètre inconnu";
    return true;
  }
  if (std::find(parametres_vus_.begin(), parametres_vus_.end(), cle) != parametres_vus_.end()) {
    erreur_ = "champ « " + ici() + "." + cle + " » en double";
    return true;
  }
  parametres_vus_.push_back(cle);
  cle_parametre_ = cle;
  c.m = &valeur_de_parametre;
  c.cle = cle_parametre_.c_str();
  return true;
}

std::string lecteur::ici(bool element) const {
  std::string t;
  const auto nom = [&t](const char* n) {
    if (!t.empty()) t += '.';
    t += n;
  };
  const auto indice = [&t](std::size_t i) {
    t += '[';
    t += std::to_string(i);
    t += ']';
  };
  for (std::size_t i = 1; i < pile_.size(); ++i) {
    if (pile_[i].nom != nullptr)
      nom(pile_[i].nom);
    else
      indice(pile_[i].indice);
  }
  if (pile_.empty() || !element) return t;
  const cadre& haut = pile_.back();
  if (!haut.objet)
    indice(haut.n);
  else if (haut.cle != nullptr)
    nom(haut.cle);
  return t;
}

void lecteur::refuser_ici(const std::string& raison, bool element) {
  if (!erreur_) erreur_ = "« " + ici(element) + " » : " + raison;
}

bool lecteur::ouvrir(bool objet) {
  if (pile_.size() >= PROFONDEUR_MAX) {
    trop_profond_ = true;
    return false;
  }
  if (pile_.empty()) {
    racine_objet_ = objet;
    pile_.push_back({objet ? sorte::racine : sorte::ignoree, objet, nullptr, 0});
    return true;
  }
  cadre& c = pile_.back();
  sorte enfant = sorte::ignoree;
  if (c.s == sorte::racine && c.m != nullptr && c.m->nom == std::string_view("format")) {
    format_ = false;
  } else if (c.s == sorte::racine && c.m != nullptr && c.m->nom == std::string_view("version")) {
    version_ = valeur{valeur::booleen};
  } else if (!erreur_ && c.s != sorte::ignoree) {
    if (c.objet) {
      if (c.m != nullptr) {
        const genre attendu = c.m->g;
        const bool liste = attendu == genre::tableau || attendu == genre::paire_ou_nul;
        if ((objet && attendu == genre::objet) || (!objet && liste))
          enfant = c.m->contenu;
        else
          refuser_ici(nom_du_genre(attendu));
      }
    } else {
      const elements el = elements_de(c.s);
      if (c.n >= el.nombre_max)
        refuser_ici(trop_d_elements(c.s), false);
      else if ((objet && el.g == genre::objet) || (!objet && el.g == genre::tableau))
        enfant = el.contenu;
      else
        refuser_ici(nom_du_genre(el.g));
    }
    if (enfant == sorte::unite && unites_ >= CASES_MAX) {
      refuser_ici(std::to_string(CASES_MAX) + " unités en tout au plus", false);
      enfant = sorte::ignoree;
    }
    // The new container's place in the state.
    switch (enfant) {
      case sorte::terrain:
        e_.terrains.push_back(terrain{});
        break;
      case sorte::tribu:
        e_.tribus.emplace_back();
        break;
      case sorte::unite:
        ++unites_;
        e_.tribus.back().unites.push_back(std::make_unique<unite>());
        break;
      case sorte::case_conquise:
        unite_courante().case_conquise = coord{0, 0};
        break;
      case sorte::conflit:
        e_.conflits.push_back(conflit{});
        break;
      case sorte::suivie:
        e_.statistiques.tribus.push_back(tribu_suivie{0, "", 0, 0, {}});
        break;
      default:
        break;
    }
  }
  const cadre nouveau{enfant, objet, c.objet ? c.cle : nullptr, c.n};
  if (!c.objet) ++c.n;
  c.m = nullptr;
  c.cle = nullptr;
  pile_.push_back(nouveau);
  return true;
}

bool lecteur::key(std::string& cle) {
  cadre& c = pile_.back();
  c.m = nullptr;
  c.cle = nullptr;
  if (c.s == sorte::parametres) return cle_de_parametre(c, cle);
  const std::span<const membre> liste = membres(c.s);
  const auto it =
      std::find_if(liste.begin(), liste.end(), [&](const membre& m) { return cle == m.nom; });
  if (it == liste.end()) {
    if (!erreur_ && c.s != sorte::ignoree)
      erreur_ = "champ « " + (ici().empty() ? "" : ici() + ".") + citer(cle) + " » inconnu";
    return true;
  }
  c.m = &*it;
  c.cle = it->nom;
  const std::uint32_t bit = std::uint32_t{1} << (it - liste.begin());
  if ((c.vus & bit) != 0) {
    refuser_ici("champ en double");
    c.m = nullptr;
  }
  c.vus |= bit;
  return true;
}

// The marker and the version, which say what the document is, are kept whatever comes before
// them.
bool lecteur::racine_speciale(const valeur& v) {
  const cadre& c = pile_.back();
  if (c.s != sorte::racine || c.m == nullptr) return false;
  const std::string_view nom = c.m->nom;
  if (nom == "format") {
    format_ = v.type == valeur::texte && *v.s == FORMAT_SAUVEGARDE;
    return true;
  }
  if (nom == "version") {
    version_ = v;
    return true;
  }
  return false;
}

bool lecteur::ranger(const valeur& v) {
  if (pile_.empty()) {
    // A document that is a single value is no save.
    racine_objet_ = false;
    return true;
  }
  cadre& c = pile_.back();
  if (!racine_speciale(v) && !erreur_ && c.s != sorte::ignoree && (!c.objet || c.m != nullptr)) {
    genre attendu = genre::entier;
    std::int64_t min = 0;
    std::int64_t max = 0;
    bool a_ranger = true;
    if (c.objet) {
      attendu = c.m->g;
      min = c.m->min;
      max = c.m->max;
    } else {
      const elements el = elements_de(c.s);
      attendu = el.g;
      min = el.min;
      max = el.max;
      if (c.n >= el.nombre_max) {
        refuser_ici(trop_d_elements(c.s), false);
        a_ranger = false;
      } else if (c.s == sorte::terrain) {
        max = TERRAIN_MAX[c.n];
        if (c.n >= 2) min = INT32_MIN;
      }
    }
    if (!a_ranger) {
      // Refused above.
    } else if (attendu == genre::paire_ou_nul && v.type == valeur::nul) {
      // No conquered cell.
    } else if (attendu == genre::entier && v.type == valeur::entier && v.n >= min && v.n <= max) {
      ranger_entier(c, v.n);
    } else if (attendu == genre::entier &&
               (v.type == valeur::entier || v.type == valeur::trop_grand)) {
      refuser_ici("entier de " + std::to_string(min) + " à " + std::to_string(max) + " attendu");
    } else if (attendu == genre::texte && v.type == valeur::texte) {
      ranger_texte(c, *v.s);
    } else {
      refuser_ici(nom_du_genre(attendu));
    }
  }
  if (!c.objet) ++c.n;
  c.m = nullptr;
  c.cle = nullptr;
  return true;
}

void lecteur::ranger_entier(const cadre& c, std::int64_t n) {
  const auto i32 = static_cast<std::int32_t>(n);
  const std::string_view cle = c.cle != nullptr ? c.cle : "";
  switch (c.s) {
    case sorte::racine:
      if (cle == "alea") e_.alea = static_cast<std::uint32_t>(n);
      if (cle == "graine") e_.graine = static_cast<std::uint32_t>(n);
      if (cle == "curseur") e_.curseur = n;
      if (cle == "pas") e_.statistiques.pas = n;
      break;
    case sorte::carte:
      (cle == "colonnes" ? e_.colonnes : e_.lignes) = i32;
      break;
    case sorte::terrain: {
      terrain& t = e_.terrains.back();
      if (c.n == 0) t.altitude = i32;
      if (c.n == 1) t.climat = i32;
      if (c.n >= 2 && c.n < 6) t.ressources[c.n - 2] = i32;
      if (c.n == 6) t.popmax = i32;
      break;
    }
    case sorte::tribu: {
      civilisation& t = e_.tribus.back().fiche;
      if (cle == "code") t.code = i32;
      if (cle == "comportement") t.comportement = i32;
      if (cle == "milieu_prefere") t.milieu_prefere = i32;
      if (cle == "nb_unites") e_.tribus.back().nb_unites = i32;
      if (cle == "regime") t.regime = i32;
      break;
    }
    case sorte::unite: {
      unite& u = unite_courante();
      if (cle == "code") u.code = i32;
      if (cle == "comportement") u.comportement = i32;
      if (cle == "connaissance") u.connaissance = i32;
      if (cle == "en_guerre") u.en_guerre = i32;
      if (cle == "id") u.id = i32;
      if (cle == "nb_hab") u.nb_hab = i32;
      if (cle == "nb_tours") u.nb_tours = i32;
      if (cle == "victoire") u.victoire = i32;
      if (cle == "x") u.x = i32;
      if (cle == "y") u.y = i32;
      break;
    }
    case sorte::case_conquise:
      (c.n == 0 ? unite_courante().case_conquise->x : unite_courante().case_conquise->y) = i32;
      break;
    case sorte::id_libres:
      e_.id_libres.push_back(i32);
      break;
    case sorte::conflit: {
      conflit& k = e_.conflits.back();
      if (cle == "numero") k.numero = i32;
      if (cle == "x1") k.x1 = i32;
      if (cle == "x2") k.x2 = i32;
      if (cle == "y1") k.y1 = i32;
      if (cle == "y2") k.y2 = i32;
      break;
    }
    case sorte::statistiques:
      e_.statistiques.dernier_echantillon = n;
      break;
    case sorte::suivie: {
      tribu_suivie& t = e_.statistiques.tribus.back();
      if (cle == "code") t.code = i32;
      if (cle == "pas_extinction") t.pas_extinction = n;
      if (cle == "premier_pas") t.premier_pas = n;
      break;
    }
    case sorte::habitants:
      e_.statistiques.tribus.back().habitants.push_back(i32);
      break;
    case sorte::parametres: {
      std::string raison;
      if (!regler_parametre(e_.parametres, cle_parametre_, std::to_string(n), raison))
        refuser_ici(raison);
      break;
    }
    default:
      break;
  }
}

void lecteur::ranger_texte(const cadre& c, const std::string& s) {
  const std::size_t longueur_max = c.s == sorte::racine ? 64 : 31;
  if (s.size() > longueur_max) {
    refuser_ici("texte de plus de " + std::to_string(longueur_max) + " octets");
    return;
  }
  if (s.find('\0') != std::string::npos) {
    refuser_ici("caractère nul dans le texte");
    return;
  }
  if (c.s == sorte::racine) {
    empreinte_ = s;
  } else if (c.s == sorte::tribu) {
    civilisation& t = e_.tribus.back().fiche;
    std::copy(s.begin(), s.end(), t.nom);
    t.nom[s.size()] = '\0';
  } else if (c.s == sorte::suivie) {
    e_.statistiques.tribus.back().nom = s;
  }
}

bool lecteur::end_object() {
  const cadre c = pile_.back();
  pile_.pop_back();
  if (erreur_ || c.s == sorte::ignoree) return true;
  const std::span<const membre> liste = membres(c.s);
  for (std::size_t i = 0; i < liste.size(); ++i) {
    if ((c.vus & (std::uint32_t{1} << i)) != 0) continue;
    const std::string_view nom = liste[i].nom;
    // Without these two the document is no save, or of no known version: said as such. The
    // parameters are there only when one differs from its default.
    if (c.s == sorte::racine && (nom == "format" || nom == "version" || nom == "parametres"))
      continue;
    pile_.push_back(c);
    pile_.back().cle = liste[i].nom;
    erreur_ = "champ « " + ici() + " » absent";
    pile_.pop_back();
    return true;
  }
  return true;
}

bool lecteur::end_array() {
  const cadre& c = pile_.back();
  if ((c.s == sorte::terrain && c.n != TERRAIN_MAX.size()) ||
      (c.s == sorte::case_conquise && c.n != 2))
    refuser_ici(trop_d_elements(c.s), false);
  pile_.pop_back();
  return true;
}

std::optional<std::string> lecteur::refus_de_lecture(std::size_t taille) const {
  if (syntaxe_) {
    if (demesure_)
      return "ce n'est pas du JSON valide (nombre démesuré à l'octet " +
             std::to_string(octet_erreur_) + ")";
    if (octet_erreur_ >= taille)
      return "le fichier est tronqué : il s'arrête au milieu des données";
    return "ce n'est pas du JSON valide (erreur à l'octet " + std::to_string(octet_erreur_) + ")";
  }
  if (trop_profond_)
    return "ce n'est pas une sauvegarde de Pangaeolith (données imbriquées sur plus de " +
           std::to_string(PROFONDEUR_MAX) + " niveaux)";
  if (!racine_objet_ || !format_ || !*format_)
    return "ce n'est pas une sauvegarde de Pangaeolith (marque de format absente)";
  if (!version_) return "champ « version » absent";
  if (version_->type == valeur::trop_grand || (version_->type == valeur::entier && version_->n < 1))
    return "« version » : entier de 1 à " + std::to_string(INT64_MAX) + " attendu";
  if (version_->type != valeur::entier) return "« version » : nombre entier attendu";
  if (version_->n > VERSION_SAUVEGARDE)
    return "sauvegarde au format version " + std::to_string(version_->n) +
           ", plus récente que la version " + std::to_string(VERSION_SAUVEGARDE) +
           " que ce programme sait lire";
  return erreur_;
}

// The whole text read and checked into a state built aside, ready to be installed.
std::unique_ptr<sauvegarde_lue> lire(const std::string& texte) {
  if (texte.find_first_not_of(" \t\r\n") == std::string::npos) throw refus{"le fichier est vide"};
  if (texte.size() > TAILLE_MAX_SAUVEGARDE)
    throw refus{"la sauvegarde fait plus de " + std::to_string(TAILLE_MAX_SAUVEGARDE) + " octets"};
  auto e = std::make_unique<sauvegarde_lue>();
  lecteur l(*e);
  nlohmann::json::sax_parse(texte, &l);
  if (const auto raison = l.refus_de_lecture(texte.size())) throw refus{*raison};

  {
    const vue_sauvegarde v = vue_de(*e);
    verifier(v);
    deux_empreintes empreintes;
    ecrire_document(empreintes, v, {});
    if (l.empreinte() != hexadecimal(empreintes.norme.h) &&
        l.empreinte() != hexadecimal(empreintes.ancienne.h))
      throw refus{
          "la sauvegarde a été modifiée ou abîmée : son empreinte ne correspond plus à "
          "son contenu"};
  }

  // What installing needs, made now: installing may then not fail. The checks made sure that
  // the units' identifiers and the free ones are exactly 1..N.
  e->cases.reserve(e->terrains.size());
  for (const terrain& t : e->terrains) e->cases.push_back(std::make_unique<terrain>(t));
  std::size_t n = e->id_libres.size();
  for (const tribu_lue& t : e->tribus) n += t.unites.size();
  e->unites.resize(n);
  for (tribu_lue& t : e->tribus) {
    civilisation& c = e->civs.emplace_back(std::move(t.fiche));
    for (std::unique_ptr<unite>& u : t.unites) {
      c.liste_unite.push_back(u->id);
      e->unites[static_cast<std::size_t>(u->id) - 1] = std::move(u);
    }
  }
  return e;
}

// Replaces the world by a state that passed every check; nothing here allocates, so nothing can
// fail halfway.
void installer(sauvegarde_lue& e) {
  reinitialiser_carte();
  fixer_dimensions(e.colonnes, e.lignes);
  std::size_t i = 0;
  for (int x = 0; x < e.colonnes; ++x)
    for (int y = 0; y < e.lignes; ++y) installer_terrain(x, y, std::move(e.cases[i++]));
  // Replacing the tribes empties the unit store, which then takes the units read.
  remplacer_liste_civ(std::move(e.civs), static_cast<std::size_t>(e.curseur));
  installer_unites(std::move(e.unites), std::move(e.id_libres));
  for (const civilisation& c : liste_civ())
    for (int id : c.liste_unite) installer_unite_carte(donner_unite(id));
  fixer_conflits(std::move(e.conflits));
  // The run keeps its seed (what "graine" shows and --seed replays); the sequence goes on from
  // the saved state.
  semer_partie(e.graine);
  initialiser_alea(e.alea);
  remplacer_releve(std::move(e.statistiques));
  fixer_modele(e.parametres);
}

const char* const MEMOIRE_LECTURE = "mémoire insuffisante pour lire cette sauvegarde";

}  // namespace

std::int64_t habitants_max_unite(const parametres_modele& p) {
  if (modele_par_defaut(p)) return HABITANTS_MAX_UNITE;
  std::int64_t plus_grand = std::max({std::int64_t{HABITANTS_MAX_UNITE},
                                      std::int64_t{144} * p.capacite[BAS],
                                      std::int64_t{144} * p.capacite[MOYEN],
                                      std::int64_t{144} * p.capacite[HAUT]});
  for (const parametres_tribu& t : p.tribus) plus_grand = std::max<std::int64_t>(plus_grand, t.habitants);
  return plus_grand;
}

std::string empreinte_sauvegarde(const std::string& texte) {
  fnv1a f{FNV_BASE};
  f(texte);
  return hexadecimal(f.h);
}

std::string texte_sauvegarde() {
  const monde_a_sauver m;
  const vue_sauvegarde v = m.vue();
  fnv1a f{FNV_BASE};
  ecrire_document(f, v, {});
  std::string texte;
  vers_texte puits{texte};
  ecrire_document(puits, v, hexadecimal(f.h));
  return texte + "\n";
}

bool sauver_monde(const std::string& chemin, std::string& erreur) {
  try {
    const monde_a_sauver m;
    const vue_sauvegarde v = m.vue();
    verifier(v);
    // The length and the fingerprint first, so that a save too large to be read back is
    // refused before its text is made.
    mesure premier_passage;
    ecrire_document(premier_passage, v, {});
    const std::string empreinte = hexadecimal(premier_passage.empreinte.h);
    const std::size_t taille = premier_passage.longueur +
                               std::string_view(",\"empreinte\":\"\"").size() + empreinte.size() +
                               1;
    if (taille > TAILLE_MAX_SAUVEGARDE) {
      erreur = "la sauvegarde ferait " + std::to_string(taille) + " octets, plus que les " +
               std::to_string(TAILLE_MAX_SAUVEGARDE) +
               " qu'une sauvegarde peut avoir : l'historique des habitants est trop long";
      return false;
    }
    std::string texte;
    texte.reserve(taille);
    vers_texte puits{texte};
    ecrire_document(puits, v, empreinte);
    texte += '\n';
    if (!ecrire_fichier_entier(chemin, texte, erreur)) return false;
  } catch (const refus& r) {
    erreur = "ce monde ne pourrait pas être relu : " + r.raison;
    return false;
  } catch (const std::bad_alloc&) {
    erreur = "mémoire insuffisante pour écrire la sauvegarde";
    return false;
  }
  ecrire_debug("sauvegarde - monde sauve dans %s au pas %lld\n", chemin.c_str(),
               static_cast<long long>(nombre_de_pas()));
  return true;
}

sauvegarde_prete lire_texte_sauvegarde(const std::string& texte, std::string& erreur) {
  try {
    return sauvegarde_prete(lire(texte).release());
  } catch (const refus& r) {
    erreur = r.raison;
  } catch (const std::bad_alloc&) {
    erreur = MEMOIRE_LECTURE;
  }
  return nullptr;
}

sauvegarde_prete lire_sauvegarde(const std::string& chemin, std::string& erreur) {
  try {
    std::string texte;
    if (!lire_fichier_entier(chemin, texte, erreur, TAILLE_MAX_SAUVEGARDE)) return nullptr;
    return lire_texte_sauvegarde(texte, erreur);
  } catch (const std::bad_alloc&) {
    erreur = MEMOIRE_LECTURE;
    return nullptr;
  }
}

parametres_modele parametres_sauvegarde(const sauvegarde_prete& s) { return s->parametres; }

void installer_sauvegarde(sauvegarde_prete s, const char* chemin) {
  installer(*s);
  if (chemin != nullptr)
    ecrire_debug("sauvegarde - monde charge depuis %s au pas %lld\n", chemin,
                 static_cast<long long>(nombre_de_pas()));
}

bool charger_texte(const std::string& texte, std::string& erreur) {
  sauvegarde_prete s = lire_texte_sauvegarde(texte, erreur);
  if (!s) return false;
  installer_sauvegarde(std::move(s));
  return true;
}

bool charger_monde(const std::string& chemin, std::string& erreur) {
  sauvegarde_prete s = lire_sauvegarde(chemin, erreur);
  if (!s) return false;
  installer_sauvegarde(std::move(s), chemin.c_str());
  return true;
}
