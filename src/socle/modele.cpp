// The table of the model's parameters: names, meanings, units, ranges, and where each one lives in
// the record the rules read.
#include "socle/modele.h"

#include <charconv>
#include <functional>

namespace {

struct parametre {
  description_parametre d;
  std::function<int&(parametres_modele&)> champ;
};

const char* const NOMS_RESSOURCES[4] = {"eau", "bois", "vegetale", "animale"};
const char* const SENS_RESSOURCES[4] = {"d'eau", "de bois", "de nourriture végétale",
                                        "de nourriture animale"};
const char* const NOMS_ALTITUDES[4] = {"mer", "bas", "moyen", "haut"};
const char* const SENS_ALTITUDES[4] = {"", "de basse altitude", "d'altitude moyenne",
                                       "de haute altitude"};

std::vector<parametre> construire_table() {
  const parametres_modele d{};
  std::vector<parametre> t;
  auto ajouter = [&](std::string nom, std::string sens, std::string unite, int mini, int maxi,
                     int defaut, std::function<int&(parametres_modele&)> champ) {
    t.push_back({{std::move(nom), std::move(sens), std::move(unite), mini, maxi, defaut},
                 std::move(champ)});
  };
  ajouter("ressource_max", "stock maximal d'une ressource sur une case", "unités de ressource", 1,
          100000, d.ressource_max, [](parametres_modele& p) -> int& { return p.ressource_max; });
  for (int r = 0; r < 4; ++r)
    ajouter(std::string("regeneration_") + NOMS_RESSOURCES[r],
            std::string("pousse ") + SENS_RESSOURCES[r] + " par pas et par point de climat",
            "unités de ressource", 0, 100000, d.regeneration[r],
            [r](parametres_modele& p) -> int& { return p.regeneration[r]; });
  ajouter("poussee_climat", "plus grande poussée tirée sur le climat d'une case à chaque pas",
          "points de climat", 0, 9, d.poussee_climat,
          [](parametres_modele& p) -> int& { return p.poussee_climat; });
  ajouter("derive_climat", "plus grande dérive tirée du climat d'une case en un pas",
          "points de climat", 0, 9, d.derive_climat,
          [](parametres_modele& p) -> int& { return p.derive_climat; });
  for (int a = 1; a < 4; ++a)
    ajouter(std::string("capacite_") + NOMS_ALTITUDES[a],
            std::string("population maximale (popmax) d'une case ") + SENS_ALTITUDES[a],
            "habitants", 1, CAPACITE_MAXIMALE, d.capacite[a],
            [a](parametres_modele& p) -> int& { return p.capacite[a]; });
  for (int r = 0; r < 4; ++r)
    ajouter(std::string("besoin_") + NOMS_RESSOURCES[r],
            std::string("besoin ") + SENS_RESSOURCES[r] + " par habitant et par tour",
            "unités de ressource", 1, 100, d.besoin[r],
            [r](parametres_modele& p) -> int& { return p.besoin[r]; });
  ajouter("croissance", "ce que devient une unité qui n'a manqué de rien", "%", 100, 300,
          d.croissance, [](parametres_modele& p) -> int& { return p.croissance; });
  ajouter("seuil_milieu", "plus petite unité que le milieu fait grandir ou décroître", "habitants",
          0, 100000, d.seuil_milieu, [](parametres_modele& p) -> int& { return p.seuil_milieu; });
  ajouter("milieu_prefere", "ce que devient une unité sur le milieu préféré de sa tribu", "%", 0,
          300, d.milieu_prefere, [](parametres_modele& p) -> int& { return p.milieu_prefere; });
  ajouter("milieu_autre", "ce que devient une unité sur un autre milieu", "%", 0, 300,
          d.milieu_autre, [](parametres_modele& p) -> int& { return p.milieu_autre; });
  ajouter("part_deploiement", "part d'une unité surpeuplée qui part sur les cases voisines", "%",
          10, 100, d.part_deploiement,
          [](parametres_modele& p) -> int& { return p.part_deploiement; });
  ajouter("chance_epidemie", "chance qu'une épidémie apparaisse au tour d'une unité",
          "pour dix mille", 0, 10000, d.chance_epidemie,
          [](parametres_modele& p) -> int& { return p.chance_epidemie; });
  ajouter("chance_contagion", "chance qu'une épidémie atteigne chacune des huit cases voisines",
          "%", 0, 100, d.chance_contagion,
          [](parametres_modele& p) -> int& { return p.chance_contagion; });
  ajouter("seuil_hostilite_pacifique",
          "plus petite unité pacifique qui devient hostile quand elle manque de ressources",
          "habitants", 0, 100000, d.seuil_hostilite_pacifique,
          [](parametres_modele& p) -> int& { return p.seuil_hostilite_pacifique; });
  ajouter("seuil_hostilite_reciproque",
          "plus petite unité réciproque qui devient hostile quand elle manque de ressources",
          "habitants", 0, 100000, d.seuil_hostilite_reciproque,
          [](parametres_modele& p) -> int& { return p.seuil_hostilite_reciproque; });
  ajouter("pertes_guerre", "part des pertes tirées qu'une bataille inflige", "%", 0, 100,
          d.pertes_guerre, [](parametres_modele& p) -> int& { return p.pertes_guerre; });
  // At most 99 %: the winner always keeps someone, so that it is never left empty by its own
  // settlement and then taken for beaten.
  ajouter("part_conquete", "part du vainqueur qui s'installe sur la case conquise", "%", 0, 99,
          d.part_conquete, [](parametres_modele& p) -> int& { return p.part_conquete; });
  for (int k = 0; k < 9; ++k) {
    const std::string tribu = "tribu" + std::to_string(k) + "_";
    const std::string de = " de la tribu " + std::to_string(k);
    ajouter(tribu + "unites", "unités placées au départ" + de, "unités", 0, 100,
            d.tribus[k].unites, [k](parametres_modele& p) -> int& { return p.tribus[k].unites; });
    ajouter(tribu + "habitants", "habitants de chaque unité de départ" + de + " (-1 : tirés)",
            "habitants", 0, CAPACITE_MAXIMALE, d.tribus[k].habitants,
            [k](parametres_modele& p) -> int& { return p.tribus[k].habitants; });
    ajouter(tribu + "regime",
            "régime" + de + " : 0 herbivore, 1 omnivore, 2 carnivore (-1 : celui de l'ensemble)",
            "code", 0, 2, d.tribus[k].regime,
            [k](parametres_modele& p) -> int& { return p.tribus[k].regime; });
    ajouter(tribu + "comportement",
            "comportement" + de +
                " : 1 hostile, 2 pacifique, 3 réciproque (-1 : celui de l'ensemble)",
            "code", 1, 3, d.tribus[k].comportement,
            [k](parametres_modele& p) -> int& { return p.tribus[k].comportement; });
    ajouter(tribu + "milieu",
            "milieu préféré" + de + " : 1 bas, 2 moyen, 3 haut (-1 : celui de l'ensemble)",
            "code", 1, 3, d.tribus[k].milieu,
            [k](parametres_modele& p) -> int& { return p.tribus[k].milieu; });
  }
  return t;
}

const std::vector<parametre>& table() {
  static const std::vector<parametre> t = construire_table();
  return t;
}

const parametre* trouver(std::string_view nom) {
  for (const parametre& p : table())
    if (p.d.nom == nom) return &p;
  return nullptr;
}

bool admis(const description_parametre& d, int v) {
  return (v >= d.minimum && v <= d.maximum) || (d.defaut == -1 && v == -1);
}

std::string plage(const description_parametre& d) {
  std::string s = std::to_string(d.minimum) + ".." + std::to_string(d.maximum);
  if (d.defaut == -1) s += " ou -1";
  return s;
}

struct Etat {
  parametres_modele modele;
};

Etat etat;

}  // namespace

const parametres_modele& modele() { return etat.modele; }

void fixer_modele(const parametres_modele& p) { etat.modele = p; }

void reinitialiser_modele() { etat = {}; }

bool modele_par_defaut(const parametres_modele& p) { return parametres_changes(p).empty(); }

const std::vector<description_parametre>& parametres_connus() {
  static const std::vector<description_parametre> liste = [] {
    std::vector<description_parametre> l;
    for (const parametre& p : table()) l.push_back(p.d);
    return l;
  }();
  return liste;
}

bool valeur_parametre(const parametres_modele& p, std::string_view nom, int& valeur) {
  const parametre* t = trouver(nom);
  if (t == nullptr) return false;
  parametres_modele copie = p;
  valeur = t->champ(copie);
  return true;
}

bool regler_parametre(parametres_modele& p, std::string_view nom, std::string_view valeur,
                      std::string& erreur) {
  const parametre* t = trouver(nom);
  if (t == nullptr) {
    erreur = "paramètre inconnu : " + std::string(nom) + " (param sans argument les liste)";
    return false;
  }
  int v = 0;
  const char* fin = valeur.data() + valeur.size();
  const auto [ptr, ec] = std::from_chars(valeur.data(), fin, v);
  if (valeur.empty() || ec != std::errc() || ptr != fin || !admis(t->d, v)) {
    erreur = t->d.nom + " : valeur \"" + std::string(valeur) + "\" refusée, entier de " +
             plage(t->d) + " attendu";
    return false;
  }
  t->champ(p) = v;
  return true;
}

bool regler_affectation(parametres_modele& p, std::string_view affectation, std::string& erreur) {
  const std::size_t egal = affectation.find('=');
  if (egal == std::string_view::npos) {
    erreur = "\"" + std::string(affectation) + "\" : nom=valeur attendu";
    return false;
  }
  return regler_parametre(p, affectation.substr(0, egal), affectation.substr(egal + 1), erreur);
}

std::vector<std::string> parametres_changes(const parametres_modele& p) {
  std::vector<std::string> changes;
  parametres_modele q = p;
  for (const parametre& t : table()) {
    const int v = t.champ(q);
    if (v != t.d.defaut) changes.push_back(t.d.nom + "=" + std::to_string(v));
  }
  return changes;
}
