// The nine civilisations (tribes): the ordered list `liste_civ` that owns them, the cursor that
// hands them out one turn after the other, and the look-ups by code. Each tribe holds its units'
// identifiers; making and unmaking a unit, which changes both its tribe's list and the unit store
// below, is done here.
#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <list>
#include <memory>
#include <string_view>
#include <vector>

#include "monde/unite.h"

// Tribes created at start-up, codes 0..8.
inline constexpr int NB_TRIBUS = 9;

// Diets (`regime`).
enum : int { HERBIVORE = 0, OMNIVORE = 1, CARNIVORE = 2 };
// Behaviours (`comportement`) of tribes and units.
enum : int { HOSTILE = 1, PACIFIQUE = 2, RECIPROQUE = 3 };

// The identifiers of a tribe's living units. Seen from outside (walks, front, push_back) the list
// runs newest first, new units going to its head. Inside it is kept oldest first, so a new unit
// is appended, and each identifier's place is recorded, so a removal neither searches nor
// shifts: the unit leaves a hole (0, which is never an identifier) that the walks step over, and
// the holes are squeezed out, in order, once they outnumber the units.
class liste_unites {
 public:
  // Walks the identifiers newest first.
  class const_iterator {
   public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = int;
    using difference_type = std::ptrdiff_t;
    using pointer = const int*;
    using reference = const int&;

    const_iterator() = default;
    reference operator*() const { return *(suivant_ - 1); }
    const_iterator& operator++() {
      --suivant_;
      sauter_trous();
      return *this;
    }
    const_iterator operator++(int) {
      const_iterator avant = *this;
      ++*this;
      return avant;
    }
    bool operator==(const const_iterator& autre) const { return suivant_ == autre.suivant_; }

   private:
    friend class liste_unites;
    const_iterator(const int* suivant, const int* debut) : suivant_(suivant), debut_(debut) {
      sauter_trous();
    }
    void sauter_trous() {
      while (suivant_ != debut_ && *(suivant_ - 1) == 0) --suivant_;
    }
    const int* suivant_ = nullptr;  // one past the current identifier in the inner order
    const int* debut_ = nullptr;
  };
  using iterator = const_iterator;

  const_iterator begin() const { return {ids_.data() + ids_.size(), ids_.data()}; }
  const_iterator end() const { return {ids_.data(), ids_.data()}; }
  bool empty() const { return vivants_ == 0; }
  std::size_t size() const { return vivants_; }
  // The newest identifier; the list must not be empty.
  int front() const { return ids_.back(); }
  // Puts the identifier at the head (a new unit).
  void push_front(int id);
  // Puts the identifier at the oldest end (a list rebuilt in its order, newest first).
  void push_back(int id);
  // Takes the newest occurrence of the identifier out: 0 when it is not there, 1 when it was the
  // head, 2 when it was further down.
  int retirer(int id);
  void clear();

 private:
  // The place of the newest occurrence of id in ids_, -1 for none.
  int trouver(int id);
  void noter_place(int id, std::size_t i);
  void tasser();

  std::vector<int> ids_;      // oldest first, 0 for a hole; never ends with a hole
  std::vector<int> places_;   // places_[id]: index in ids_ (checked before use)
  std::size_t vivants_ = 0;   // identifiers in ids_
  std::size_t trous_ = 0;     // holes in ids_
  bool places_sures_ = true;  // false once push_back has shifted every index
};

struct civilisation {
  char nom[32];                 // at most 31 characters
  std::int32_t code;            // 0..8, unique
  std::int32_t regime;          // 0 herbivore, 1 omnivore, 2 carnivore
  std::int32_t comportement;    // 1 hostile, 2 pacifique, 3 reciproque
  std::int32_t milieu_prefere;  // 1 plaine, 2 colline, 3 montagne
  liste_unites liste_unite;
};

// Living units of the tribe: the length of its list.
inline int nb_unites(const civilisation& c) { return static_cast<int>(c.liste_unite.size()); }

// Every civilisation, in creation (code) order.
std::list<civilisation>& liste_civ();

// Creates the empty list, the free-identifier stack and the nine tribes (fixed or drawn).
void creer_tab_civ();
// Appends a tribe: 1 when created, 0 for a code already used or values out of range.
int ajouter_civ(int code, const char* nom, int regime, int comportement, int milieu_prefere);
// The twenty one-letter names of random mode, all unused.
void creer_tab_noms();
// Draws an unused name of the table and marks it used.
const char* choisir_nom();
// Next tribe of the pass, printing its line; none at the end of a pass (the cursor restarts).
civilisation* civ_suivante();
// Unlinks and releases a tribe (removing first any unit it still has).
void supprimer_civ(civilisation* c);
// A restored world: the tribes built aside, their units' identifiers in their lists, replace
// every tribe (the unit store starts afresh with them, for installer_unites) and the cursor is
// put at position `rang`. Nothing here allocates, so a world read aside goes in whole.
void remplacer_liste_civ(std::list<civilisation> civs, std::size_t rang);
// Whether the program ever gives the name `nom` to the tribe of code `code`: its name in the
// fixed table, or one of the one-letter names of random mode.
bool nom_de_tribu_possible(int code, std::string_view nom);
// The cursor as a position in liste_civ (the list's size at the end of a pass), and its
// restoration (a position past the end means the end of a pass).
std::size_t rang_civ_courante();
void fixer_rang_civ_courante(std::size_t rang);

int donner_regime(int code);
int donner_comportement(int code);
int donner_milieu_prefere(int code);
civilisation* donner_civ(int code);
// The tribe's name, "" when no tribe has that code.
const char* nom_tribu(int code);

// A bare record, linked nowhere, with a new identifier and the tribe's behaviour; none when
// nb_hab <= 0 (no identifier consumed).
std::unique_ptr<unite> creer_unite(int code, int x, int y, int nb_hab);
// Creates the unit, puts it in the store, at the head of its tribe's list and on its cell.
void ajouter_unite(int code, int x, int y, int nb_hab);
// Takes the unit out of its tribe's list, releases its identifier and frees its cell. The record
// stays readable until liberer_unites_supprimees().
void supprimer_unite(unite* u);

// Tests: no civilisation, cursor at the end, names unused; no unit.
void reinitialiser_civ();
