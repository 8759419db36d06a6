// The view: start values, camera presets, sky and sun of the simulated day, animation timer.
#include "graphique/vue.h"

#include <algorithm>

#include "graphique/console_gl.h"
#include "graphique/dessin.h"
#include "graphique/scene.h"
#include "graphique/vue_gl.h"
#include "observation/avancee.h"

namespace {

// Hours of the simulated day: daylight from 7 to 21, the step at 22, the night skipped from 24
// to 6.
constexpr float AUBE = 7.0f;
constexpr float CREPUSCULE = 21.0f;
constexpr float HEURE_DU_PAS = 22.0f;
constexpr float MINUIT = 24.0f;
constexpr float REVEIL = 6.0f;

struct Etat {
  int animation = 0;
  int generation = 0;  // number of the newest arming of the timer
};

Etat etat;

}  // namespace

void init_vue() {
  vue_gl v = lire_vue_gl();
  v.ligne_prete = 0;
  v.mode_selection = 0;
  v.dessin_ressources = 1;
  v.dessin_unites = 1;
  v.dessin_guerres = 1;
  v.complexite = 3;
  v.console_reduite = 0;
  ecrire_vue_gl(v);
  init_console_gl();
}

void vue_predefinie(int n) {
  const float c = taille_case();
  const float X = static_cast<float>(colonnes_scene());
  const float Y = static_cast<float>(lignes_scene());
  // The centre of the scene, border ring included, is (A, -B).
  const float A = (X + 2) * c / 2;
  const float B = (Y + 2) * c / 2;
  vue_gl v = lire_vue_gl();
  if (n == 1) {
    // Straight down; the tiny y and z components keep the look-at and up vectors apart.
    v.x_eye = A, v.y_eye = -B, v.z_eye = 9.8f;
    v.x_zoom = 0, v.y_zoom = 3e-7f, v.z_zoom = -1;
    v.x_up = 0, v.y_up = 1, v.z_up = 1e-8f;
  } else {
    // From beyond the south edge, looking north and down along (0, 2, -3) / sqrt(13).
    v.x_eye = A, v.y_eye = -(Y + 2) * c - 2.5f, v.z_eye = 9.0f;
    v.x_zoom = 0, v.y_zoom = 0.5547002f, v.z_zoom = -0.8320503f;
    v.x_up = 0, v.y_up = 0.8320503f, v.z_up = 0.5554002f;
  }
  ecrire_vue_gl(v);
}

couleur_ciel_t couleur_ciel(float heure) {
  // L rises from 0 at dawn to 1 at 14 h and falls back to 0 at dusk.
  const float t = (heure - AUBE) / (CREPUSCULE - AUBE);
  const float L = 4 * t * (1 - t);
  if (L > 0) return {0.2f * L, 0.2f * L, L, 1};
  return {0, 0, 0, 1};
}

bool soleil_allume(float heure) { return heure >= AUBE && heure <= CREPUSCULE; }

void minuterie(int /*valeur*/) {
  if (etat.animation == 0) return;
  const float pas = lire_pas_heure();
  vue_gl v = lire_vue_gl();
  const float avant = v.heure;
  v.heure += pas;
  // The step of the day, on the one tick that reaches 22 h: with hour steps that put two ticks
  // within a step and a half of 22 h (0.1 among them, as float sums fall), a window test would
  // run two steps on the same evening.
  if (avant < HEURE_DU_PAS && v.heure >= HEURE_DU_PAS) {
    avancer(1);
    construire_scene();
    v.nb_triangles = lire_vue_gl().nb_triangles;
  }
  if (v.heure >= MINUIT) v.heure = REVEIL;
  ecrire_vue_gl(v);
  dessin_courant().redessiner();
  dessin_courant().armer_minuterie(std::max(0, lire_delai_minuterie()));
}

int noter_armement_minuterie() { return ++etat.generation; }

void tic_minuterie(int generation) {
  if (generation != etat.generation) return;
  minuterie(generation);
}

double redimensionner_vue(int largeur, int hauteur) {
  if (hauteur == 0) hauteur = 1;
  vue_gl v = lire_vue_gl();
  v.largeur = largeur;
  v.hauteur = hauteur;
  ecrire_vue_gl(v);
  fixer_taille_fenetre(largeur, hauteur);
  return static_cast<double>(largeur) / hauteur;
}

int animation_active() { return etat.animation; }
void fixer_animation(int active) { etat.animation = active; }

void reinitialiser_vue() { etat = {}; }
