// Storage of the settings records.
#include "socle/parametres.h"

#include "socle/defauts.h"

namespace {

struct Etat {
  etat_programme programme{};
  mode_affichage affichage{};
  vue_gl vue{};
  int tribus_aleatoires = 0;
  std::int32_t delai_minuterie = DELAI_MINUTERIE_INITIAL;
  float pas_heure = PAS_HEURE_INITIAL;
};

Etat etat;

}  // namespace

etat_programme lire_etat_programme() { return etat.programme; }
void fixer_etat_programme(const etat_programme& e) { etat.programme = e; }

mode_affichage lire_mode_affichage() { return etat.affichage; }
void fixer_mode_affichage(const mode_affichage& m) { etat.affichage = m; }

vue_gl lire_vue_gl() { return etat.vue; }
void ecrire_vue_gl(const vue_gl& v) { etat.vue = v; }

const char* texte_on_off(int drapeau) { return drapeau != 0 ? "on" : "off"; }

void fixer_tribus_aleatoires(int valeur) { etat.tribus_aleatoires = valeur; }
int lire_tribus_aleatoires() { return etat.tribus_aleatoires; }

void fixer_delai_minuterie(std::int32_t ms) { etat.delai_minuterie = ms; }
std::int32_t lire_delai_minuterie() { return etat.delai_minuterie; }
void fixer_pas_heure(float heures) { etat.pas_heure = heures; }
float lire_pas_heure() { return etat.pas_heure; }

void reinitialiser_parametres() { etat = {}; }
