// The chart of an experiment, in the look of the chart of a run: same page, grid, ticks, fonts,
// tribe colours and dark casing under each line.
#include "observation/courbe_experience.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <map>
#include <new>
#include <string>
#include <string_view>
#include <vector>

#include "observation/courbe.h"
#include "socle/fichiers.h"

namespace {

constexpr std::size_t TAILLE_CSV_MAX = std::size_t{1} << 30;
// The colour of a metric of the whole world.
constexpr std::array<std::uint8_t, 3> COULEUR_MONDE = {31, 95, 168};

std::vector<std::string_view> champs(std::string_view ligne) {
  std::vector<std::string_view> c;
  std::size_t debut = 0;
  for (;;) {
    const std::size_t v = ligne.find(',', debut);
    c.push_back(ligne.substr(debut, v == std::string_view::npos ? v : v - debut));
    if (v == std::string_view::npos) return c;
    debut = v + 1;
  }
}

bool entier(std::string_view t, std::int64_t& v) {
  const auto [p, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
  return !t.empty() && ec == std::errc() && p == t.data() + t.size();
}

// Round ticks covering lo..hi, from a multiple of the step at or below lo.
std::vector<std::int64_t> graduations_intervalle(std::int64_t lo, std::int64_t hi) {
  if (hi <= lo) {
    lo -= 1;
    hi += 1;
  }
  const std::vector<std::int64_t> g = graduations(hi - lo, 10);
  const std::int64_t pas = g.size() > 1 ? g[1] : 1;
  std::int64_t debut = lo / pas * pas;
  if (debut > lo) debut -= pas;
  std::vector<std::int64_t> ticks;
  for (std::int64_t v = debut;; v += pas) {
    ticks.push_back(v);
    if (v >= hi) break;
  }
  return ticks;
}

}  // namespace

double quantile(const std::vector<double>& tries, double p) {
  if (tries.empty()) return 0;
  const double h = (static_cast<double>(tries.size()) - 1) * p;
  const auto bas = static_cast<std::size_t>(std::floor(h));
  const std::size_t haut = std::min(bas + 1, tries.size() - 1);
  return tries[bas] + (h - static_cast<double>(bas)) * (tries[haut] - tries[bas]);
}

bool preparer_courbe_experience(const std::string& csv, const std::string& metrique,
                                const std::string& facteur, contenu_courbe_experience& c,
                                std::string& erreur) {
  const std::size_t fin_entete = csv.find('\n');
  const std::vector<std::string_view> entete = champs(std::string_view(csv).substr(0, fin_entete));
  // essai, the factors, graine, pas, the metrics.
  const auto graine = std::find(entete.begin(), entete.end(), "graine");
  if (entete.empty() || entete[0] != "essai" || graine == entete.end() ||
      graine + 1 == entete.end() || graine[1] != "pas") {
    erreur =
        "ce fichier n'est pas le CSV des mesures d'une expérience (en-tête "
        "essai,...,graine,pas,...)";
    return false;
  }
  const auto i_pas = static_cast<std::size_t>(graine + 1 - entete.begin());
  std::size_t i_facteur = 0;
  std::string facteurs;
  for (std::size_t i = 1; i < i_pas - 1; ++i) {
    facteurs.append(facteurs.empty() ? "" : ", ").append(entete[i]);
    if (entete[i] == facteur) i_facteur = i;
  }
  if (i_facteur == 0) {
    erreur = "facteur « " + facteur +
             " » absent du fichier (facteurs : " + (facteurs.empty() ? "aucun" : facteurs) + ")";
    return false;
  }
  // The metric's columns: itself, or one per tribe ("habitants_0" ... "habitants_8").
  std::vector<std::pair<std::size_t, int>> colonnes;
  std::string mesures;
  for (std::size_t i = i_pas + 1; i < entete.size(); ++i) {
    const std::string_view nom = entete[i];
    mesures.append(mesures.empty() ? "" : ", ").append(nom);
    std::int64_t code = 0;
    if (nom == metrique)
      colonnes.push_back({i, -1});
    else if (nom.size() > metrique.size() + 1 && nom.starts_with(metrique) &&
             nom[metrique.size()] == '_' && entier(nom.substr(metrique.size() + 1), code) &&
             code >= 0 && code < 1000)
      colonnes.push_back({i, static_cast<int>(code)});
  }
  if (colonnes.empty()) {
    erreur = "mesure « " + metrique + " » absente du fichier (colonnes : " + mesures + ")";
    return false;
  }

  // The last row of each run: its largest step.
  std::map<std::int64_t, std::pair<std::int64_t, std::vector<std::string_view>>> essais;
  std::size_t numero_ligne = 1;
  for (std::size_t i = fin_entete == std::string::npos ? csv.size() : fin_entete + 1;
       i < csv.size();) {
    std::size_t fin = csv.find('\n', i);
    if (fin == std::string::npos) fin = csv.size();
    ++numero_ligne;
    std::vector<std::string_view> l = champs(std::string_view(csv).substr(i, fin - i));
    std::int64_t essai = 0;
    std::int64_t pas = 0;
    if (l.size() != entete.size() || !entier(l[0], essai) || !entier(l[i_pas], pas)) {
      erreur = "ligne " + std::to_string(numero_ligne) + " mal formée";
      return false;
    }
    auto& e = essais[essai];
    if (e.second.empty() || pas >= e.first) e = {pas, std::move(l)};
    i = fin + 1;
  }

  c = {};
  c.metrique = metrique;
  c.facteur = facteur;
  c.essais = static_cast<std::int64_t>(essais.size());
  // For each column, the values of the runs at each value of the factor.
  std::vector<std::map<std::int64_t, std::vector<double>>> valeurs(colonnes.size());
  for (const auto& [numero, e] : essais) {
    c.pas = std::max(c.pas, e.first);
    std::int64_t x = 0;
    if (!entier(e.second[i_facteur], x)) {
      erreur = "essai " + std::to_string(numero) + " : valeur du facteur illisible";
      return false;
    }
    for (std::size_t k = 0; k < colonnes.size(); ++k) {
      const std::string_view t = e.second[colonnes[k].first];
      std::int64_t v = 0;
      if (t.empty()) continue;  // no value: a tribe still alive has no extinction step
      if (!entier(t, v)) {
        erreur =
            "essai " + std::to_string(numero) + " : valeur « " + std::string(t) + " » illisible";
        return false;
      }
      valeurs[k][x].push_back(static_cast<double>(v));
    }
  }
  std::int64_t x_min = INT64_MAX;
  std::int64_t x_max = INT64_MIN;
  double y_max = 0;
  for (std::size_t k = 0; k < colonnes.size(); ++k) {
    const int code = colonnes[k].second;
    serie_experience s{code,
                       code < 0 ? metrique : "tribu " + std::to_string(code),
                       code < 0 ? COULEUR_MONDE : couleur_tribu(code),
                       {}};
    for (auto& [x, v] : valeurs[k]) {
      std::sort(v.begin(), v.end());
      double somme = 0;
      for (double d : v) somme += d;
      s.points.push_back({x, static_cast<int>(v.size()), somme / static_cast<double>(v.size()),
                          v.front(), quantile(v, 0.25), quantile(v, 0.75), v.back()});
      x_min = std::min(x_min, x);
      x_max = std::max(x_max, x);
      y_max = std::max(y_max, v.back());
    }
    if (!s.points.empty()) c.series.push_back(std::move(s));
  }
  if (c.series.empty()) {
    erreur = "aucune valeur de « " + metrique + " » à tracer";
    return false;
  }
  c.ticks_x = graduations_intervalle(x_min, x_max);
  c.ticks_y = graduations(static_cast<std::int64_t>(std::ceil(y_max)), 8);
  return true;
}

std::string texte_svg_experience(const contenu_courbe_experience& c) {
  const double x0 = static_cast<double>(c.ticks_x.front());
  const double x1 = static_cast<double>(c.ticks_x.back());
  const double y_max = static_cast<double>(c.ticks_y.back());
  auto px = [&](double x) {
    return PAGE_GAUCHE + (PAGE_DROITE - PAGE_GAUCHE) * ((x - x0) / (x1 - x0));
  };
  auto py = [&](double y) { return PAGE_BAS - (PAGE_BAS - PAGE_HAUT) * (y / y_max); };
  const std::string metrique = echapper_xml(c.metrique);
  const std::string facteur = echapper_xml(c.facteur);

  std::string s;
  s += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  s += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + std::to_string(LARGEUR) +
       "\" height=\"" + std::to_string(HAUTEUR) + "\" viewBox=\"0 0 " + std::to_string(LARGEUR) +
       " " + std::to_string(HAUTEUR) +
       "\" font-family=\"DejaVu Sans, Verdana, sans-serif\" font-size=\"13\">\n";
  s += "<title>Pangaeolith : " + metrique + " selon " + facteur + "</title>\n";
  s += "<rect width=\"100%\" height=\"100%\" fill=\"#ffffff\"/>\n";
  s += "<text x=\"" + std::to_string(PAGE_GAUCHE) +
       "\" y=\"32\" font-size=\"20\" font-weight=\"bold\" fill=\"#222\">" + metrique + " selon " +
       facteur + "</text>\n";
  s += "<text x=\"" + std::to_string(PAGE_GAUCHE) + "\" y=\"54\" fill=\"#555\">" +
       texte_graduation(c.essais) + (c.essais > 1 ? " essais" : " essai") + ", valeurs au pas " +
       texte_graduation(c.pas) + " : moyenne, quartiles et extrêmes des répétitions</text>\n";

  s += cadre_svg(c.ticks_x, c.ticks_y,
                 [&](std::int64_t v) { return px(static_cast<double>(v)); },
                 [&](std::int64_t v) { return py(static_cast<double>(v)); });
  s += "<text x=\"" + std::to_string((PAGE_GAUCHE + PAGE_DROITE) / 2) + "\" y=\"" +
       std::to_string(PAGE_BAS + 48) + "\" text-anchor=\"middle\" font-size=\"15\" fill=\"#222\">" +
       facteur + "</text>\n";
  s += "<text transform=\"translate(24 " + std::to_string((PAGE_HAUT + PAGE_BAS) / 2) +
       ") rotate(-90)\" text-anchor=\"middle\" font-size=\"15\" fill=\"#222\">" + metrique +
       "</text>\n";

  // Bands first (extremes, then quartiles), so that every line stays above every band.
  auto bande = [&](const serie_experience& t, double point_experience::*bas,
                   double point_experience::*haut, const char* opacite) {
    std::string p;
    for (const point_experience& q : t.points)
      p += nombre_svg(px(static_cast<double>(q.x))) + "," + nombre_svg(py(q.*haut)) + " ";
    for (auto q = t.points.rbegin(); q != t.points.rend(); ++q)
      p += nombre_svg(px(static_cast<double>(q->x))) + "," + nombre_svg(py((*q).*bas)) + " ";
    p.pop_back();
    return "<polygon points=\"" + p + "\" fill=\"" + couleur_svg(t.couleur) + "\" fill-opacity=\"" +
           opacite + "\" stroke=\"none\"/>\n";
  };
  // Past three lines the extremes of every tribe would cover the whole plot: only the quartiles
  // are drawn then.
  const bool extremes = c.series.size() <= 3;
  s += "<g class=\"bandes\">\n";
  if (extremes)
    for (const serie_experience& t : c.series)
      s += bande(t, &point_experience::minimum, &point_experience::maximum, "0.12");
  for (const serie_experience& t : c.series)
    s += bande(t, &point_experience::q1, &point_experience::q3, "0.28");
  s += "</g>\n<g class=\"moyennes\" fill=\"none\" stroke-linejoin=\"round\">\n";
  for (int passe = 0; passe < 2; ++passe)
    for (const serie_experience& t : c.series) {
      std::string p;
      for (const point_experience& q : t.points) {
        if (!p.empty()) p += ' ';
        p += nombre_svg(px(static_cast<double>(q.x))) + "," + nombre_svg(py(q.moyenne));
      }
      s += passe == 0 ? "<polyline points=\"" + p +
                            "\" stroke=\"#202020\" stroke-opacity=\"0.55\" stroke-width=\"4.5\"/>\n"
                      : "<polyline points=\"" + p + "\" stroke=\"" + couleur_svg(t.couleur) +
                            "\" stroke-width=\"2.5\"/>\n";
    }
  for (const serie_experience& t : c.series)
    for (const point_experience& q : t.points)
      s += "<circle cx=\"" + nombre_svg(px(static_cast<double>(q.x))) + "\" cy=\"" +
           nombre_svg(py(q.moyenne)) + "\" r=\"3.5\" fill=\"" + couleur_svg(t.couleur) +
           "\" stroke=\"#202020\" stroke-width=\"1\"><title>" + echapper_xml(t.nom) + ", " +
           facteur + " = " + std::to_string(q.x) + " : moyenne " + nombre_svg(q.moyenne) + " sur " +
           std::to_string(q.n) + "</title></circle>\n";
  s += "</g>\n";

  // Legend: the series, then what the bands are.
  s += debut_legende_svg("Moyenne");
  int y = PAGE_HAUT + 30;
  for (const serie_experience& t : c.series) {
    s += entree_legende_svg(y, t.couleur, echapper_xml(t.nom));
    y += 24;
  }
  const std::array<std::uint8_t, 3> exemple =
      c.series.size() == 1 ? c.series[0].couleur : std::array<std::uint8_t, 3>{90, 90, 90};
  y += 8;
  const char* const legendes[2][2] = {{"0.28", "1er au 3e quartile"},
                                      {"0.12", "minimum au maximum"}};
  for (std::size_t k = 0; k < (extremes ? 2u : 1u); ++k) {
    const auto& l = legendes[k];
    s += "<rect x=\"" + std::to_string(PAGE_DROITE + 30) + "\" y=\"" + std::to_string(y - 12) +
         "\" width=\"28\" height=\"14\" fill=\"" + couleur_svg(exemple) + "\" fill-opacity=\"" + l[0] +
         "\"/><text x=\"" + std::to_string(PAGE_DROITE + 66) + "\" y=\"" + std::to_string(y) +
         "\" fill=\"#222\">" + l[1] + "</text>\n";
    y += 24;
  }
  s += "</g>\n</svg>\n";
  return s;
}

bool ecrire_courbe_experience(const std::string& csv, const std::string& metrique,
                              const std::string& facteur, const std::string& svg,
                              std::string& erreur) {
  try {
    std::string texte;
    if (!lire_fichier_entier(csv, texte, erreur, TAILLE_CSV_MAX)) return false;
    contenu_courbe_experience c;
    if (!preparer_courbe_experience(texte, metrique, facteur, c, erreur)) {
      erreur = csv + " : " + erreur;
      return false;
    }
    return ecrire_fichier_entier(svg, texte_svg_experience(c), erreur);
  } catch (const std::bad_alloc&) {
    erreur = "mémoire insuffisante pour tracer la courbe";
    return false;
  }
}
