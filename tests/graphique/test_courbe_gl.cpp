// The chart overlay of key P: the key toggles it only while the console is closed, and the chart
// and the scene give each tribe the same colour. The drawing itself is pinned by
// test_empreintes.cpp.
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
