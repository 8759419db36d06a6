// The chart overlay of key P, drawn headless through a recorder: the key toggles it only while
// the console is closed, and the drawing holds one line per tribe in its colour, inside the
// overlays' 2-D set-up.
#include <gtest/gtest.h>

#include <string>

#include "commun/monde_test.h"
#include "graphique/clavier.h"
#include "graphique/console_gl.h"
#include "graphique/courbe_gl.h"
#include "graphique/enregistreur.h"
#include "graphique/scene.h"
#include "graphique/vue.h"
#include "monde/terrain.h"
#include "population/civ.h"
#include "population/unites.h"
#include "regles/courbe.h"
#include "regles/simulation.h"
#include "regles/statistiques.h"
#include "socle/parametres.h"

namespace {

// Segments of the "lignes" primitive drawn in one colour.
int segments_en(const enregistreur& e, float r, float g, float b) {
  int sommets = 0;
  bool dedans = false;
  bool dans_lignes = false;
  for (const appel& a : e.appels) {
    if (a.nom == "debut") dans_lignes = a.valeurs[0] == static_cast<double>(primitive::lignes);
    if (a.nom == "couleur")
      dedans = dans_lignes && a.valeurs[0] == r && a.valeurs[1] == g && a.valeurs[2] == b;
    if (a.nom == "sommet" && dedans) ++sommets;
  }
  return sommets / 2;
}

}  // namespace

class CourbeGl : public testing::Test {
 protected:
  void SetUp() override {
    construire_monde(6, 6, BAS, 5, 7000);
    ajouter_tribu(0, CARNIVORE, HOSTILE, BAS);
    ajouter_tribu(1, CARNIVORE, PACIFIQUE, BAS);
    ajouter_tribu(4, OMNIVORE, PACIFIQUE, BAS);
    ajouter_unite(0, 1, 1, 100);
    ajouter_unite(1, 2, 2, 80);
    ajouter_unite(4, 5, 5, 60);
    fixer_mode_affichage({0, 0, 1});
    fixer_taille_fenetre(800, 600);
    fixer_dessin(&e);
  }
  void TearDown() override { fixer_dessin(nullptr); }
  enregistreur e;
};

TEST_F(CourbeGl, ToucheP) {
  // Console closed: P and p show and hide the chart, and the window is redrawn.
  EXPECT_EQ(courbe_affichee(), 0);
  clavier('P', 0, 0);
  EXPECT_EQ(courbe_affichee(), 1);
  EXPECT_EQ(e.compter("redessiner"), 1);
  clavier('p', 0, 0);
  EXPECT_EQ(courbe_affichee(), 0);
  // Console open: the letter is typed, the chart stays as it was.
  etat_programme p = lire_etat_programme();
  p.console = 1;
  fixer_etat_programme(p);
  clavier('p', 0, 0);
  EXPECT_EQ(courbe_affichee(), 0);
  EXPECT_EQ(lire_car_gl(), 'p');
}

TEST_F(CourbeGl, UneLigneParTribuDansSaCouleur) {
  {
    CaptureSortie sortie;
    for (int i = 0; i < 12; ++i) bcleprincip();
  }
  dessiner_courbe();
  // One 2-D set-up, every attribute pushed is popped.
  EXPECT_EQ(e.compter("debut_2d"), 1);
  EXPECT_EQ(e.appels.front().nom, "debut_2d");
  EXPECT_EQ(e.appels.back().nom, "fin_2d");
  EXPECT_EQ(e.compter("debut"), e.compter("fin"));
  EXPECT_EQ(e.compter("empiler_attributs_trait"), e.compter("depiler_attributs"));

  // Each tribe's colour draws one segment per step it lived, plus a cross for the dead one
  // (and its legend stroke).
  const contenu_courbe c = preparer_courbe();
  ASSERT_EQ(c.series.size(), 3u);
  for (const serie_courbe& s : c.series) {
    const int attendus =
        static_cast<int>(s.points.size()) - 1 + (s.pas_extinction >= 0 ? 2 : 0) + 1;
    EXPECT_EQ(segments_en(e, s.couleur[0] / 255.0f, s.couleur[1] / 255.0f, s.couleur[2] / 255.0f),
              attendus)
        << "tribu " << s.code;
  }
  EXPECT_EQ(c.series[1].pas_extinction, 1);
  // Title, round ticks, axis names and the legend.
  const std::string t = e.texte();
  for (const char* mot : {"Habitants par tribu - 12 pas", "Pas", "Habitants", "0 T0", "1 T1",
                          "4 T4", "eteinte au pas 1", "12"})
    EXPECT_NE(t.find(mot), std::string::npos) << mot;
}

TEST_F(CourbeGl, LongueHistoireRameneeALaLargeur) {
  // Ten thousand steps of one tribe: no more than two points per pixel of the plot, the last
  // one kept.
  releve_statistiques r;
  r.pas = 10000;
  r.dernier_echantillon = 10000;
  tribu_suivie t{0, "T0", 0, -1, {}};
  for (int i = 0; i <= 10000; ++i) t.habitants.push_back(i % 700);
  r.tribus.push_back(t);
  remplacer_releve(r);
  dessiner_courbe();
  const int segments = segments_en(e, 1.0f, 0.0f, 0.0f);
  EXPECT_GT(segments, 300);
  EXPECT_LT(segments, 2 * 800);
  // The panel sits below the open console's bars.
  etat_programme p = lire_etat_programme();
  p.console = 1;
  fixer_etat_programme(p);
  e.appels.clear();
  dessiner_courbe();
  EXPECT_LE(e.filtrer("sommet")[2].valeurs[1], 600 - 306);
}

TEST(CouleursTribus, LaSceneEtLaCourbeDonnentLaMemeCouleurAChaqueTribu) {
  construire_monde(9, 1, BAS, 5, 0);
  for (int code = 0; code < 9; ++code) {
    ajouter_tribu(code, HERBIVORE, PACIFIQUE, BAS);
    ajouter_unite(code, code, 0, 50);
  }
  init_vue();
  enregistreur e;
  fixer_dessin(&e);
  construire_scene();
  fixer_dessin(nullptr);
  // The unit markers, cells by columns: tribe 0 to 8 in turn.
  const auto couleurs = e.filtrer("couleur_octets");
  ASSERT_EQ(couleurs.size(), 9u);
  for (int code = 0; code < 9; ++code) {
    const auto c = couleur_tribu(code);
    EXPECT_EQ(couleurs[static_cast<std::size_t>(code)].valeurs,
              (std::vector<double>{double(c[0]), double(c[1]), double(c[2])}))
        << "tribu " << code;
  }
}
