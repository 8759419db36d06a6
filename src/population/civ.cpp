// The civilisations: the ordered list that owns them, the pass cursor and the look-ups by code;
// and the life of a unit in its tribe, which keeps the tribe's list, the unit store and the map
// in step.
#include "population/civ.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <iterator>
#include <utility>

#include "monde/carte.h"
#include "population/unites.h"
#include "socle/alea.h"
#include "socle/journal.h"
#include "socle/modele.h"
#include "socle/parametres.h"
#include "socle/sortie.h"

namespace {

struct nom_libre {
  char nom[32];
  bool utilise;
};

// Fixed tribes: every combination of diet and behaviour, code = 3 * (2 - regime) + comportement
// - 1.
struct modele_tribu {
  const char* nom;
  int regime;
  int comportement;
};
constexpr std::array<modele_tribu, NB_TRIBUS> TRIBUS_FIXES = {{
    {"CROC_SANGLANT_DES_PLAINES", 2, 1},
    {"CHASSEUR_QUI_FUIT_LA_BAGARRE", 2, 2},
    {"MCHERCH_PA_OU_TU_VAMTROUVE", 2, 3},
    {"BOUCHE_A_MIEL_CRUEL", 1, 1},
    {"GOBTOU_NEUNEU", 1, 2},
    {"BOUFFE_TOUT_SE_LAISSE_PAS_FAIRE", 1, 3},
    {"MECHANT_RUMINANT", 0, 1},
    {"GENTIL_MANGE_SALADE", 0, 2},
    {"TOUCHE_PAS_MES_EPINARDS", 0, 3},
}};

constexpr std::array<const char*, 20> NOMS_ALEATOIRES = {"a", "b", "c", "e", "f", "g", "h",
                                                         "i", "j", "k", "l", "m", "n", "o",
                                                         "p", "q", "r", "s", "t", "u"};

struct Etat {
  std::list<civilisation> civs;
  std::list<civilisation>::iterator courante = civs.end();  // end(): the pass is over
  std::array<nom_libre, NOMS_ALEATOIRES.size()> tab_noms{};
  // The tribes of codes 0..8 by code, for the rules' look-ups of a unit's tribe; other codes
  // are looked for in the list.
  std::array<civilisation*, NB_TRIBUS> par_code{};
};

Etat etat;

// Every unit belongs to a tribe, so without tribes the unit store starts afresh.
void vider_liste_civ() {
  etat.civs.clear();
  etat.par_code = {};
  etat.courante = etat.civs.end();
  reinitialiser_unites();
}

civilisation* trouver(int code) {
  if (code >= 0 && code < NB_TRIBUS) return etat.par_code[static_cast<std::size_t>(code)];
  for (civilisation& c : etat.civs)
    if (c.code == code) return &c;
  return nullptr;
}

// The tribe of code `code` as the tribe set makes it, with what the model fixes of it in place.
void ajouter_tribu(int code, const char* nom, int regime, int comportement, int milieu) {
  const parametres_tribu& p = modele().tribus[static_cast<std::size_t>(code)];
  ajouter_civ(code, nom, p.regime == -1 ? regime : p.regime,
              p.comportement == -1 ? comportement : p.comportement,
              p.milieu == -1 ? milieu : p.milieu);
}

void creer_tribus_aleatoires() {
  creer_tab_noms();
  for (int code = 0; code < NB_TRIBUS; ++code) {
    const char* nom = choisir_nom();
    const int milieu = tirer_alea() % 3 + 1;
    const int comportement = tirer_alea() % 3 + 1;
    const int regime = tirer_alea() % 3;
    ajouter_tribu(code, nom, regime, comportement, milieu);
  }
  // One pass of the cursor prints the nine drawn tribes (unless -q silenced the step's lines,
  // which these lines are printed like) and leaves it on the first again.
  etat.courante = etat.civs.begin();
  while (civ_suivante() != nullptr) {
  }
}

void ecrire_suppression(const unite* u) {
  ecrire_debug("supprimer_unite: L'unite d'id %d de la tribu %d vient d'etre supprimee en(%d,%d)\n",
               u->id, u->code, u->x, u->y);
}

}  // namespace

void liste_unites::noter_place(int id, std::size_t i) {
  if (id <= 0) return;
  const auto k = static_cast<std::size_t>(id);
  if (k >= places_.size()) places_.resize(k + 1, -1);
  places_[k] = static_cast<int>(i);
}

void liste_unites::push_front(int id) {
  ids_.push_back(id);
  ++vivants_;
  if (places_sures_) noter_place(id, ids_.size() - 1);
}

// Rare (restoring a world): every place moves, so they are recorded again at the next removal.
void liste_unites::push_back(int id) {
  ids_.insert(ids_.begin(), id);
  ++vivants_;
  places_sures_ = false;
}

int liste_unites::trouver(int id) {
  if (!places_sures_) {
    // Oldest first, so that the newest occurrence of an identifier wins.
    for (std::size_t i = 0; i < ids_.size(); ++i) noter_place(ids_[i], i);
    places_sures_ = true;
  }
  const auto k = static_cast<std::size_t>(id);
  if (id > 0 && k < places_.size()) {
    const int i = places_[k];
    if (i >= 0 && static_cast<std::size_t>(i) < ids_.size() &&
        ids_[static_cast<std::size_t>(i)] == id)
      return i;
  }
  // A place not recorded (an identifier listed twice, or not above 0): the walk finds it.
  if (id == 0) return -1;
  for (std::size_t i = ids_.size(); i-- > 0;)
    if (ids_[i] == id) return static_cast<int>(i);
  return -1;
}

int liste_unites::retirer(int id) {
  const int place = trouver(id);
  if (place < 0) return 0;
  const auto i = static_cast<std::size_t>(place);
  const bool en_tete = i + 1 == ids_.size();
  ids_[i] = 0;
  --vivants_;
  ++trous_;
  // The head is always an identifier.
  while (!ids_.empty() && ids_.back() == 0) {
    ids_.pop_back();
    --trous_;
  }
  if (trous_ > 16 && trous_ > vivants_) tasser();
  return en_tete ? 1 : 2;
}

// Squeezes the holes out, keeping the order, and records the new places.
void liste_unites::tasser() {
  std::size_t j = 0;
  for (const int id : ids_) {
    if (id == 0) continue;
    ids_[j] = id;
    noter_place(id, j);
    ++j;
  }
  ids_.resize(j);
  trous_ = 0;
}

void liste_unites::clear() {
  ids_.clear();
  places_.clear();
  vivants_ = 0;
  trous_ = 0;
  places_sures_ = true;
}

std::list<civilisation>& liste_civ() { return etat.civs; }

void creer_tab_civ() {
  vider_liste_civ();
  creer_liste_id_libres();
  if (lire_tribus_aleatoires() == 1) {
    creer_tribus_aleatoires();
    return;
  }
  for (int code = 0; code < NB_TRIBUS; ++code) {
    const modele_tribu& m = TRIBUS_FIXES[code];
    ajouter_tribu(code, m.nom, m.regime, m.comportement, 1);
  }
  etat.courante = etat.civs.begin();
}

int ajouter_civ(int code, const char* nom, int regime, int comportement, int milieu_prefere) {
  if (trouver(code) != nullptr || regime < 0 || regime > 2 || comportement < 1 ||
      comportement > 3 || milieu_prefere < 1 || milieu_prefere > 3)
    return 0;
  civilisation& c = etat.civs.emplace_back();
  std::strncpy(c.nom, nom != nullptr ? nom : "", sizeof c.nom - 1);
  c.nom[sizeof c.nom - 1] = '\0';
  c.code = code;
  c.regime = regime;
  c.comportement = comportement;
  c.milieu_prefere = milieu_prefere;
  if (code >= 0 && code < NB_TRIBUS) etat.par_code[static_cast<std::size_t>(code)] = &c;
  return 1;
}

void creer_tab_noms() {
  for (std::size_t i = 0; i < NOMS_ALEATOIRES.size(); ++i) {
    std::strncpy(etat.tab_noms[i].nom, NOMS_ALEATOIRES[i], sizeof etat.tab_noms[i].nom - 1);
    etat.tab_noms[i].utilise = false;
  }
  ecrire_debug("civ-creer_tab_noms : Cree !\n");
}

// Draws until an unused slot comes up; with every slot used there is nothing to give.
const char* choisir_nom() {
  bool libre = false;
  for (const nom_libre& n : etat.tab_noms) libre = libre || !n.utilise;
  if (!libre) return "";
  int r = tirer_alea() % static_cast<int>(etat.tab_noms.size());
  while (etat.tab_noms[r].utilise) r = tirer_alea() % static_cast<int>(etat.tab_noms.size());
  etat.tab_noms[r].utilise = true;
  return etat.tab_noms[r].nom;
}

civilisation* civ_suivante() {
  if (etat.courante == etat.civs.end()) {
    etat.courante = etat.civs.begin();
    return nullptr;
  }
  civilisation& c = *etat.courante;
  // One of the step's lines, which the user can silence; at start-up, the presentation of the
  // drawn tribes, which -q silences as well.
  ecrire_trace("\nciv %d nom:%s r.a:%d comp:%d m.p:%d\n", c.code, c.nom, c.regime, c.comportement,
               c.milieu_prefere);
  ++etat.courante;
  return &c;
}

void supprimer_civ(civilisation* c) {
  if (etat.civs.empty()) {
    ecrire_debug("civ-supprimer_civ : plus de civilisation\n");
    return;
  }
  for (auto it = etat.civs.begin(); it != etat.civs.end(); ++it) {
    if (&*it != c) continue;
    // A tribe is normally deleted once it has no unit left; any unit still there is removed
    // properly first, so that no cell nor the store keeps a unit of no tribe. An identifier that
    // leads to no unit of the tribe is simply dropped.
    while (!it->liste_unite.empty()) {
      const int id = it->liste_unite.front();
      unite* u = donner_unite(id);
      if (u != nullptr && u->code == it->code)
        supprimer_unite(u);
      else
        it->liste_unite.retirer(id);
    }
    // A cursor resting on the deleted tribe moves on to the next one.
    if (etat.courante == it) ++etat.courante;
    ecrire_debug("civ-supprimer_civ : la civilisation %d a ete supprimee\n", it->code);
    if (it->code >= 0 && it->code < NB_TRIBUS)
      etat.par_code[static_cast<std::size_t>(it->code)] = nullptr;
    etat.civs.erase(it);
    return;
  }
  ecrire_debug("civ-supprimer_civ : civilisation inexistante\n");
}

void remplacer_liste_civ(std::list<civilisation> civs, std::size_t rang) {
  vider_liste_civ();
  etat.civs = std::move(civs);
  for (civilisation& c : etat.civs)
    if (c.code >= 0 && c.code < NB_TRIBUS) etat.par_code[static_cast<std::size_t>(c.code)] = &c;
  fixer_rang_civ_courante(rang);
}

bool nom_de_tribu_possible(int code, std::string_view nom) {
  if (code >= 0 && code < NB_TRIBUS && nom == TRIBUS_FIXES[static_cast<std::size_t>(code)].nom)
    return true;
  return std::find(NOMS_ALEATOIRES.begin(), NOMS_ALEATOIRES.end(), nom) != NOMS_ALEATOIRES.end();
}

std::size_t rang_civ_courante() {
  return static_cast<std::size_t>(std::distance(etat.civs.begin(), etat.courante));
}

void fixer_rang_civ_courante(std::size_t rang) {
  etat.courante = etat.civs.begin();
  for (std::size_t i = 0; i < rang && etat.courante != etat.civs.end(); ++i) ++etat.courante;
}

int donner_regime(int code) {
  const civilisation* c = trouver(code);
  return c != nullptr ? c->regime : -1;
}

int donner_comportement(int code) {
  const civilisation* c = trouver(code);
  return c != nullptr ? c->comportement : -1;
}

int donner_milieu_prefere(int code) {
  const civilisation* c = trouver(code);
  return c != nullptr ? c->milieu_prefere : -1;
}

civilisation* donner_civ(int code) { return trouver(code); }

const char* nom_tribu(int code) {
  const civilisation* c = trouver(code);
  return c != nullptr ? c->nom : "";
}

std::unique_ptr<unite> creer_unite(int code, int x, int y, int nb_hab) {
  if (nb_hab <= 0) {
    ecrire_debug("creer_unite: nb_habitants<=0 unite non creee on renvoie NULL\n");
    return nullptr;
  }
  auto u = std::make_unique<unite>();
  u->id = generer_id_unite();
  u->code = code;
  u->x = x;
  u->y = y;
  u->nb_hab = nb_hab;
  u->en_guerre = 0;
  u->victoire = 0;
  u->comportement = donner_comportement(code);
  u->nb_tours = 0;
  u->connaissance = 0;
  const civilisation* c = donner_civ(code);
  ecrire_debug("creer_unite: L'unite d'id %d de la tribu %s vient d'etre creee en(%d,%d)\n", u->id,
               c != nullptr ? c->nom : "(null)", x, y);
  return u;
}

void ajouter_unite(int code, int x, int y, int nb_hab) {
  civilisation* c = donner_civ(code);
  // A unit needs a tribe to belong to and a cell inside the map.
  if (c == nullptr || !dans_carte(x, y)) {
    ecrire_debug("ajouter_unite:echec de creer_unite\n");
    return;
  }
  unite* u = enregistrer_unite(creer_unite(code, x, y, nb_hab));
  if (u == nullptr) {
    ecrire_debug("ajouter_unite:echec de creer_unite\n");
    return;
  }
  c->liste_unite.push_front(u->id);
  ajouter_unite_carte(u);
}

// The head of the list and a unit further down write their lines in two different orders.
void supprimer_unite(unite* u) {
  if (u == nullptr) {
    ecrire_debug("supprimer_unite:unite vide");
    return;
  }
  civilisation* c = donner_civ(u->code);
  if (c == nullptr) return;
  if (c->liste_unite.empty()) {
    ecrire_sortie("supprimer_unite:liste_unite vide");
    return;
  }
  // Only the living unit of that identifier goes: a record already removed, or never added,
  // changes nothing.
  if (donner_unite(u->id) != u) return;
  const int retrait = c->liste_unite.retirer(u->id);
  if (retrait == 0) return;
  const bool en_tete = retrait == 1;
  if (!en_tete) ecrire_suppression(u);
  retirer_unite(u);
  retirer_unite_carte(u);
  if (en_tete) ecrire_suppression(u);
}

void reinitialiser_civ() {
  vider_liste_civ();
  etat.tab_noms = {};
}
