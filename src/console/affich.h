// The character map of the world on standard output, plain or in ANSI colours.
#pragma once

// Prepares the console for the text display; 1.
int init_affich_text();
// Draws the whole map; 1, 0 on a display failure.
int afficher_carte();
// Foreground then background code of the colour numbers (0 black .. 7 yellow, other: reset).
void changer_couleur(int avant_plan, int arriere_plan);
// The colours of the cell's ground.
void couleur_case(int x, int y);
// Reset, or the bold attribute in bold mode.
void fin_couleur();
