// The window's additions: heads-up line and legend, pace keys, unit marker size, wheel zoom.
#include "graphique/ajouts.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "graphique/console_gl.h"
#include "graphique/dessin.h"
#include "graphique/pointage.h"
#include "graphique/scene.h"
#include "graphique/vue.h"
#include "graphique/vue_gl.h"
#include "observation/courbe.h"
#include "observation/statistiques.h"

namespace {

constexpr int PERIODE_MAX_MS = 3600000;  // the hour command's own limit
constexpr double ZOOM_PAS = 0.8;         // the eye's distance to the point is scaled by this
constexpr double ZOOM_PRES_MIN = 0.5;
constexpr double ZOOM_LOIN_MAX = 20.0;
constexpr int INTERLIGNE = 16;
constexpr int LARGEUR_CAR = 9;

struct Etat {
  int actifs = 1;
  int bandeau = 1;
};

Etat etat;

// "3,3": one decimal with a comma, as the program writes rates.
std::string decimal(double x) {
  char t[32];
  std::snprintf(t, sizeof t, "%.1f", x);
  std::string s = t;
  std::replace(s.begin(), s.end(), '.', ',');
  return s;
}

void rectangle(dessin& d, int g, int b, int dr, int h) {
  d.sommet(static_cast<float>(g), static_cast<float>(b), 0);
  d.sommet(static_cast<float>(dr), static_cast<float>(b), 0);
  d.sommet(static_cast<float>(dr), static_cast<float>(h), 0);
  d.sommet(static_cast<float>(g), static_cast<float>(h), 0);
}

}  // namespace

int ajouts_actifs() { return etat.actifs; }
void fixer_ajouts_actifs(int actifs) { etat.actifs = actifs != 0 ? 1 : 0; }

int bandeau_affiche() { return etat.actifs && etat.bandeau; }
void basculer_bandeau() { etat.bandeau = !etat.bandeau; }

double pas_par_minute() {
  if (!animation_active()) return 0;
  const double pas = lire_pas_heure();
  if (!(pas > 0)) return 0;
  // One step per simulated day of 18 hours (6 h to 24 h), one tick every period.
  const double ticks = std::max(1.0, std::ceil(18.0 / pas - 1e-9));
  const double periode = std::max(1, lire_delai_minuterie());
  return 60000.0 / (periode * ticks);
}

std::vector<std::string> lignes_bandeau() {
  const vue_gl v = lire_vue_gl();
  const int heures = static_cast<int>(std::floor(v.heure));
  const int minutes = std::clamp(static_cast<int>((v.heure - heures) * 60), 0, 59);
  char t[160];
  const std::string allure =
      animation_active() ? decimal(pas_par_minute()) + " pas/min" : std::string("en pause (E)");
  std::snprintf(t, sizeof t, "Pas %lld - %02dh%02d %s - allure %s",
                static_cast<long long>(nombre_de_pas()), heures, minutes,
                soleil_allume(v.heure) ? "jour" : "nuit", allure.c_str());
  std::vector<std::string> lignes{t};
  for (const bilan_tribu& b : bilan_tribus()) {
    if (b.pas_extinction >= 0) continue;
    std::snprintf(t, sizeof t, "%2d %-31.31s %7lld", b.code, b.nom.c_str(),
                  static_cast<long long>(b.habitants));
    lignes.emplace_back(t);
  }
  return lignes;
}

void dessiner_bandeau() {
  const int W = largeur_fenetre(), H = hauteur_fenetre();
  const std::vector<std::string> lignes = lignes_bandeau();
  std::size_t plus_longue = 0;
  for (const std::string& l : lignes) plus_longue = std::max(plus_longue, l.size());
  const int largeur = static_cast<int>(plus_longue) * LARGEUR_CAR + 30;
  const int hauteur = static_cast<int>(lignes.size()) * INTERLIGNE + 8;
  const vue_gl v = lire_vue_gl();
  // Bottom left, above the reduced console's bar; in selection mode, away from the cell panel.
  int gauche = 4;
  if (v.mode_selection && bord_gauche_panneau() < W / 2) gauche = std::max(4, W - largeur - 4);
  const int bas = 22;
  dessin& d = dessin_courant();
  d.debut_2d(W, H);
  d.debut(primitive::quads);
  d.couleur(0.0f, 0.0f, 0.0f, 0.55f);
  rectangle(d, gauche, bas, gauche + largeur, bas + hauteur);
  // Each tribe's swatch in its colour, as its spheres are drawn.
  const std::vector<bilan_tribu> tribus = bilan_tribus();
  int n = 1;
  for (const bilan_tribu& b : tribus) {
    if (b.pas_extinction >= 0) continue;
    const auto c = couleur_tribu(b.code);
    d.couleur_octets(c[0], c[1], c[2]);
    const int y = bas + hauteur - 4 - (n + 1) * INTERLIGNE + 3;
    rectangle(d, gauche + 6, y, gauche + 18, y + 11);
    ++n;
  }
  d.fin();
  d.couleur(1.0f, 1.0f, 1.0f, 1.0f);
  for (std::size_t i = 0; i < lignes.size(); ++i) {
    const int x = gauche + (i == 0 ? 6 : 24);
    d.position_raster(x, bas + hauteur - 4 - static_cast<int>(i + 1) * INTERLIGNE + 4);
    for (char c : lignes[i]) d.caractere(static_cast<unsigned char>(c));
  }
  d.fin_2d();
}

void accelerer_journee() { fixer_delai_minuterie(std::max(0, lire_delai_minuterie()) / 2); }

void ralentir_journee() {
  const int p = std::max(0, lire_delai_minuterie());
  fixer_delai_minuterie(std::min(PERIODE_MAX_MS, std::max(1, p * 2)));
}

void basculer_pause() {
  fixer_animation(!animation_active());
  if (animation_active()) dessin_courant().armer_minuterie(10);
}

void basculer_taille_unites() {
  const int e = echelle_unites();
  fixer_echelle_unites(e == 1 ? 2 : e == 2 ? 4 : 1);
  construire_scene();
}

void molette(int sens, int x, int y) {
  if (sens == 0) return;
  double p[3];
  if (!point_sous_pointeur(x, y, p)) {
    // Over the sky: toward the point of the ground plane along the view, if it has one.
    double o[3], dir[3];
    rayon_du_pixel(x, y, largeur_fenetre(), hauteur_fenetre(), o, dir);
    if (dir[2] >= 0) return;
    const double t = -o[2] / dir[2];
    for (int i = 0; i < 3; ++i) p[i] = o[i] + t * dir[i];
  }
  vue_gl v = lire_vue_gl();
  const double facteur = sens > 0 ? ZOOM_PAS : 1.0 / ZOOM_PAS;
  const double oeil[3] = {p[0] + (v.x_eye - p[0]) * facteur, p[1] + (v.y_eye - p[1]) * facteur,
                          p[2] + (v.z_eye - p[2]) * facteur};
  const double distance = std::hypot(oeil[0] - p[0], oeil[1] - p[1], oeil[2] - p[2]);
  const float c = taille_case();
  const double cx = (colonnes_scene() + 2) * c / 2.0, cy = -(lignes_scene() + 2) * c / 2.0;
  if (distance < ZOOM_PRES_MIN || std::hypot(oeil[0] - cx, oeil[1] - cy, oeil[2]) > ZOOM_LOIN_MAX ||
      oeil[2] < 0)
    return;
  v.x_eye = static_cast<float>(oeil[0]);
  v.y_eye = static_cast<float>(oeil[1]);
  v.z_eye = static_cast<float>(oeil[2]);
  ecrire_vue_gl(v);
  dessin_courant().redessiner();
}

void reinitialiser_ajouts() { etat = {}; }
