// Parameter files are read with an event parser: one level of members, each a whole number, so a
// hostile file is refused at its first wrong value without anything recursive touching it.
#include "observation/fichier_parametres.h"

#include <nlohmann/json.hpp>
#include <set>
#include <string>

#include "socle/fichiers.h"

namespace {

using json = nlohmann::json;

class lecteur : public nlohmann::json_sax<json> {
 public:
  explicit lecteur(parametres_modele& p) : p_(p) {}

  std::string erreur;

  bool null() override { return mauvais_type("null"); }
  bool boolean(bool) override { return mauvais_type("un booléen"); }
  bool number_integer(number_integer_t n) override { return nombre(std::to_string(n)); }
  bool number_unsigned(number_unsigned_t n) override { return nombre(std::to_string(n)); }
  bool number_float(number_float_t, const string_t& s) override { return mauvais_type(s); }
  bool string(string_t&) override { return mauvais_type("un texte"); }
  bool binary(binary_t&) override { return mauvais_type("des octets"); }
  bool start_object(std::size_t) override {
    if (profondeur_++ == 0) return true;
    return refuser(cle_ + " : un nombre entier est attendu, pas un objet");
  }
  bool end_object() override {
    --profondeur_;
    return true;
  }
  bool start_array(std::size_t) override {
    if (profondeur_ == 0) return refuser("un objet {\"nom\": valeur, ...} est attendu");
    return refuser(cle_ + " : un nombre entier est attendu, pas une liste");
  }
  bool end_array() override { return true; }
  bool key(string_t& cle) override {
    cle_ = cle;
    if (!vues_.insert(cle).second) return refuser(cle + " : paramètre donné deux fois");
    return true;
  }
  bool parse_error(std::size_t position, const std::string&,
                   const nlohmann::detail::exception&) override {
    if (erreur.empty()) erreur = "JSON mal formé vers l'octet " + std::to_string(position);
    return false;
  }

 private:
  bool refuser(std::string raison) {
    if (erreur.empty()) erreur = std::move(raison);
    return false;
  }
  bool mauvais_type(const std::string& quoi) {
    if (profondeur_ == 0) return refuser("un objet {\"nom\": valeur, ...} est attendu");
    return refuser(cle_ + " : un nombre entier est attendu, pas " + quoi);
  }
  bool nombre(const std::string& texte) {
    if (profondeur_ == 0) return refuser("un objet {\"nom\": valeur, ...} est attendu");
    std::string raison;
    if (!regler_parametre(p_, cle_, texte, raison)) return refuser(raison);
    return true;
  }

  parametres_modele& p_;
  int profondeur_ = 0;
  std::string cle_;
  std::set<std::string> vues_;
};

}  // namespace

bool lire_texte_parametres(const std::string& texte, parametres_modele& p, std::string& erreur) {
  parametres_modele lu = p;
  lecteur l(lu);
  const bool ok = json::sax_parse(texte, &l, json::input_format_t::json, true, true);
  if (!ok || !l.erreur.empty()) {
    erreur = l.erreur.empty() ? "JSON mal formé" : l.erreur;
    return false;
  }
  p = lu;
  return true;
}

bool lire_fichier_parametres(const std::string& chemin, parametres_modele& p, std::string& erreur) {
  std::string texte;
  if (!lire_fichier_entier(chemin, texte, erreur, TAILLE_MAX_PARAMETRES)) return false;
  if (!lire_texte_parametres(texte, p, erreur)) {
    erreur = chemin + " : " + erreur;
    return false;
  }
  return true;
}
