// The pointer over the scene: a pixel's ray cast against the relief the last build drew.
#include "graphique/pointage.h"

#include <cmath>
#include <numbers>

#include "graphique/console_gl.h"
#include "graphique/scene.h"
#include "graphique/vue_gl.h"

namespace {

// Half the window's vertical field of view, in radians: the perspective is 45 degrees high.
constexpr double DEMI_CHAMP = 22.5 * std::numbers::pi / 180.0;

void normer(double v[3]) {
  const double n = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
  if (n == 0) return;
  for (int i = 0; i < 3; ++i) v[i] /= n;
}

void vectoriel(const double a[3], const double b[3], double r[3]) {
  r[0] = a[1] * b[2] - a[2] * b[1];
  r[1] = a[2] * b[0] - a[0] * b[2];
  r[2] = a[0] * b[1] - a[1] * b[0];
}

}  // namespace

void rayon_du_pixel(int px, int py, int largeur, int hauteur, double origine[3],
                    double direction[3]) {
  const vue_gl v = lire_vue_gl();
  const double W = largeur > 0 ? largeur : 1, H = hauteur > 0 ? hauteur : 1;
  // The camera's frame as the look-at sets it: forward along zoom, side = forward x up, and the
  // true up = side x forward.
  double avant[3] = {v.x_zoom, v.y_zoom, v.z_zoom};
  const double haut0[3] = {v.x_up, v.y_up, v.z_up};
  normer(avant);
  double cote[3], haut[3];
  vectoriel(avant, haut0, cote);
  normer(cote);
  vectoriel(cote, avant, haut);
  // The pixel's centre in normalised device coordinates (y up).
  const double t = std::tan(DEMI_CHAMP);
  const double nx = (2.0 * (px + 0.5) / W - 1.0) * t * (W / H);
  const double ny = (1.0 - 2.0 * (py + 0.5) / H) * t;
  origine[0] = v.x_eye, origine[1] = v.y_eye, origine[2] = v.z_eye;
  for (int i = 0; i < 3; ++i) direction[i] = avant[i] + nx * cote[i] + ny * haut[i];
}

int case_sous_pointeur(int px, int py, int& x, int& y) {
  double o[3], d[3];
  rayon_du_pixel(px, py, largeur_fenetre(), hauteur_fenetre(), o, d);
  rencontre_relief(o, d, x, y);
  return x >= 0 && y >= 0 ? 1 : 0;
}

int point_sous_pointeur(int px, int py, double point[3]) {
  double o[3], d[3];
  rayon_du_pixel(px, py, largeur_fenetre(), hauteur_fenetre(), o, d);
  int x = 0, y = 0;
  const double t = rencontre_relief(o, d, x, y);
  if (t <= 0) return 0;
  for (int i = 0; i < 3; ++i) point[i] = o[i] + t * d[i];
  return 1;
}
