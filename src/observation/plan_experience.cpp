// The plan of an experiment: the JSON file read once, every field held to its type and range,
// the runs of the full factorial computed from their number.
#include "observation/plan_experience.h"

#include <algorithm>
#include <cstdint>
#include <new>
#include <nlohmann/json.hpp>
#include <set>
#include <string>
#include <vector>

#include "monde/carte.h"
#include "population/civ.h"
#include "socle/fichiers.h"

namespace {

using json = nlohmann::json;

// A plan is four levels deep (plan, facteurs, a factor, its values); anything deeper is refused
// while parsing, before it is built.
constexpr int PROFONDEUR_MAX = 8;
// Values of one factor and seeds of the repetitions.
constexpr std::int64_t VALEURS_MAX = 10'000;
constexpr std::int64_t GRAINES_MAX = 100'000;
constexpr std::size_t DESCRIPTION_MAX = 2000;

struct nom_de_mesure {
  mesure_experience m;
  const char* nom;
};
constexpr nom_de_mesure MESURES[] = {
    {mesure_experience::tribus_vivantes, "tribus_vivantes"},
    {mesure_experience::habitants, "habitants"},
    {mesure_experience::unites, "unites"},
    {mesure_experience::guerres, "guerres"},
    {mesure_experience::extinction, "extinction"},
    {mesure_experience::ressources, "ressources"},
};
const char* const RESSOURCES[4] = {"eau", "bois", "vegetale", "animale"};

// A refusal: the field it is about and why.
struct refus {
  std::string message;
};

[[noreturn]] void refuser(const std::string& champ, const std::string& pourquoi) {
  throw refus{champ + " : " + pourquoi};
}

std::string liste_mesures() {
  std::string s;
  for (const nom_de_mesure& m : MESURES) s.append(s.empty() ? "" : ", ").append(m.nom);
  return s;
}

// The keys of an object, each one of `permises`; the object itself required.
const json& objet(const json& v, const std::string& champ,
                  std::initializer_list<const char*> permises) {
  if (!v.is_object()) refuser(champ, "objet JSON attendu");
  for (auto it = v.begin(); it != v.end(); ++it) {
    const std::string& cle = it.key();
    if (std::none_of(permises.begin(), permises.end(), [&](const char* p) { return cle == p; }))
      refuser(champ, "clé inconnue « " + cle + " »");
  }
  return v;
}

std::int64_t entier(const json& v, const std::string& champ, std::int64_t mini, std::int64_t maxi) {
  std::int64_t n = 0;
  if (v.is_number_unsigned()) {
    const std::uint64_t u = v.get<std::uint64_t>();
    if (u > static_cast<std::uint64_t>(maxi))
      refuser(champ,
              std::to_string(u) + " hors de " + std::to_string(mini) + ".." + std::to_string(maxi));
    n = static_cast<std::int64_t>(u);
  } else if (v.is_number_integer()) {
    n = v.get<std::int64_t>();
  } else {
    refuser(champ, "nombre entier attendu");
  }
  if (n < mini || n > maxi)
    refuser(champ,
            std::to_string(n) + " hors de " + std::to_string(mini) + ".." + std::to_string(maxi));
  return n;
}

const json& liste(const json& v, const std::string& champ, std::int64_t maxi) {
  if (!v.is_array()) refuser(champ, "liste JSON attendue");
  if (v.empty()) refuser(champ, "liste vide");
  if (static_cast<std::int64_t>(v.size()) > maxi)
    refuser(champ, std::to_string(v.size()) + " éléments, " + std::to_string(maxi) + " au plus");
  return v;
}

const json& requis(const json& objet, const char* cle, const std::string& champ) {
  const auto it = objet.find(cle);
  if (it == objet.end()) refuser(champ, std::string("clé « ") + cle + " » manquante");
  return *it;
}

facteur_plan lire_facteur(const json& f, const std::string& champ) {
  objet(f, champ, {"parametre", "valeurs", "de", "a", "pas"});
  const json& nom = requis(f, "parametre", champ);
  if (!nom.is_string()) refuser(champ + ".parametre", "nom de paramètre attendu");
  facteur_plan r{nom.get<std::string>(), {}};
  int defaut = 0;
  if (!valeur_parametre(parametres_modele{}, r.parametre, defaut))
    refuser(champ + ".parametre", "paramètre inconnu « " + r.parametre + " »");

  const bool liste_donnee = f.contains("valeurs");
  const bool intervalle = f.contains("de") || f.contains("a") || f.contains("pas");
  if (liste_donnee == intervalle)
    refuser(champ, "il faut soit « valeurs », soit « de », « a » et « pas »");
  // Every value is checked as the parameter's own setter checks a typed value: same range.
  auto ajouter = [&](std::int64_t v, const std::string& ou) {
    parametres_modele essai{};
    std::string erreur;
    if (v < INT32_MIN || v > INT32_MAX ||
        !regler_parametre(essai, r.parametre, std::to_string(v), erreur))
      refuser(ou, erreur.empty() ? "valeur hors des entiers" : erreur);
    if (std::find(r.valeurs.begin(), r.valeurs.end(), v) != r.valeurs.end())
      refuser(ou, "valeur " + std::to_string(v) + " répétée");
    r.valeurs.push_back(static_cast<int>(v));
  };
  if (liste_donnee) {
    const json& l = liste(f["valeurs"], champ + ".valeurs", VALEURS_MAX);
    for (std::size_t i = 0; i < l.size(); ++i) {
      const std::string ou = champ + ".valeurs[" + std::to_string(i) + "]";
      ajouter(entier(l[i], ou, INT32_MIN, INT32_MAX), ou);
    }
  } else {
    const std::int64_t de = entier(requis(f, "de", champ), champ + ".de", INT32_MIN, INT32_MAX);
    const std::int64_t a = entier(requis(f, "a", champ), champ + ".a", INT32_MIN, INT32_MAX);
    const std::int64_t pas = entier(requis(f, "pas", champ), champ + ".pas", 1, INT32_MAX);
    if (a < de) refuser(champ + ".a", std::to_string(a) + " avant le début " + std::to_string(de));
    if ((a - de) / pas + 1 > VALEURS_MAX)
      refuser(champ, "plus de " + std::to_string(VALEURS_MAX) + " valeurs");
    for (std::int64_t v = de; v <= a; v += pas)
      ajouter(v, champ + " (valeur " + std::to_string(v) + ")");
  }
  return r;
}

std::vector<std::uint32_t> lire_repetitions(const json& r) {
  objet(r, "repetitions", {"graines", "nombre", "premiere_graine"});
  std::vector<std::uint32_t> graines;
  if (r.contains("graines") == (r.contains("nombre") || r.contains("premiere_graine")))
    refuser("repetitions", "il faut soit « graines », soit « nombre » et « premiere_graine »");
  if (r.contains("graines")) {
    const json& l = liste(r["graines"], "repetitions.graines", GRAINES_MAX);
    for (std::size_t i = 0; i < l.size(); ++i) {
      const std::string ou = "repetitions.graines[" + std::to_string(i) + "]";
      const auto g = static_cast<std::uint32_t>(entier(l[i], ou, 0, UINT32_MAX));
      if (std::find(graines.begin(), graines.end(), g) != graines.end())
        refuser(ou, "graine " + std::to_string(g) + " répétée");
      graines.push_back(g);
    }
  } else {
    const std::int64_t n =
        entier(requis(r, "nombre", "repetitions"), "repetitions.nombre", 1, GRAINES_MAX);
    const std::int64_t premiere = entier(requis(r, "premiere_graine", "repetitions"),
                                         "repetitions.premiere_graine", 0, UINT32_MAX);
    if (premiere + n - 1 > UINT32_MAX)
      refuser("repetitions", "la dernière graine dépasse " + std::to_string(UINT32_MAX));
    for (std::int64_t k = 0; k < n; ++k)
      graines.push_back(static_cast<std::uint32_t>(premiere + k));
  }
  return graines;
}

plan_experience lire_document(const json& d) {
  objet(d, "plan",
        {"description", "facteurs", "repetitions", "carte", "tribus", "pas", "mesures", "releve"});
  plan_experience p;
  if (d.contains("description") &&
      (!d["description"].is_string() ||
       d["description"].get_ref<const std::string&>().size() > DESCRIPTION_MAX))
    refuser("description",
            "texte de " + std::to_string(DESCRIPTION_MAX) + " octets au plus attendu");

  const json& f = liste(requis(d, "facteurs", "plan"), "facteurs", 64);
  std::int64_t essais = 1;
  for (std::size_t i = 0; i < f.size(); ++i) {
    const std::string champ = "facteurs[" + std::to_string(i) + "]";
    // A parameter given twice is said before its values are looked at.
    if (f[i].is_object() && f[i].contains("parametre"))
      for (const facteur_plan& autre : p.facteurs)
        if (f[i]["parametre"] == autre.parametre)
          refuser(champ + ".parametre", "facteur « " + autre.parametre + " » déjà donné");
    facteur_plan facteur = lire_facteur(f[i], champ);
    essais *= static_cast<std::int64_t>(facteur.valeurs.size());
    if (essais > ESSAIS_MAX)
      refuser("facteurs", "plus de " + std::to_string(ESSAIS_MAX) + " essais");
    p.facteurs.push_back(std::move(facteur));
  }
  p.graines = lire_repetitions(requis(d, "repetitions", "plan"));
  if (essais * static_cast<std::int64_t>(p.graines.size()) > ESSAIS_MAX)
    refuser("repetitions", "plus de " + std::to_string(ESSAIS_MAX) + " essais en tout");

  const json& carte = objet(requis(d, "carte", "plan"), "carte", {"colonnes", "lignes"});
  p.colonnes = static_cast<int>(
      entier(requis(carte, "colonnes", "carte"), "carte.colonnes", 1, TAILLE_MAX_CARTE));
  p.lignes = static_cast<int>(
      entier(requis(carte, "lignes", "carte"), "carte.lignes", 1, TAILLE_MAX_CARTE));

  if (d.contains("tribus")) {
    const json& t = d["tribus"];
    if (t == "fixes")
      p.tribus_tirees = false;
    else if (t == "tirees")
      p.tribus_tirees = true;
    else
      refuser("tribus", "« fixes » ou « tirees » attendu");
  }
  p.pas = entier(requis(d, "pas", "plan"), "pas", 1, PAS_ESSAI_MAX);

  if (d.contains("mesures")) {
    const json& l = liste(d["mesures"], "mesures", std::size(MESURES));
    for (std::size_t i = 0; i < l.size(); ++i) {
      const std::string ou = "mesures[" + std::to_string(i) + "]";
      const auto it = std::find_if(std::begin(MESURES), std::end(MESURES),
                                   [&](const nom_de_mesure& m) { return l[i] == m.nom; });
      if (it == std::end(MESURES))
        refuser(ou, "mesure inconnue (connues : " + liste_mesures() + ")");
      if (std::find(p.mesures.begin(), p.mesures.end(), it->m) != p.mesures.end())
        refuser(ou, std::string("mesure « ") + it->nom + " » répétée");
      p.mesures.push_back(it->m);
    }
  } else {
    for (const nom_de_mesure& m : MESURES) p.mesures.push_back(m.m);
  }

  if (d.contains("releve")) {
    const json& r = d["releve"];
    if (r.is_string()) {
      if (r != "fin") refuser("releve", "« fin » ou { \"tous_les\": k } attendu");
    } else {
      objet(r, "releve", {"tous_les"});
      p.releve = entier(requis(r, "tous_les", "releve"), "releve.tous_les", 1, p.pas);
    }
  }

  // The plan as it will be run, every list spelled out, itself a plan: two files that describe
  // the same runs have the same text, whatever their layout, order of keys or form of the
  // factors and seeds.
  json c;
  c["facteurs"] = json::array();
  for (const facteur_plan& fa : p.facteurs)
    c["facteurs"].push_back({{"parametre", fa.parametre}, {"valeurs", fa.valeurs}});
  c["repetitions"] = {{"graines", p.graines}};
  c["carte"] = {{"colonnes", p.colonnes}, {"lignes", p.lignes}};
  c["tribus"] = p.tribus_tirees ? "tirees" : "fixes";
  c["pas"] = p.pas;
  c["mesures"] = json::array();
  for (mesure_experience m : p.mesures) c["mesures"].push_back(nom_mesure(m));
  if (p.releve > 0)
    c["releve"] = {{"tous_les", p.releve}};
  else
    c["releve"] = "fin";
  p.canonique = c.dump();
  return p;
}

}  // namespace

bool lire_plan(const std::string& texte, plan_experience& plan, std::string& erreur) {
  try {
    // Duplicated keys would silently keep the last value: each object's keys are gathered while
    // parsing and a repeated one is refused, as is a document nested deeper than a plan can be.
    std::vector<std::set<std::string>> cles;
    std::string repetee;
    bool trop_profond = false;
    const auto rappel = [&](int profondeur, json::parse_event_t evenement, json& valeur) {
      if (profondeur > PROFONDEUR_MAX) {
        trop_profond = true;
        return false;
      }
      if (evenement == json::parse_event_t::object_start) cles.emplace_back();
      if (evenement == json::parse_event_t::object_end && !cles.empty()) cles.pop_back();
      if (evenement == json::parse_event_t::key && !cles.empty() &&
          !cles.back().insert(valeur.get<std::string>()).second && repetee.empty())
        repetee = valeur.get<std::string>();
      return true;
    };
    json d;
    try {
      d = json::parse(texte, rappel);
    } catch (const json::parse_error& e) {
      erreur = "plan : JSON mal formé vers l'octet " + std::to_string(e.byte);
      return false;
    } catch (const json::out_of_range&) {
      erreur = "plan : nombre trop grand pour être lu";
      return false;
    }
    if (trop_profond) {
      erreur = "plan : imbrication de plus de " + std::to_string(PROFONDEUR_MAX) + " niveaux";
      return false;
    }
    if (!repetee.empty()) {
      erreur = "plan : clé « " + repetee + " » répétée dans un même objet";
      return false;
    }
    plan = lire_document(d);
    return true;
  } catch (const refus& r) {
    erreur = r.message;
  } catch (const json::exception&) {
    erreur = "plan : JSON illisible";
  } catch (const std::bad_alloc&) {
    erreur = "plan : mémoire insuffisante";
  }
  return false;
}

bool charger_plan(const std::string& chemin, plan_experience& plan, std::string& erreur) {
  std::string texte;
  if (!lire_fichier_entier(chemin, texte, erreur, TAILLE_PLAN_MAX)) return false;
  return lire_plan(texte, plan, erreur);
}

std::int64_t nombre_essais(const plan_experience& plan) {
  std::int64_t n = static_cast<std::int64_t>(plan.graines.size());
  for (const facteur_plan& f : plan.facteurs) n *= static_cast<std::int64_t>(f.valeurs.size());
  return n;
}

essai_plan essai_numero(const plan_experience& plan, std::int64_t numero) {
  essai_plan e{numero, std::vector<int>(plan.facteurs.size()), 0};
  // Mixed-radix digits of numero - 1: the seed is the fastest, then the last factor.
  std::int64_t reste = numero - 1;
  const auto graines = static_cast<std::int64_t>(plan.graines.size());
  e.graine = plan.graines[static_cast<std::size_t>(reste % graines)];
  reste /= graines;
  for (std::size_t i = plan.facteurs.size(); i-- > 0;) {
    const auto n = static_cast<std::int64_t>(plan.facteurs[i].valeurs.size());
    e.valeurs[i] = plan.facteurs[i].valeurs[static_cast<std::size_t>(reste % n)];
    reste /= n;
  }
  return e;
}

parametres_modele modele_essai(const plan_experience& plan, const essai_plan& essai) {
  parametres_modele m{};
  std::string erreur;
  for (std::size_t i = 0; i < plan.facteurs.size(); ++i)
    regler_parametre(m, plan.facteurs[i].parametre, std::to_string(essai.valeurs[i]), erreur);
  return m;
}

std::vector<std::int64_t> pas_releves(const plan_experience& plan) {
  std::vector<std::int64_t> pas;
  if (plan.releve > 0)
    for (std::int64_t k = 0; k < plan.pas; k += plan.releve) pas.push_back(k);
  pas.push_back(plan.pas);
  return pas;
}

const char* nom_mesure(mesure_experience m) {
  for (const nom_de_mesure& n : MESURES)
    if (n.m == m) return n.nom;
  return "";
}

std::vector<std::string> colonnes_mesure(mesure_experience m) {
  std::vector<std::string> c;
  switch (m) {
    case mesure_experience::habitants:
    case mesure_experience::unites:
    case mesure_experience::extinction:
      for (int t = 0; t < NB_TRIBUS; ++t)
        c.push_back(std::string(nom_mesure(m)) + "_" + std::to_string(t));
      break;
    case mesure_experience::ressources:
      for (const char* r : RESSOURCES) c.push_back(std::string("ressource_") + r);
      break;
    default:
      c.push_back(nom_mesure(m));
  }
  return c;
}

static std::string debut_entete(const plan_experience& plan) {
  std::string s = "essai";
  for (const facteur_plan& f : plan.facteurs) s += "," + f.parametre;
  return s + ",graine,pas";
}

std::string entete_mesures(const plan_experience& plan) {
  std::string s = debut_entete(plan);
  for (mesure_experience m : plan.mesures)
    for (const std::string& c : colonnes_mesure(m)) s += "," + c;
  return s;
}

std::string entete_resume(const plan_experience& plan) {
  std::string s = entete_mesures(plan);
  for (mesure_experience m : plan.mesures) {
    if (m == mesure_experience::habitants) s += ",habitants_max,pas_habitants_max";
    if (m == mesure_experience::guerres) s += ",guerres_total";
  }
  return s;
}

std::string debut_ligne_essai(const essai_plan& essai) {
  std::string s = std::to_string(essai.numero);
  for (int v : essai.valeurs) s += "," + std::to_string(v);
  return s + "," + std::to_string(essai.graine);
}
