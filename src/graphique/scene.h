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

// Back to the start state: nothing built.
void reinitialiser_scene();
