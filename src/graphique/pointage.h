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
