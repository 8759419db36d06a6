// The chart of a run's history: inhabitants of every tribe over the steps run, one line per tribe
// in the tribe's colour of the 3-D scene, round tick values, the extinctions marked. The layout
// is computed here once; the SVG file is written here, and the window draws the same layout as
// an overlay.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "observation/statistiques.h"
#include "population/couleurs.h"

// The colour of a tribe in the chart: its colour of the table, grey past it.
std::array<std::uint8_t, 3> couleur_tribu(int code);

// Round tick values from 0 covering `maximum`: a step of 1, 2 or 5 times a power of ten giving at
// most `nombre_max` intervals, the last tick at or above `maximum`. The maximum is held within
// 1..10^18 and the number of intervals within 1..1000, so that any values give a short answer.
std::vector<std::int64_t> graduations(std::int64_t maximum, int nombre_max);
// A tick value as written on an axis: thousands separated by a space ("12 000").
std::string texte_graduation(std::int64_t valeur);

// A text as XML character data: the characters XML gives a meaning to as entities, a control
// character as a space, and whatever XML 1.0 does not allow (malformed UTF-8, surrogates,
// U+FFFE, U+FFFF) as U+FFFD, so that the file stays well formed whatever the names hold.
std::string echapper_xml(const std::string& texte);

// The page of both charts, in pixels: the plot area and, on its right, the legend.
inline constexpr int LARGEUR = 1060;
inline constexpr int HAUTEUR = 560;
inline constexpr int PAGE_GAUCHE = 90;
inline constexpr int PAGE_DROITE = 690;
inline constexpr int PAGE_HAUT = 70;
inline constexpr int PAGE_BAS = 490;

// The plot area's grid, its two axes and the tick labels; `px` and `py` place a tick value.
std::string cadre_svg(const std::vector<std::int64_t>& ticks_x,
                      const std::vector<std::int64_t>& ticks_y,
                      const std::function<double(std::int64_t)>& px,
                      const std::function<double(std::int64_t)>& py);

// A coordinate of a chart, with one decimal.
std::string nombre_svg(double v);

// A colour as SVG writes it: "rgb(r,g,b)".
std::string couleur_svg(const std::array<std::uint8_t, 3>& c);

// The legend beside the plot: its group opened with its bold title, then one entry a series at
// height y (a stroke of the series' colour and its label, already XML text).
std::string debut_legende_svg(const char* titre);
std::string entree_legende_svg(int y, const std::array<std::uint8_t, 3>& couleur,
                               const std::string& texte);

// One tribe's line: its points as (step, inhabitants), and where it died out.
struct serie_courbe {
  std::int32_t code;
  std::string nom;
  std::array<std::uint8_t, 3> couleur;
  std::vector<std::array<std::int64_t, 2>> points;
  std::int64_t pas_extinction;  // -1 for a living tribe
};

// Everything a chart shows, in data units.
struct contenu_courbe {
  std::int64_t pas;                   // steps run
  std::vector<std::int64_t> ticks_x;  // steps, from 0 to the end of the axis
  std::vector<std::int64_t> ticks_y;  // inhabitants, from 0 to the top of the axis
  std::vector<serie_courbe> series;   // in the order the tribes were first seen
};

// The chart of the observed history as it stands.
contenu_courbe preparer_courbe();

// Writes the chart as an SVG file, through a temporary file renamed at the end so that a failure
// never leaves a half-written file. True on success; otherwise `erreur` says why.
bool ecrire_courbe_svg(const std::string& chemin, std::string& erreur);
// The SVG text of a chart.
std::string texte_svg(const contenu_courbe& c);
