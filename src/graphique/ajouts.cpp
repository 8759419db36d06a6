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
constexpr int ECART = 4;     // pixels between the line and the window's edge or the panel
constexpr int NOM_MAX = 31;  // a tribe's name is at most 31 characters

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

std::vector<std::string> lignes_bandeau(int colonnes) {
  const vue_gl v = lire_vue_gl();
  const int heures = static_cast<int>(std::floor(v.heure));
  const int minutes = std::clamp(static_cast<int>((v.heure - heures) * 60), 0, 59);
  char t[160];
  const std::string allure =
      animation_active() ? decimal(pas_par_minute()) + " pas/min" : std::string("en pause (E)");
  std::snprintf(t, sizeof t, "Pas %lld - %02dh%02d %s", static_cast<long long>(nombre_de_pas()),
                heures, minutes, soleil_allume(v.heure) ? "jour" : "nuit");
  std::vector<std::string> lignes{t};
  // Too wide for the room given, the pace goes to a line of its own.
  const std::string suite = " - allure " + allure;
  if (colonnes > 0 && lignes[0].size() + suite.size() > static_cast<std::size_t>(colonnes))
    lignes.push_back("allure " + allure);
  else
    lignes[0] += suite;
  // The names take what the code and the inhabitants leave, cut with an ellipsis beyond.
  const int place_nom = colonnes > 0 ? std::clamp(colonnes - 11, 4, NOM_MAX) : NOM_MAX;
  for (const bilan_tribu& b : bilan_tribus()) {
    if (b.pas_extinction >= 0) continue;
    std::string nom = b.nom.substr(0, NOM_MAX);
    if (nom.size() > static_cast<std::size_t>(place_nom))
      nom = nom.substr(0, static_cast<std::size_t>(place_nom) - 3) + "...";
    std::snprintf(t, sizeof t, "%2d %-*s %7lld", b.code, place_nom, nom.c_str(),
                  static_cast<long long>(b.habitants));
    lignes.emplace_back(t);
  }
  return lignes;
}

cadre_bandeau disposer_bandeau() {
  const int W = largeur_fenetre(), H = hauteur_fenetre();
  cadre_bandeau c;
  const auto remplir = [&](int colonnes) {
    c.lignes = lignes_bandeau(colonnes);
    std::size_t plus_longue = 0;
    for (const std::string& l : c.lignes) plus_longue = std::max(plus_longue, l.size());
    c.largeur = static_cast<int>(plus_longue) * LARGEUR_CAR + 30;
    c.hauteur = static_cast<int>(c.lignes.size()) * INTERLIGNE + 8;
  };
  remplir(0);
  // Bottom left, above the reduced console's bar; in selection mode, away from the cell panel.
  c.gauche = ECART;
  c.bas = 22;
  if (!lire_vue_gl().mode_selection) return c;
  const int L = bord_gauche_panneau();
  // Where the panel (290 wide, from 10 to 500 pixels below the top) reaches down beside the
  // line, the line keeps to the room on the panel's other side.
  if (c.bas + c.hauteur + INTERLIGNE + ECART > H - 500) {
    const int place = W - 290 - 10 - 2 * ECART;
    if (c.largeur > place) remplir(std::max(1, (place - 30) / LARGEUR_CAR));
  }
  if (L < W / 2) c.gauche = std::max(ECART, W - c.largeur - ECART);
  return c;
}

void dessiner_bandeau() {
  const int W = largeur_fenetre(), H = hauteur_fenetre();
  const cadre_bandeau c = disposer_bandeau();
  const int haut = c.bas + c.hauteur - 4;
  dessin& d = dessin_courant();
  d.debut_2d(W, H);
  d.debut(primitive::quads);
  d.couleur(0.0f, 0.0f, 0.0f, 0.55f);
  rectangle(d, c.gauche, c.bas, c.gauche + c.largeur, c.bas + c.hauteur);
  // Each tribe's swatch in its colour, as its spheres are drawn, in front of its line (the last
  // lines are the tribes').
  const std::vector<bilan_tribu> tribus = bilan_tribus();
  const auto vivantes = std::count_if(tribus.begin(), tribus.end(),
                                      [](const bilan_tribu& b) { return b.pas_extinction < 0; });
  int n = static_cast<int>(c.lignes.size() - static_cast<std::size_t>(vivantes));
  for (const bilan_tribu& b : tribus) {
    if (b.pas_extinction >= 0) continue;
    const auto couleur = couleur_tribu(b.code);
    d.couleur_octets(couleur[0], couleur[1], couleur[2]);
    const int y = haut - (n + 1) * INTERLIGNE + 3;
    rectangle(d, c.gauche + 6, y, c.gauche + 18, y + 11);
    ++n;
  }
  d.fin();
  d.couleur(1.0f, 1.0f, 1.0f, 1.0f);
  const std::size_t premiere_tribu = c.lignes.size() - static_cast<std::size_t>(vivantes);
  for (std::size_t i = 0; i < c.lignes.size(); ++i) {
    const int x = c.gauche + (i < premiere_tribu ? 6 : 24);
    d.position_raster(x, haut - static_cast<int>(i + 1) * INTERLIGNE + 4);
    for (char ch : c.lignes[i]) d.caractere(static_cast<unsigned char>(ch));
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
