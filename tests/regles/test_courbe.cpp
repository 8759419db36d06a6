// The chart of a run: round ticks, tribe colours, and an SVG file that parses as XML with one
// line per tribe holding one point per step it lived.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "commun/monde_test.h"
#include "monde/carte.h"
#include "monde/generation.h"
#include "population/civ.h"
#include "population/placement.h"
#include "regles/courbe.h"
#include "regles/simulation.h"
#include "socle/alea.h"
#include "socle/fichiers.h"
#include "socle/parametres.h"

namespace {

// Standard output of a shell command.
std::string executer(const std::string& commande) {
  std::string sortie;
  FILE* p = popen(commande.c_str(), "r");
  if (p == nullptr) return sortie;
  char tampon[4096];
  std::size_t n = 0;
  while ((n = std::fread(tampon, 1, sizeof tampon, p)) > 0) sortie.append(tampon, n);
  pclose(p);
  return sortie;
}

// The value of an XPath expression on the file, as xmllint gives it.
std::string xpath(const std::string& fichier, const std::string& expression) {
  std::string r = executer("xmllint --xpath \"" + expression + "\" " + fichier + " 2>&1");
  if (!r.empty() && r.back() == '\n') r.pop_back();
  return r;
}

}  // namespace

TEST(Courbe, GraduationsRondes) {
  struct cas {
    std::int64_t maximum;
    int nombre;
    std::vector<std::int64_t> attendues;
  };
  const cas essais[] = {
      {0, 10, {0, 1}},
      {1, 10, {0, 1}},
      {7, 10, {0, 1, 2, 3, 4, 5, 6, 7}},
      {50, 10, {0, 5, 10, 15, 20, 25, 30, 35, 40, 45, 50}},
      {51, 10, {0, 10, 20, 30, 40, 50, 60}},
      {1000, 10, {0, 100, 200, 300, 400, 500, 600, 700, 800, 900, 1000}},
      {4321, 8, {0, 1000, 2000, 3000, 4000, 5000}},
      {130001, 8, {0, 20000, 40000, 60000, 80000, 100000, 120000, 140000}},
  };
  for (const cas& e : essais) EXPECT_EQ(graduations(e.maximum, e.nombre), e.attendues) << e.maximum;
  EXPECT_EQ(texte_graduation(0), "0");
  EXPECT_EQ(texte_graduation(999), "999");
  EXPECT_EQ(texte_graduation(12000), "12 000");
  EXPECT_EQ(texte_graduation(1234567), "1 234 567");
  // The scene's colours by code; a code past the table is grey.
  EXPECT_EQ(couleur_tribu(0), (std::array<std::uint8_t, 3>{255, 0, 0}));
  EXPECT_EQ(couleur_tribu(8), (std::array<std::uint8_t, 3>{0, 0, 128}));
  EXPECT_EQ(couleur_tribu(40), (std::array<std::uint8_t, 3>{128, 128, 128}));
}

TEST(Courbe, FichierSvgUneLigneParTribu) {
  reinitialiser_programme();
  fixer_dimensions(15, 10);
  initialiser_alea(5);
  creer_tab_civ();
  creer_carte();
  positionner_unite();
  {
    CaptureSortie sortie;
    for (int i = 0; i < 60; ++i) bcleprincip();
  }
  const std::string chemin = testing::TempDir() + "courbe_" + std::to_string(getpid()) + ".svg";
  std::string erreur;
  ASSERT_TRUE(ecrire_courbe_svg(chemin, erreur)) << erreur;
  EXPECT_EQ(executer("xmllint --noout " + chemin + " 2>&1 && echo bien"), "bien\n");

  const contenu_courbe c = preparer_courbe();
  ASSERT_EQ(c.series.size(), 9u);
  EXPECT_EQ(xpath(chemin, "count(//*[local-name()='polyline'])"), "9");
  int eteintes = 0;
  for (const serie_courbe& s : c.series) {
    const std::string id =
        "//*[local-name()='polyline'][@id='tribu-" + std::to_string(s.code) + "']";
    const std::string points = xpath(chemin, "string(" + id + "/@points)");
    // One point per step lived, step 0 included, each "x,y".
    std::size_t n = 0;
    for (std::size_t i = 0; i < points.size(); ++i) n += points[i] == ',';
    const std::size_t attendus =
        static_cast<std::size_t>((s.pas_extinction >= 0 ? s.pas_extinction : 60) + 1);
    EXPECT_EQ(n, attendus) << "tribu " << s.code;
    // Drawn in its colour.
    const auto coul = couleur_tribu(s.code);
    const std::string rgb = "rgb(" + std::to_string(coul[0]) + "," + std::to_string(coul[1]) + "," +
                            std::to_string(coul[2]) + ")";
    EXPECT_EQ(xpath(chemin, "count(//*[local-name()='use'][@stroke='" + rgb + "'])"), "1");
    eteintes += s.pas_extinction >= 0;
  }
  // A cross per extinction, a legend entry per tribe, the axes titled in French.
  EXPECT_EQ(xpath(chemin, "count(//*[local-name()='g'][@class='extinctions']/*)"),
            std::to_string(eteintes));
  const std::string textes = xpath(chemin, "string(//*[local-name()='g'][@class='legende'])");
  for (const serie_courbe& s : c.series) EXPECT_NE(textes.find(s.nom), std::string::npos);
  EXPECT_NE(xpath(chemin, "string(/)").find("Pas de simulation"), std::string::npos);
  EXPECT_NE(xpath(chemin, "string(/)").find("60 pas joués, carte 15 × 10"), std::string::npos);
  std::remove(chemin.c_str());

  // A file that cannot be written is refused and says why.
  EXPECT_FALSE(ecrire_courbe_svg("/nonexistent-dir/c.svg", erreur));
  EXPECT_NE(erreur.find("/nonexistent-dir/c.svg"), std::string::npos);
}
