// The pointer over the scene: a pixel's ray cast against the relief the last build drew.
#include "graphique/pointage.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "graphique/console_gl.h"
#include "graphique/scene.h"
#include "graphique/vue_gl.h"

namespace {

// Half the window's vertical field of view, in radians: the perspective is 45 degrees high.
constexpr double DEMI_CHAMP = 22.5 * std::numbers::pi / 180.0;
// The perspective's near plane: nothing nearer to the eye is drawn.
constexpr double PLAN_PROCHE = 0.1;

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

// The camera's frame as the look-at sets it: forward along zoom, side = forward x up, and the
// true up = side x forward, all of unit length.
void repere_camera(const vue_gl& v, double avant[3], double cote[3], double haut[3]) {
  avant[0] = v.x_zoom, avant[1] = v.y_zoom, avant[2] = v.z_zoom;
  const double haut0[3] = {v.x_up, v.y_up, v.z_up};
  normer(avant);
  vectoriel(avant, haut0, cote);
  normer(cote);
  vectoriel(cote, avant, haut);
}

}  // namespace

void rayon_du_pixel(int px, int py, int largeur, int hauteur, double origine[3],
                    double direction[3]) {
  const vue_gl v = lire_vue_gl();
  const double W = largeur > 0 ? largeur : 1, H = hauteur > 0 ? hauteur : 1;
  double avant[3], cote[3], haut[3];
  repere_camera(v, avant, cote, haut);
  // The pixel's centre in normalised device coordinates (y up).
  const double t = std::tan(DEMI_CHAMP);
  const double nx = (2.0 * (px + 0.5) / W - 1.0) * t * (W / H);
  const double ny = (1.0 - 2.0 * (py + 0.5) / H) * t;
  origine[0] = v.x_eye, origine[1] = v.y_eye, origine[2] = v.z_eye;
  for (int i = 0; i < 3; ++i) direction[i] = avant[i] + nx * cote[i] + ny * haut[i];
}

int projeter_point(const double p[3], int largeur, int hauteur, double& px, double& py) {
  const vue_gl v = lire_vue_gl();
  const double W = largeur > 0 ? largeur : 1, H = hauteur > 0 ? hauteur : 1;
  double avant[3], cote[3], haut[3];
  repere_camera(v, avant, cote, haut);
  const double r[3] = {p[0] - v.x_eye, p[1] - v.y_eye, p[2] - v.z_eye};
  const double f = r[0] * avant[0] + r[1] * avant[1] + r[2] * avant[2];
  if (f < PLAN_PROCHE) return 0;
  const double t = std::tan(DEMI_CHAMP);
  const double nx = (r[0] * cote[0] + r[1] * cote[1] + r[2] * cote[2]) / (f * t * (W / H));
  const double ny = (r[0] * haut[0] + r[1] * haut[1] + r[2] * haut[2]) / (f * t);
  // The inverse of rayon_du_pixel: a pixel's centre lands on the pixel's number.
  px = (nx + 1.0) * W / 2.0 - 0.5;
  py = (1.0 - ny) * H / 2.0 - 0.5;
  return 1;
}

int empreinte_case(int x, int y, double& gauche, double& haut, double& droite, double& bas) {
  double b[3], h[3];
  if (!boite_case(x, y, b, h)) return 0;
  gauche = haut = INFINITY;
  droite = bas = -INFINITY;
  for (int coin = 0; coin < 8; ++coin) {
    const double p[3] = {coin & 1 ? h[0] : b[0], coin & 2 ? h[1] : b[1], coin & 4 ? h[2] : b[2]};
    double px = 0, py = 0;
    // A corner behind the eye: the cell may reach any edge of the window.
    if (!projeter_point(p, largeur_fenetre(), hauteur_fenetre(), px, py)) {
      gauche = haut = -INFINITY;
      droite = bas = INFINITY;
      return 1;
    }
    gauche = std::min(gauche, px), droite = std::max(droite, px);
    haut = std::min(haut, py), bas = std::max(bas, py);
  }
  return 1;
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
