// Milieu coefficient, overpopulation test and the deployment of the surplus onto neighbours.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <string_view>

#include "commun/capture.h"
#include "commun/monde_test.h"
#include "commun/tribus_test.h"
#include "monde/carte.h"
#include "monde/terrain.h"
#include "population/civ.h"
#include "population/unites.h"
#include "regles/milieu.h"

namespace {

// The tribe that deploys (prefers the plain), and a stranger.
constexpr int TRIBU = 3;
constexpr int AUTRE = 6;

// The debug messages starting with `prefixe`, in order, joined by '|', without that prefix nor
// the words "Essai sur " of a deployment's attempts.
std::string trace(CaptureJournaux& j, const std::string& prefixe) {
  std::string texte;
  for (std::string l : j.debug()) {
    if (l.rfind(prefixe, 0) != 0) continue;
    l.erase(0, prefixe.size());
    if (l.rfind("Essai sur ", 0) == 0) l.erase(0, 10);
    texte += (texte.empty() ? "" : "|") + l;
  }
  return texte;
}

// A 3 by 3 world drawn row by row, y = 0 first, rows separated by '/': '.' free plain, '^' free
// mountain, '~' sea, 'P' a unit of the tribe with 500, 'p' with 450, 'q' with 100, 'a' a
// stranger's unit of 100. The unit under test, of `nb_hab`, stands on 'U' (plain) or 'M'
// (mountain).
unite* batir(const std::string& carte, int nb_hab) {
  construire_monde(3, 3, BAS, 5);
  ajouter_tribu(TRIBU, 1, 2, 1);
  ajouter_tribu(AUTRE, 1, 2, 1);
  unite* u = nullptr;
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 3; ++x) {
      const char k = carte[y * 4 + x];
      fixer_case(x, y, k == '~' ? MER : (k == '^' || k == 'M') ? HAUT : BAS, 0, 0, 0, 0);
      const auto i = std::string_view("PpqaUM").find(k);
      if (i == std::string_view::npos) continue;
      ajouter_unite(k == 'a' ? AUTRE : TRIBU, x, y,
                    std::array{500, 450, 100, 100, nb_hab, nb_hab}[i]);
      if (k == 'U' || k == 'M') u = quelle_unite(x, y);
    }
  return u;
}

}  // namespace

TEST(Milieu, CoefficientSelonLAltitudeAuDessusDeNeuf) {
  struct cas {
    const char* rangee;  // the unit on the preferred plain (U) or on a mountain (M)
    int avant, apres;
    const char* trace;  // the second line is written even when nothing changed
  };
  const cas essais[] = {
      {".M.", 9, 9, "id_unite=1 nb_hab=9|id_unite=1 nb_hab=9 c.c=0.800000"},
      {".M.", 10, 8, "id_unite=1 nb_hab=10|id_unite=1 nb_hab=8 c.c=0.800000"},
      {".M.", 12, 9, "id_unite=1 nb_hab=12|id_unite=1 nb_hab=9 c.c=0.800000"},
      {".U.", 9, 9, "avant id_unite=1 nb_hab=9|apres id_unite=1 nb_hab=9 c.c=1.200000"},
      {".U.", 10, 12, "avant id_unite=1 nb_hab=10|apres id_unite=1 nb_hab=12 c.c=1.200000"},
      {".U.", 14, 16, "avant id_unite=1 nb_hab=14|apres id_unite=1 nb_hab=16 c.c=1.200000"},
  };
  for (const cas& c : essais) {
    SCOPED_TRACE(c.trace);
    unite* u = batir(".../" + std::string(c.rangee) + "/...", c.avant);
    CaptureJournaux j;
    EXPECT_EQ(evolution_demo_par_milieu(u), 1);
    EXPECT_EQ(u->nb_hab, c.apres);
    EXPECT_EQ(trace(j, "evolution_demo_par_milieu: "), c.trace);
  }
  CaptureJournaux j;
  EXPECT_EQ(evolution_demo_par_milieu(nullptr), 0);
  EXPECT_EQ(evolution_demo_par_surpop(nullptr), 0);
  EXPECT_EQ(deployer(nullptr), -1);
  EXPECT_EQ(trace(j, "evolution_demo_par_"), "milieu: pointeur NULL|surpop: pointeur NULL");
}

TEST(Deploiement, SeulementAuDelaDuPopmax) {
  unite* u = batir(".../.U./...", 500);
  CaptureJournaux j;
  EXPECT_EQ(deployer(u), 0);
  modifier(u, 501);
  EXPECT_EQ(deployer(u), 1);
  EXPECT_EQ(trace(j, "deployer: "),
            "nb_hab=500 popmax=500 donc pas de deploiement a faire|"
            "nb_hab=501 popmax=500 donc deploiement a faire");
}
