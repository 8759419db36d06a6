// The chart's round ticks; the SVG file of a run is pinned by the recorded runs.
#include <gtest/gtest.h>

#include <string>

#include "observation/courbe.h"

TEST(Courbe, GraduationsRondes) {
  struct cas {
    std::int64_t maximum;
    int nombre;
    std::vector<std::int64_t> attendues;
  };
  const cas essais[] = {
      {0, 10, {0, 1}},
      {7, 10, {0, 1, 2, 3, 4, 5, 6, 7}},
      {50, 10, {0, 5, 10, 15, 20, 25, 30, 35, 40, 45, 50}},
      {51, 10, {0, 10, 20, 30, 40, 50, 60}},
      {4321, 8, {0, 1000, 2000, 3000, 4000, 5000}},
      {130001, 8, {0, 20000, 40000, 60000, 80000, 100000, 120000, 140000}},
  };
  for (const cas& e : essais) EXPECT_EQ(graduations(e.maximum, e.nombre), e.attendues) << e.maximum;
  // Any values give a short answer: the maximum is held within 1..10^18, the intervals within
  // 1..1000 (these looped until memory ran out, or overflowed).
  const std::int64_t E18 = 1'000'000'000'000'000'000;
  EXPECT_EQ(graduations(INT64_MAX, 8),
            (std::vector<std::int64_t>{0, E18 / 5, 2 * E18 / 5, 3 * E18 / 5, 4 * E18 / 5, E18}));
  EXPECT_EQ(graduations(E18 - 1, 8).back(), E18);
  EXPECT_EQ(graduations(-5, -5), (std::vector<std::int64_t>{0, 1}));
  EXPECT_EQ(graduations(1'000'000, INT32_MAX).size(), 1001u);
  EXPECT_EQ(texte_graduation(999) + "|" + texte_graduation(1234567), "999|1 234 567");
}

TEST(Courbe, SvgBienFormeQuelsQueSoientLesNoms) {
  // Names as a file could hold them: the SVG text keeps only what XML 1.0 allows.
  contenu_courbe c{3, {0, 1, 2, 3}, {0, 10}, {}};
  const std::vector<std::pair<std::string, std::string>> noms = {
      {"A&B<C>\"D\"", "A&amp;B&lt;C&gt;&quot;D&quot;"},
      {"\x1b[2J\x1b]0;t\x07", " [2J ]0;t "},                                     // controls: spaces
      {"X\xef\xbf\xbeY\xef\xbf\xbf", "X\xef\xbf\xbdY\xef\xbf\xbd"},              // U+FFFE, U+FFFF
      {"s\xed\xa0\x80", "s\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd"},                // a surrogate
      {"\xf4\x90\x80\x80", "\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd"},  // past U+10FFFF
      {"é\xe2\x82\xac\xf0\x9f\x98\x80\xef\xbf\xbd", "é\xe2\x82\xac\xf0\x9f\x98\x80\xef\xbf\xbd"},
  };
  for (std::size_t i = 0; i < noms.size(); ++i)
    c.series.push_back(
        {static_cast<std::int32_t>(i), noms[i].first, couleur_tribu(0), {{0, 1}, {1, 0}}, 1});
  const std::string svg = texte_svg(c);
  for (std::size_t i = 0; i < noms.size(); ++i) {
    // In the legend and in the title of the extinction's cross.
    EXPECT_NE(svg.find(">" + std::to_string(i) + " " + noms[i].second + "</text>"),
              std::string::npos)
        << i;
    EXPECT_NE(svg.find("<title>" + noms[i].second + " : éteinte au pas 1</title>"),
              std::string::npos)
        << i;
  }
  for (const char c : svg)
    EXPECT_FALSE(static_cast<unsigned char>(c) < 0x20 && c != '\n') << static_cast<int>(c);
}
