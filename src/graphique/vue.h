// The view of the graphics display: the start values of vue_gl's view fields, the two camera
// presets, the simulated time of day with its sky and sun, and the animation timer that runs a
// simulation step at the end of each simulated day.
#pragma once

// View fields of vue_gl to their start values (no line waiting, no selection, every marker
// drawn, detail level 3, full console), then the window console to its start state.
void init_vue();

// Camera preset 1 (top view) or any other n (oblique view) over the last scene built.
void vue_predefinie(int n);

// The animation timer's tick: advances the hour, runs a simulation step at the end of the day,
// redraws and re-arms itself (a negative period counts as 0).
void minuterie(int valeur);

// The timer glue: every arming of the timer takes a new generation number, which the tick
// carries back; a tick goes on to minuterie only when it carries the newest generation. Ticks
// of an older arming are stale whatever order they arrive in, so stopping and restarting the
// animation before a tick has arrived never leaves two chains running, and never drops the
// fresh one.
int noter_armement_minuterie();
void tic_minuterie(int generation);

// Whether the timer chain runs (key E).
int animation_active();
void fixer_animation(int active);

// Sky colour of an hour of the simulated day (red, green, blue, alpha), and whether the sun
// lights the scene at that hour.
struct couleur_ciel_t {
  float r, g, b, a;
};
couleur_ciel_t couleur_ciel(float heure);
bool soleil_allume(float heure);

// A window reshaped to `largeur` x `hauteur` (a height of 0 counts as 1): the size goes into
// vue_gl and to the overlays; the result is the aspect ratio of the projection.
double redimensionner_vue(int largeur, int hauteur);

// Back to the start state: animation stopped, no tick pending.
void reinitialiser_vue();
