// World generation: a flat plateau, shaped by rectangular relief patches that keep touching
// cells within one altitude level, then stocked with resources.
#pragma once

// init_carte(-1), generer_relief, corne_d_abondance.
void creer_carte();
// Plateau of one altitude (drawn when below 3) and one drawn climate.
void init_carte(int altitude_base);
// max(X, Y) patches at drawn centres.
void generer_relief();
// One patch centred on (x, y).
void ajouter_relief(int x, int y);
// Initial resources of every cell.
void corne_d_abondance();
