// The world grid: X columns by Y rows (each 1..100), one terrain and at most one unit per cell,
// which the cell knows by its identifier (the units themselves are kept by the population layer,
// which answers the questions about a cell's unit). Every query checks its coordinates first; a
// request outside the map goes to the error log and is answered with a neutral value, so callers
// may probe neighbours freely.
#pragma once

#include <array>
#include <memory>

#include "monde/terrain.h"
#include "monde/unite.h"

inline constexpr int TAILLE_MAX_CARTE = 100;

// The eight neighbours of a cell in the order every rule visits them: the first offset runs
// -1, 0, 1 in the outer loop, the second -1, 0, 1 in the inner one, the cell itself skipped.
inline constexpr std::array<coord, 8> VOISINS = {
    {{-1, -1}, {-1, 0}, {-1, 1}, {0, -1}, {0, 1}, {1, -1}, {1, 0}, {1, 1}}};

// Writes X and Y, with a trace line.
void donner_dimensions(int& x, int& y);
// Stores X and Y when both lie in 1..100, else keeps the old ones; traces the result.
void fixer_dimensions(int x, int y);
// Dimensions without a trace line, for the world's own walks over every cell.
int combien_colonnes();
int combien_lignes();
// 1 when (x, y) lies inside the map.
int dans_carte(int x, int y);

// Puts the unit's identifier on the cell at its coordinates (replacing what was there), or
// clears that cell.
void ajouter_unite_carte(const unite* u);
void retirer_unite_carte(const unite* u);
// A restored world: puts the unit on the cell at its coordinates, without a trace line.
void installer_unite_carte(const unite* u);
// The identifier of the unit on the cell, 0 for none, -1 outside the map (no trace).
int donner_occupant(int x, int y);

int quelle_altitude(int x, int y);
int quelle_climat(int x, int y);
int combien_popmax(int x, int y);
int combien_ressouce(int x, int y, int ressource);
// Takes `quantite` of a resource from the cell through modifier_ressources.
void consommer_ressource(int x, int y, int ressource, int quantite);

// The cell's terrain, or none outside the map or before generation (no trace).
terrain* donner_terrain(int x, int y);
// World generation: copies the terrain into the cell and leaves the cell without a unit.
void installer_terrain(int x, int y, std::unique_ptr<terrain> t);

// Back to the initial dimensions, every cell without terrain or unit.
void reinitialiser_carte();
