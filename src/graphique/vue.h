// The view of the graphics display: the start values of vue_gl's view fields, the two camera
// presets, the simulated time of day with its sky and sun, and the animation timer that runs a
// simulation step at the end of each simulated day.
#pragma once

// View fields of vue_gl to their start values (no line waiting, no selection, every marker
// drawn, detail level 3, full console), then the window console to its start state.
void init_vue();

// Camera preset 1 (top view) or any other n (oblique view) over the last scene built.
void vue_predefinie(int n);

// The animation timer's tick (GLUT timer callback; the value plays no part).
void minuterie(int valeur);

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

// Back to the start state: animation stopped.
void reinitialiser_vue();
