// The chart of a run's history and its SVG file. Every line is drawn over a darker, wider copy of
// itself, so that the light tribe colours (yellow, cyan) read as well as the dark ones on the
// white page.
#include "observation/courbe.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <new>
#include <utility>

#include "monde/carte.h"
#include "socle/fichiers.h"

namespace {


// The largest value an axis shows, and the most intervals it is cut into.
constexpr std::int64_t GRADUATION_MAX = 1'000'000'000'000'000'000;
constexpr int NOMBRE_GRADUATIONS_MAX = 1000;

// The UTF-8 sequence that starts `t` at `i` (a byte of 0x80 or more): its length and whether it
// is a character XML 1.0 allows. A malformed sequence (overlong, a surrogate, past U+10FFFF, cut
// short) counts as its first byte, not allowed; U+FFFE and U+FFFF are well formed, not allowed.
std::pair<std::size_t, bool> caractere_xml(const std::string& t, std::size_t i) {
  const auto octet = [&](std::size_t k) {
    return k < t.size() ? static_cast<unsigned char>(t[k]) : 0u;
  };
  const unsigned c = octet(i);
  std::size_t n = 0;
  unsigned bas = 0x80;
  unsigned haut = 0xBF;
  if (c >= 0xC2 && c <= 0xDF) {
    n = 2;
  } else if (c >= 0xE0 && c <= 0xEF) {
    n = 3;
    if (c == 0xE0) bas = 0xA0;   // overlong
    if (c == 0xED) haut = 0x9F;  // surrogates
  } else if (c >= 0xF0 && c <= 0xF4) {
    n = 4;
    if (c == 0xF0) bas = 0x90;   // overlong
    if (c == 0xF4) haut = 0x8F;  // past U+10FFFF
  } else {
    return {1, false};
  }
  if (octet(i + 1) < bas || octet(i + 1) > haut) return {1, false};
  for (std::size_t k = 2; k < n; ++k)
    if (octet(i + k) < 0x80 || octet(i + k) > 0xBF) return {1, false};
  // U+FFFE and U+FFFF: EF BF BE and EF BF BF.
  return {n, !(c == 0xEF && octet(i + 1) == 0xBF && octet(i + 2) >= 0xBE)};
}

}  // namespace

std::string echapper_xml(const std::string& texte) {
  std::string r;
  for (std::size_t i = 0; i < texte.size();) {
    const char c = texte[i];
    if (static_cast<unsigned char>(c) >= 0x80) {
      const auto [n, permis] = caractere_xml(texte, i);
      r += permis ? texte.substr(i, n) : "\xEF\xBF\xBD";
      i += n;
      continue;
    }
    switch (c) {
      case '&':
        r += "&amp;";
        break;
      case '<':
        r += "&lt;";
        break;
      case '>':
        r += "&gt;";
        break;
      case '"':
        r += "&quot;";
        break;
      default:
        r += static_cast<unsigned char>(c) < 0x20 ? ' ' : c;
    }
    ++i;
  }
  return r;
}

namespace {

// The smallest step of 1, 2 or 5 times a power of ten that cuts 0..maximum (1..GRADUATION_MAX)
// into at most nombre_max intervals.
std::int64_t pas_rond(std::int64_t maximum, int nombre_max) {
  for (std::int64_t puissance = 1;; puissance *= 10)
    for (const std::int64_t m : {1, 2, 5})
      if ((maximum - 1) / (m * puissance) + 1 <= nombre_max) return m * puissance;
}

}  // namespace

std::array<std::uint8_t, 3> couleur_tribu(int code) {
  if (code >= 0 && code < static_cast<int>(COULEURS_TRIBUS.size()))
    return COULEURS_TRIBUS[static_cast<std::size_t>(code)];
  return {128, 128, 128};
}

std::vector<std::int64_t> graduations(std::int64_t maximum, int nombre_max) {
  // Past these bounds a chart has nothing more to show; within them every product and sum below
  // stays far from the 64-bit limit, and the search ends (at a step of GRADUATION_MAX at most).
  maximum = std::clamp<std::int64_t>(maximum, 1, GRADUATION_MAX);
  nombre_max = std::clamp(nombre_max, 1, NOMBRE_GRADUATIONS_MAX);
  const std::int64_t pas = pas_rond(maximum, nombre_max);
  std::vector<std::int64_t> ticks;
  for (std::int64_t k = 0; k <= (maximum - 1) / pas + 1; ++k) ticks.push_back(k * pas);
  return ticks;
}

std::string texte_graduation(std::int64_t valeur) {
  const bool negatif = valeur < 0;
  std::string chiffres = std::to_string(negatif ? -valeur : valeur);
  std::string r;
  for (std::size_t i = 0; i < chiffres.size(); ++i) {
    if (i > 0 && (chiffres.size() - i) % 3 == 0) r += ' ';
    r += chiffres[i];
  }
  return negatif ? "-" + r : r;
}

contenu_courbe preparer_courbe() {
  const releve_statistiques& r = releve();
  contenu_courbe c;
  c.pas = r.pas;
  std::int64_t maximum = 0;
  for (const tribu_suivie& t : r.tribus) {
    serie_courbe s{t.code, t.nom, couleur_tribu(t.code), {}, t.pas_extinction};
    s.points.reserve(t.habitants.size());
    for (std::size_t i = 0; i < t.habitants.size(); ++i) {
      s.points.push_back({t.premier_pas + static_cast<std::int64_t>(i), t.habitants[i]});
      maximum = std::max<std::int64_t>(maximum, t.habitants[i]);
    }
    c.series.push_back(std::move(s));
  }
  c.ticks_x = graduations(r.pas, 10);
  c.ticks_y = graduations(maximum, 8);
  return c;
}

std::string texte_svg(const contenu_courbe& c) {
  const double x_max = static_cast<double>(c.ticks_x.back());
  const double y_max = static_cast<double>(c.ticks_y.back());
  auto px = [&](std::int64_t pas) {
    return PAGE_GAUCHE + (PAGE_DROITE - PAGE_GAUCHE) * (pas / x_max);
  };
  auto py = [&](std::int64_t n) { return PAGE_BAS - (PAGE_BAS - PAGE_HAUT) * (n / y_max); };

  std::string s;
  s += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  s += "<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\" "
       "width=\"" +
       std::to_string(LARGEUR) + "\" height=\"" + std::to_string(HAUTEUR) + "\" viewBox=\"0 0 " +
       std::to_string(LARGEUR) + " " + std::to_string(HAUTEUR) +
       "\" font-family=\"DejaVu Sans, Verdana, sans-serif\" font-size=\"13\">\n";
  s += "<title>Pangaeolith : habitants par tribu</title>\n";
  s += "<rect width=\"100%\" height=\"100%\" fill=\"#ffffff\"/>\n";
  s += "<text x=\"" + std::to_string(PAGE_GAUCHE) +
       "\" y=\"32\" font-size=\"20\" font-weight=\"bold\" fill=\"#222\">Habitants par "
       "tribu</text>\n";
  s += "<text x=\"" + std::to_string(PAGE_GAUCHE) + "\" y=\"54\" fill=\"#555\">" +
       texte_graduation(c.pas) + (c.pas > 1 ? " pas joués" : " pas joué") + ", carte " +
       std::to_string(combien_colonnes()) + " × " + std::to_string(combien_lignes()) + "</text>\n";

  // Grid and ticks.
  s += cadre_svg(c.ticks_x, c.ticks_y, px, py);
  s += "<text x=\"" + std::to_string((PAGE_GAUCHE + PAGE_DROITE) / 2) + "\" y=\"" +
       std::to_string(PAGE_BAS + 48) +
       "\" text-anchor=\"middle\" font-size=\"15\" fill=\"#222\">Pas de simulation</text>\n";
  s += "<text transform=\"translate(24 " + std::to_string((PAGE_HAUT + PAGE_BAS) / 2) +
       ") rotate(-90)\" text-anchor=\"middle\" font-size=\"15\" fill=\"#222\">Habitants</text>\n";

  // One polyline per tribe, drawn twice through <use>: a dark casing, then its colour.
  s += "<defs>\n";
  for (const serie_courbe& t : c.series) {
    s += "<polyline id=\"tribu-" + std::to_string(t.code) + "\" class=\"tribu\" fill=\"none\" " +
         "stroke-linejoin=\"round\" points=\"";
    for (std::size_t i = 0; i < t.points.size(); ++i) {
      if (i > 0) s += ' ';
      s += nombre_svg(px(t.points[i][0])) + "," + nombre_svg(py(t.points[i][1]));
    }
    s += "\"/>\n";
  }
  s += "</defs>\n<g class=\"series\">\n";
  for (const serie_courbe& t : c.series)
    s += "<use xlink:href=\"#tribu-" + std::to_string(t.code) +
         "\" stroke=\"#202020\" stroke-opacity=\"0.55\" stroke-width=\"4.5\"/>\n";
  for (const serie_courbe& t : c.series)
    s += "<use xlink:href=\"#tribu-" + std::to_string(t.code) + "\" stroke=\"" + couleur_svg(t.couleur) +
         "\" stroke-width=\"2.5\"/>\n";
  s += "</g>\n";

  // Extinctions: a cross where the line ends.
  s += "<g class=\"extinctions\" stroke-linecap=\"round\">\n";
  for (const serie_courbe& t : c.series) {
    if (t.pas_extinction < 0) continue;
    const double x = px(t.pas_extinction);
    const double y = py(0);
    const std::string croix = "M" + nombre_svg(x - 6) + " " + nombre_svg(y - 6) + "L" + nombre_svg(x + 6) +
                              " " + nombre_svg(y + 6) + "M" + nombre_svg(x - 6) + " " + nombre_svg(y + 6) +
                              "L" + nombre_svg(x + 6) + " " + nombre_svg(y - 6);
    s += "<g><title>" + echapper_xml(t.nom) + " : éteinte au pas " +
         std::to_string(t.pas_extinction) + "</title>";
    s += "<path d=\"" + croix + "\" stroke=\"#202020\" stroke-width=\"5\"/>";
    s += "<path d=\"" + croix + "\" stroke=\"" + couleur_svg(t.couleur) + "\" stroke-width=\"2.5\"/></g>\n";
  }
  s += "</g>\n";

  // Legend: a stroke of each colour, the tribe's code and name, and its end for the dead.
  s += debut_legende_svg("Tribus");
  int y = PAGE_HAUT + 30;
  for (const serie_courbe& t : c.series) {
    s += entree_legende_svg(y, t.couleur, std::to_string(t.code) + " " + echapper_xml(t.nom));
    if (t.pas_extinction >= 0) {
      y += 16;
      s += "<text x=\"" + std::to_string(PAGE_DROITE + 66) + "\" y=\"" + std::to_string(y) +
           "\" fill=\"#777\" font-size=\"11\">éteinte au pas " +
           texte_graduation(t.pas_extinction) + "</text>\n";
    }
    y += 24;
  }
  s += "</g>\n</svg>\n";
  return s;
}

bool ecrire_courbe_svg(const std::string& chemin, std::string& erreur) {
  try {
    return ecrire_fichier_entier(chemin, texte_svg(preparer_courbe()), erreur);
  } catch (const std::bad_alloc&) {
    erreur = "mémoire insuffisante pour tracer la courbe";
    return false;
  }
}

std::string nombre_svg(double v) {
  char t[32];
  std::snprintf(t, sizeof t, "%.1f", v);
  return t;
}

std::string couleur_svg(const std::array<std::uint8_t, 3>& c) {
  return "rgb(" + std::to_string(c[0]) + "," + std::to_string(c[1]) + "," + std::to_string(c[2]) +
         ")";
}

std::string debut_legende_svg(const char* titre) {
  return "<g class=\"legende\">\n<text x=\"" + std::to_string(PAGE_DROITE + 30) + "\" y=\"" +
         std::to_string(PAGE_HAUT + 4) + "\" font-weight=\"bold\" fill=\"#222\">" + titre +
         "</text>\n";
}

// The stroke is drawn twice, a dark halo under the colour, so that pale colours stay visible.
std::string entree_legende_svg(int y, const std::array<std::uint8_t, 3>& couleur,
                               const std::string& texte) {
  const std::string trait = "<line x1=\"" + std::to_string(PAGE_DROITE + 30) + "\" y1=\"" +
                            std::to_string(y - 4) + "\" x2=\"" + std::to_string(PAGE_DROITE + 58) +
                            "\" y2=\"" + std::to_string(y - 4);
  return trait + "\" stroke=\"#202020\" stroke-opacity=\"0.55\" stroke-width=\"6\"/>" + trait +
         "\" stroke=\"" + couleur_svg(couleur) + "\" stroke-width=\"3.5\"/><text x=\"" +
         std::to_string(PAGE_DROITE + 66) + "\" y=\"" + std::to_string(y) + "\" fill=\"#222\">" +
         texte + "</text>\n";
}

std::string cadre_svg(const std::vector<std::int64_t>& ticks_x,
                      const std::vector<std::int64_t>& ticks_y,
                      const std::function<double(std::int64_t)>& px,
                      const std::function<double(std::int64_t)>& py) {
  std::string s;
  s += "<g class=\"grille\" stroke=\"#e2e2e2\" stroke-width=\"1\">\n";
  for (std::int64_t v : ticks_x)
    s += "<line x1=\"" + nombre_svg(px(v)) + "\" y1=\"" + std::to_string(PAGE_HAUT) + "\" x2=\"" +
         nombre_svg(px(v)) + "\" y2=\"" + std::to_string(PAGE_BAS) + "\"/>\n";
  for (std::int64_t v : ticks_y)
    s += "<line x1=\"" + std::to_string(PAGE_GAUCHE) + "\" y1=\"" + nombre_svg(py(v)) + "\" x2=\"" +
         std::to_string(PAGE_DROITE) + "\" y2=\"" + nombre_svg(py(v)) + "\"/>\n";
  s += "</g>\n";
  s += "<g class=\"axes\" stroke=\"#333\" stroke-width=\"1.5\">\n";
  s += "<line x1=\"" + std::to_string(PAGE_GAUCHE) + "\" y1=\"" + std::to_string(PAGE_BAS) +
       "\" x2=\"" + std::to_string(PAGE_DROITE) + "\" y2=\"" + std::to_string(PAGE_BAS) + "\"/>\n";
  s += "<line x1=\"" + std::to_string(PAGE_GAUCHE) + "\" y1=\"" + std::to_string(PAGE_HAUT) +
       "\" x2=\"" + std::to_string(PAGE_GAUCHE) + "\" y2=\"" + std::to_string(PAGE_BAS) + "\"/>\n";
  s += "</g>\n";
  s += "<g class=\"graduations\" fill=\"#333\">\n";
  for (std::int64_t v : ticks_x)
    s += "<text x=\"" + nombre_svg(px(v)) + "\" y=\"" + std::to_string(PAGE_BAS + 20) +
         "\" text-anchor=\"middle\">" + texte_graduation(v) + "</text>\n";
  for (std::int64_t v : ticks_y)
    s += "<text x=\"" + std::to_string(PAGE_GAUCHE - 8) + "\" y=\"" + nombre_svg(py(v) + 4) +
         "\" text-anchor=\"end\">" + texte_graduation(v) + "</text>\n";
  s += "</g>\n";
  return s;
}
