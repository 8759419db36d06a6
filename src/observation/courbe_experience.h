// The chart of an experiment: a metric against a factor, read from the tidy CSV of the runs. For
// each value of the factor, the runs' values at their last recorded step give a mean (the line),
// the interquartile range (the darker band) and the minimum–maximum (the lighter band, left out
// past three lines); a per-tribe metric gives one line per tribe in the tribe's colour. Runs of
// the other factors' values are pooled.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// The spread of one metric at one value of the factor.
struct point_experience {
  std::int64_t x;  // the factor's value
  int n;           // values pooled
  double moyenne, minimum, q1, q3, maximum;
};

struct serie_experience {
  int code;  // the tribe's code; -1 for a metric of the whole world
  std::string nom;
  std::array<std::uint8_t, 3> couleur;
  std::vector<point_experience> points;  // by increasing factor value
};

struct contenu_courbe_experience {
  std::string metrique;
  std::string facteur;
  std::int64_t essais = 0;  // runs read
  std::int64_t pas = 0;     // largest last step of a run
  std::vector<std::int64_t> ticks_x;
  std::vector<std::int64_t> ticks_y;
  std::vector<serie_experience> series;
};

// The quantile `p` (0..1) of sorted values, interpolated between the two nearest ranks.
double quantile(const std::vector<double>& tries, double p);

// The chart's content from the CSV text. False, with `erreur` saying why, for a text that is not
// a tidy CSV of an experiment, an unknown metric or factor (the known ones are listed), or no
// value to draw.
bool preparer_courbe_experience(const std::string& csv, const std::string& metrique,
                                const std::string& facteur, contenu_courbe_experience& c,
                                std::string& erreur);
std::string texte_svg_experience(const contenu_courbe_experience& c);
// Reads the CSV file (a regular file, bounded) and writes the SVG file (aside, then renamed).
bool ecrire_courbe_experience(const std::string& csv, const std::string& metrique,
                              const std::string& facteur, const std::string& svg,
                              std::string& erreur);
