// The chart overlay of key P: a translucent white panel with the axes, round ticks, one line per
// tribe in its scene colour over a dark casing, the extinctions crossed out and a legend, all in
// window pixels through the overlays' 2-D set-up. Texts are plain ASCII, which the bitmap font
// draws.
#include "graphique/courbe_gl.h"

#include <algorithm>
#include <new>
#include <string>

#include "graphique/console_gl.h"
#include "graphique/dessin.h"
#include "graphique/programme.h"
#include "graphique/vue_gl.h"
#include "observation/courbe.h"
#include "socle/journal.h"

namespace {

constexpr int CAR = 9;        // width of a character of the bitmap font
constexpr int MARGE = 16;     // between the window's edge and the panel
constexpr int CONSOLE = 306;  // height the open console takes at the top of the window

struct Etat {
  int affichee = 0;
};

Etat etat;

// A box in window pixels, origin at the bottom left.
struct boite {
  float gauche, bas, droite, haut;
};

void texte(int x, int y, const std::string& t) {
  dessin& d = dessin_courant();
  d.position_raster(x, y);
  for (char c : t) d.caractere(static_cast<unsigned char>(c));
}

void rectangle(const boite& b) {
  dessin& d = dessin_courant();
  d.sommet(b.gauche, b.bas, 0);
  d.sommet(b.droite, b.bas, 0);
  d.sommet(b.droite, b.haut, 0);
  d.sommet(b.gauche, b.haut, 0);
}

void segment(float x1, float y1, float x2, float y2) {
  dessin& d = dessin_courant();
  d.sommet(x1, y1, 0);
  d.sommet(x2, y2, 0);
}

void couleur_tribu_gl(const std::array<std::uint8_t, 3>& c) {
  dessin_courant().couleur(c[0] / 255.0f, c[1] / 255.0f, c[2] / 255.0f, 1.0f);
}

// The points of a line that the plot's width can show: every point while there are no more than
// two per pixel, else one every few, the last one always kept.
std::vector<std::size_t> points_montres(std::size_t n, float largeur) {
  const std::size_t limite = static_cast<std::size_t>(std::max(2.0f * largeur, 2.0f));
  const std::size_t saut = n > limite ? (n + limite - 1) / limite : 1;
  std::vector<std::size_t> r;
  for (std::size_t i = 0; i < n; i += saut) r.push_back(i);
  if (!r.empty() && r.back() != n - 1) r.push_back(n - 1);
  return r;
}

}  // namespace

void basculer_courbe() { etat.affichee = etat.affichee ? 0 : 1; }

int courbe_affichee() { return etat.affichee; }

void dessiner_courbe() {
  const int W = largeur_fenetre();
  const int H = hauteur_fenetre();
  // A history too long for the memory left draws nothing, rather than ending the program.
  contenu_courbe c;
  try {
    c = preparer_courbe();
  } catch (const std::bad_alloc&) {
    ecrire_erreur("dessiner_courbe - mémoire insuffisante pour la courbe\n");
    return;
  }
  dessin& d = dessin_courant();

  // The panel, below the open console when there is room for it.
  const bool console = console_servie() != 0 && lire_vue_gl().console_reduite == 0;
  const int haut = console && H - CONSOLE - MARGE >= 180 ? H - CONSOLE : H - MARGE;
  const boite panneau{MARGE, MARGE, static_cast<float>(W - MARGE), static_cast<float>(haut)};

  // Legend on the right, as wide as the longest name allows, at most 45 % of the panel.
  std::size_t nom_max = 0;
  for (const serie_courbe& s : c.series) {
    nom_max = std::max(nom_max, std::to_string(s.code).size() + 1 + s.nom.size());
    if (s.pas_extinction >= 0)
      nom_max = std::max(nom_max, 15 + texte_graduation(s.pas_extinction).size());
  }
  const float l_legende = std::min<float>(static_cast<float>(CAR * nom_max + 40),
                                          0.45f * (panneau.droite - panneau.gauche));
  const std::size_t car_legende = static_cast<std::size_t>(std::max(0.0f, (l_legende - 40) / CAR));
  const std::string etiquette_max = texte_graduation(c.ticks_y.back());
  const boite trace{panneau.gauche + 20 + CAR * static_cast<float>(etiquette_max.size()),
                    panneau.bas + 46, panneau.droite - l_legende - 20, panneau.haut - 62};
  const float x_max = static_cast<float>(c.ticks_x.back());
  const float y_max = static_cast<float>(c.ticks_y.back());
  auto px = [&](std::int64_t pas) {
    return trace.gauche + (trace.droite - trace.gauche) * (pas / x_max);
  };
  auto py = [&](std::int64_t n) { return trace.bas + (trace.haut - trace.bas) * (n / y_max); };

  d.debut_2d(W, H);
  d.debut(primitive::quads);
  d.couleur(1.0f, 1.0f, 1.0f, 0.9f);
  rectangle(panneau);
  d.fin();

  // Grid, then the axes.
  d.debut(primitive::lignes);
  d.couleur(0.55f, 0.55f, 0.55f, 0.35f);
  for (std::int64_t v : c.ticks_x) segment(px(v), trace.bas, px(v), trace.haut);
  for (std::int64_t v : c.ticks_y) segment(trace.gauche, py(v), trace.droite, py(v));
  d.couleur(0.15f, 0.15f, 0.15f, 1.0f);
  segment(trace.gauche, trace.bas, trace.droite, trace.bas);
  segment(trace.gauche, trace.bas, trace.gauche, trace.haut);
  d.fin();

  // Every line twice: a wide dark casing, then the tribe's colour.
  d.empiler_attributs_trait();
  for (int passe = 0; passe < 2; ++passe) {
    d.epaisseur_trait(passe == 0 ? 4.5f : 2.0f);
    d.debut(primitive::lignes);
    for (const serie_courbe& s : c.series) {
      if (passe == 0)
        d.couleur(0.1f, 0.1f, 0.1f, 0.55f);
      else
        couleur_tribu_gl(s.couleur);
      const auto montres = points_montres(s.points.size(), trace.droite - trace.gauche);
      for (std::size_t k = 1; k < montres.size(); ++k) {
        const auto& a = s.points[montres[k - 1]];
        const auto& b = s.points[montres[k]];
        segment(px(a[0]), py(a[1]), px(b[0]), py(b[1]));
      }
      // A cross where a tribe died out.
      if (s.pas_extinction >= 0) {
        const float x = px(s.pas_extinction);
        const float y = py(0);
        segment(x - 5, y - 5, x + 5, y + 5);
        segment(x - 5, y + 5, x + 5, y - 5);
      }
    }
    d.fin();
  }

  // The legend's strokes.
  float y = panneau.haut - 40;
  d.epaisseur_trait(4.0f);
  d.debut(primitive::lignes);
  for (const serie_courbe& s : c.series) {
    couleur_tribu_gl(s.couleur);
    segment(trace.droite + 24, y + 5, trace.droite + 48, y + 5);
    y -= s.pas_extinction >= 0 ? 34 : 20;
  }
  d.fin();
  d.depiler_attributs();

  // Texts, dark on the panel: title, ticks, axis names, legend.
  d.couleur(0.1f, 0.1f, 0.1f, 1.0f);
  texte(static_cast<int>(panneau.gauche) + 12, static_cast<int>(panneau.haut) - 22,
        "Habitants par tribu - " + texte_graduation(c.pas) + " pas");
  for (std::int64_t v : c.ticks_x) {
    const std::string t = texte_graduation(v);
    texte(static_cast<int>(px(v)) - CAR * static_cast<int>(t.size()) / 2,
          static_cast<int>(trace.bas) - 18, t);
  }
  for (std::int64_t v : c.ticks_y) {
    const std::string t = texte_graduation(v);
    texte(static_cast<int>(trace.gauche) - 6 - CAR * static_cast<int>(t.size()),
          static_cast<int>(py(v)) - 4, t);
  }
  texte(static_cast<int>(trace.droite) - 3 * CAR, static_cast<int>(trace.bas) - 36, "Pas");
  texte(static_cast<int>(trace.gauche) - 4 * CAR, static_cast<int>(trace.haut) + 12, "Habitants");
  y = panneau.haut - 40;
  for (const serie_courbe& s : c.series) {
    const std::string nom = (std::to_string(s.code) + " " + s.nom).substr(0, car_legende);
    texte(static_cast<int>(trace.droite) + 56, static_cast<int>(y), nom);
    if (s.pas_extinction >= 0)
      texte(static_cast<int>(trace.droite) + 56, static_cast<int>(y) - 14,
            ("eteinte au pas " + texte_graduation(s.pas_extinction)).substr(0, car_legende));
    y -= s.pas_extinction >= 0 ? 34 : 20;
  }
  d.fin_2d();
}

void reinitialiser_courbe_gl() { etat = {}; }
