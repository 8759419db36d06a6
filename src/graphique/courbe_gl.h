// The chart of the tribes' inhabitants as a translucent overlay of the window, shown and hidden
// with the key P: the same chart as the "courbe" command's SVG file, drawn with the overlays'
// 2-D set-up.
#pragma once

// Key P: shows the chart, or hides it.
void basculer_courbe();
// Whether the chart is shown.
int courbe_affichee();
// Draws the chart over the scene through dessin_courant(), below the console's bars when the
// console is open.
void dessiner_courbe();
// Start state: the chart hidden.
void reinitialiser_courbe_gl();
