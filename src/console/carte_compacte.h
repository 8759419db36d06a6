// The compact map: one character per cell, so that a 100 by 100 world fits in 104 columns.
#pragma once

// Draws the compact map on standard output: the tribe code of the unit on each cell, or the
// ground letter in lower case (o, p, c, m) where there is none, in a frame marked every ten
// cells; coloured like the big map in ANSI mode. 1, 0 on a display failure.
int afficher_carte_compacte();
