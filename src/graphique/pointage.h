// The pointer over the scene: the ray that a window pixel stands for, through the window's
// current perspective and camera, and the map cell whose tile is drawn under that pixel.
#pragma once

// The ray of window pixel (px, py), y counted from the top, through the camera of vue_gl and the
// projection of the window of the given size (45 degrees high, as the window sets it): origin at
// the eye, direction through the pixel's centre (not unit length).
void rayon_du_pixel(int px, int py, int largeur, int hauteur, double origine[3],
                    double direction[3]);

// The map cell whose tile (or marker) is drawn under window pixel (px, py) in the window of the
// size kept for the overlays: 1 with the cell in x, y; 0 when the pixel shows no cell (sky,
// plate, border ring), with x and y at -1.
int case_sous_pointeur(int px, int py, int& x, int& y);

// The world point drawn under the pixel: 1 with it in point, 0 when the pixel shows nothing of
// the scene's relief or markers (border ring and plate are part of the relief).
int point_sous_pointeur(int px, int py, double point[3]);

// Where world point p is drawn in a window of the given size, y counted from the top (the inverse
// of rayon_du_pixel): 1 with the pixel in px, py; 0 when p lies behind the perspective's near
// plane.
int projeter_point(const double p[3], int largeur, int hauteur, double& px, double& py);

// The rectangle of the window (size kept for the overlays, y from the top) that holds all the
// last build drew for cell (x, y): its tile's box projected through the current camera. 1 with
// the rectangle, unbounded when part of the box lies behind the eye; 0 for a cell off the map.
int empreinte_case(int x, int y, double& gauche, double& haut, double& droite, double& bas);
