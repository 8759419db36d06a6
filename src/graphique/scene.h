// The scene of the world: the map as a lit relief of coloured tiles with resource and unit
// markers, war lines and a surrounding plate, compiled into one display list at detail level
// 1, 2 or 3, with its triangle count in vue_gl.nb_triangles.
#pragma once

// Rebuilds the display list and vue_gl.nb_triangles from the map, units, conflicts and the
// drawing switches of vue_gl, through dessin_courant().
void construire_scene();

// World size of one tile and the map dimensions, as read by the last build.
float taille_case();
int colonnes_scene();
int lignes_scene();

// Where a ray from o along d (world coordinates) first meets what the last build drew: the
// relief's tiles and the marker spheres, front faces only as the window culls the back ones.
// The result is the distance along d (negative when the ray meets nothing), with the map cell of
// the tile met, or of the marker's tile, in x and y; -1, -1 for the border ring (or nothing).
double rencontre_relief(const double o[3], const double d[3], int& x, int& y);

// The box that holds what the last build drew for map cell (x, y): its tile with its relief and
// its marker spheres, in world coordinates (lowest corner in bas, highest in haut); 0 when the
// cell is outside the map that was built.
int boite_case(int x, int y, double bas[3], double haut[3]);

// The size of the unit spheres at the next build: 1, 2 or 4 times the radius c/8 (any other
// value counts as 1). The spheres keep their cut, so the triangle count does not change.
void fixer_echelle_unites(int echelle);
int echelle_unites();

// Back to the start state: nothing built, unit spheres at their own size.
void reinitialiser_scene();
