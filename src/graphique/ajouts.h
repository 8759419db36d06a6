// What the window offers beyond its original design, all on keys and events that meant nothing
// before: a heads-up line with a legend of the tribes (h), the pace of the day (+, -, space), the
// size of the unit markers (t) and the mouse wheel's zoom toward the pointer. One switch turns
// them all off (the environment variable PANGAEOLITH_SOBRE=1 at start-up): the window is then
// exactly the design's.
#pragma once

#include <string>
#include <vector>

// The switch: 1 (the default) while the additions are on.
int ajouts_actifs();
void fixer_ajouts_actifs(int actifs);

// The heads-up line: shown at start, h hides it and shows it again.
int bandeau_affiche();
void basculer_bandeau();
// Its text: the step, the hour with day or night and the pace, then one line per living tribe
// (code, name, inhabitants) in list order; the caller draws each tribe's swatch in front. Given a
// number of columns (0: no limit), the pace goes to a second line when the first would be wider
// and the names are cut with an ellipsis so that each line fits.
std::vector<std::string> lignes_bandeau(int colonnes = 0);
// Where it is drawn, in window pixels counted up from the bottom, with its lines: bottom left
// above the reduced console's bar; in selection mode, bottom right when the cell panel is on the
// left, and narrowed to the room beside the panel when the panel reaches down to it.
struct cadre_bandeau {
  int gauche = 0, bas = 0, largeur = 0, hauteur = 0;
  std::vector<std::string> lignes;
};
cadre_bandeau disposer_bandeau();
// Draws it (over the scene, under the console).
void dessiner_bandeau();

// The pace of the day: + halves the timer period (the day goes twice as fast), - doubles it,
// within the 0 to 3 600 000 ms of the hour command; space pauses or resumes the day.
void accelerer_journee();
void ralentir_journee();
void basculer_pause();
// Steps per minute of real time at the current period and hour step; 0 when paused.
double pas_par_minute();

// Unit markers: t cycles their size through x1, x2, x4 (the scene is rebuilt).
void basculer_taille_unites();

// The mouse wheel: a step toward (sens > 0) or away from (sens < 0) the point drawn under the
// pointer, which stays under it; refused when it would come nearer than half a unit to that point
// or take the eye more than 20 units from the map's centre, or below the ground's lowest level.
void molette(int sens, int x, int y);

// Back to the start state: additions on, heads-up line shown.
void reinitialiser_ajouts();
