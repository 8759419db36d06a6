// The war phase: hostile units attack neighbouring units of other tribes; the wars of the last
// phase are kept for the display.
#pragma once

#include <cstdint>
#include <vector>

#include "monde/unite.h"

struct conflit {
  std::int32_t numero;  // 1 for the first war of the phase
  std::int32_t x1, y1;  // cell of the aggressor
  std::int32_t x2, y2;  // cell of the other unit
};

void jouer_guerre();
void evolution_demo_par_guerre(unite* a, unite* b);
// 1, or 0 for no winner.
int a_gagne(unite* gagnant, unite* perdant, int marque, coord c);
void init_conflits();
// A restored world: the conflict list of the last phase, conflict n at index n - 1.
void fixer_conflits(std::vector<conflit> conflits);
void ajouter_conflit(const unite* a, const unite* b);
// n = 0: the count; n >= 1: the count with the conflict's cells written, or 0 when none.
int donner_conflit(int n, int& x1, int& y1, int& x2, int& y2);
// 1 when a has not yet fought b in this phase; 0 when it has or a unit is missing.
int pas_encore_combattu(const unite* a, const unite* b);
void ajouter_adversaire(unite* b, const unite* a);
void effacer_adversaires();
