// Milieu coefficient, overpopulation test and the deployment of the surplus onto neighbours.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <string_view>

#include "commun/monde_test.h"
#include "monde/carte.h"
#include "monde/terrain.h"
#include "population/civ.h"
#include "population/unites.h"
#include "regles/milieu.h"
#include "socle/alea.h"

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

TEST(Deploiement, PlacementRetourEtPertes) {
  struct cas {
    std::string carte;
    int nb_hab, tirage, apres;
    int autres;         // inhabitants of the tribe's other units afterwards
    std::string trace;  // the deployment's lines
  };
  const std::string libre = ".../.U./...";
  const std::string pleins = "PPP/PUP/PPP";
  // An even draw walks the neighbours in the usual order, an odd one backwards.
  const std::string aller = "(0,0)|(0,1)|(0,2)|(1,0)|(1,2)|(2,0)|(2,1)|(2,2)|";
  const std::string retour = "(2,2)|(2,1)|(2,0)|(1,2)|(1,0)|(0,2)|(0,1)|(0,0)|";
  const cas essais[] = {
      {libre, 600, 0, 300, 300, "(0,0)|300 deployes"},
      {libre, 600, 1, 300, 300, "(2,2)|300 deployes"},
      {libre, 600, 32766, 300, 300, "(0,0)|300 deployes"},
      {libre, 600, 32767, 300, 300, "(2,2)|300 deployes"},
      // A unit at its popmax stays; above it, an odd population loses one inhabitant.
      {libre, 500, 0, 500, 0, ""},
      {libre, 501, 0, 250, 250, "(0,0)|250 deployes"},
      // D = 260 finds no room, room0 = 240 come back.
      {pleins, 520, 0, 500, 4000, aller + "il reste 260 a deployer|240 revenus"},
      // D = 251, room0 = 249: 2 are lost.
      {pleins, 502, 1, 500, 4000, retour + "il reste 251 a deployer|249 revenus"},
      // The sea receives nobody: D = 150, room0 = 100 come back.
      {"~~~/~M~/~~~", 300, 0, 250, 0, "il reste 150 a deployer|100 revenus"},
      // From a corner, a free mountain takes its popmax; the 50 left all come back.
      {"U~~/~^~/~~~", 600, 0, 350, 250, "(1,1)|250 deployes|il reste 50 a deployer|50 revenus"},
      // 450 of 500 take 50, the stranger is passed over, the search goes on.
      {"p../aU./...", 600, 0, 300, 750, "(0,0)|50 deployes|(0,1)|(0,2)|250 deployes"},
      // Room above what is left: the unit of the tribe takes it all.
      {"q../.U./...", 600, 0, 300, 400, "(0,0)|300 deployes"},
  };
  for (const cas& c : essais) {
    SCOPED_TRACE(testing::Message() << c.nb_hab << " " << c.tirage << " " << c.trace);
    unite* u = batir(c.carte, c.nb_hab);
    CaptureJournaux j;
    scripter_alea({c.tirage});
    EXPECT_EQ(evolution_demo_par_surpop(u), 1);
    // A deployment draws its direction once; a unit within its popmax draws nothing.
    EXPECT_EQ(alea_nb_tirages(), c.trace.empty() ? 0 : 1);
    EXPECT_EQ(u->nb_hab, c.apres);
    int autres = 0;
    for (const auto& v : donner_civ(TRIBU)->liste_unite)
      if (v.get() != u) autres += v->nb_hab;
    EXPECT_EQ(autres, c.autres);
    EXPECT_EQ(trace(j, "deploiement: "), c.trace);
    EXPECT_TRUE(j.erreur().empty());
  }
}
