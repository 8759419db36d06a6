// The view of the graphics display without a display: sky and sun of the simulated day, camera
// presets, reshape, start values, and the animation timer's end of day.
#include <gtest/gtest.h>

#include <string>

#include "commun/monde_test.h"
#include "graphique/enregistreur.h"
#include "graphique/scene.h"
#include "graphique/vue.h"
#include "population/civ.h"
#include "population/unites.h"
#include "socle/parametres.h"

namespace {

TEST(Vue, CielEtSoleilSelonLHeure) {
  struct cas {
    float heure;
    float bleu;  // the sky's blue; red and green are a fifth of it
    bool soleil;
  };
  const cas table[] = {{6.9f, 0, false}, {7.0f, 0, true},     {10.5f, 0.75f, true},
                       {14.0f, 1, true}, {21.0f, 0, true},    {21.1f, 0, false},
                       {3.0f, 0, false}, {17.5f, 0.75f, true}};
  for (const cas& c : table) {
    SCOPED_TRACE(c.heure);
    const couleur_ciel_t ciel = couleur_ciel(c.heure);
    EXPECT_NEAR(ciel.b, c.bleu, 1e-6);
    EXPECT_NEAR(ciel.r, 0.2f * c.bleu, 1e-6);
    EXPECT_NEAR(ciel.g, 0.2f * c.bleu, 1e-6);
    EXPECT_EQ(ciel.a, 1.0f);
    EXPECT_EQ(soleil_allume(c.heure), c.soleil);
  }
}

TEST(Vue, VuesPredefiniesAuDessusDuCentre) {
  construire_monde(10, 6, 1, 5, 0);
  construire_scene();  // c = 8 / 12
  vue_predefinie(1);
  vue_gl v = lire_vue_gl();
  EXPECT_FLOAT_EQ(v.x_eye, 4.0f);
  EXPECT_FLOAT_EQ(v.y_eye, -8.0f / 3);
  EXPECT_FLOAT_EQ(v.z_eye, 9.8f);
  EXPECT_EQ(v.y_zoom, 3e-7f);
  EXPECT_EQ(v.z_zoom, -1.0f);
  EXPECT_EQ(v.y_up, 1.0f);
  EXPECT_EQ(v.z_up, 1e-8f);
  // Any other number is the oblique view from beyond the south edge, and it forgets earlier
  // camera moves.
  v.x_up = 5;
  ecrire_vue_gl(v);
  vue_predefinie(7);
  v = lire_vue_gl();
  EXPECT_FLOAT_EQ(v.x_eye, 4.0f);
  EXPECT_FLOAT_EQ(v.y_eye, -8 * (8.0f / 12) - 2.5f);
  EXPECT_FLOAT_EQ(v.z_eye, 9.0f);
  EXPECT_FLOAT_EQ(v.y_zoom, 0.5547002f);
  EXPECT_FLOAT_EQ(v.z_zoom, -0.8320503f);
  EXPECT_EQ(v.x_up, 0.0f);
  EXPECT_FLOAT_EQ(v.y_up, 0.8320503f);
  EXPECT_FLOAT_EQ(v.z_up, 0.5554002f);
}

TEST(Vue, DebutEtRedimensionnement) {
  reinitialiser_programme();
  vue_gl v = lire_vue_gl();
  v.complexite = 1, v.ligne_prete = 1, v.mode_selection = 1, v.dessin_guerres = 0;
  v.console_reduite = 1, v.heure = 9;
  ecrire_vue_gl(v);
  init_vue();
  v = lire_vue_gl();
  EXPECT_EQ(v.complexite, 3);
  EXPECT_EQ(v.ligne_prete, 0);
  EXPECT_EQ(v.mode_selection, 0);
  EXPECT_EQ(v.dessin_ressources + v.dessin_unites + v.dessin_guerres, 3);
  EXPECT_EQ(v.console_reduite, 0);
  EXPECT_EQ(v.heure, 9.0f);  // the hour is the command line's

  // A height of 0 counts as 1: the aspect is then the width itself.
  EXPECT_DOUBLE_EQ(redimensionner_vue(640, 0), 640.0);
  EXPECT_EQ(lire_vue_gl().largeur, 640);
  EXPECT_EQ(lire_vue_gl().hauteur, 1);
  EXPECT_DOUBLE_EQ(redimensionner_vue(800, 600), 800.0 / 600);
  EXPECT_EQ(lire_vue_gl().hauteur, 600);
}

// A world whose steps can be counted: each step's war phase prints "X=2 Y=2".
class Minuterie : public ::testing::Test {
 protected:
  void SetUp() override {
    construire_monde(2, 2, 1, 5, 7000);
    ajouter_tribu(0, 0, 2, 1);
    ajouter_unite(0, 0, 0, 50);
    fixer_dessin(&e);
    fixer_animation(1);
  }
  void TearDown() override { fixer_dessin(nullptr); }
  void heure(float h) {
    vue_gl v = lire_vue_gl();
    v.heure = h;
    ecrire_vue_gl(v);
  }
  enregistreur e;
};

int pas_joues(const std::string& sortie) {
  int n = 0;
  for (std::size_t p = sortie.find("X=2 Y=2\n"); p != std::string::npos;
       p = sortie.find("X=2 Y=2\n", p + 1))
    ++n;
  return n;
}

TEST_F(Minuterie, UnPasParJourneeA22HeuresPuisLeMatinA6Heures) {
  // With 0.1 and 0.5 two ticks fall within a step and a half of 22 h (22.00003 and 22.10003 as
  // float sums, 22.0 and 22.5): still one simulation step an evening.
  for (float pas : {0.1f, 0.5f, 1.5f, 20.0f}) {
    SCOPED_TRACE(pas);
    fixer_pas_heure(pas);
    heure(14.0f);
    e.appels.clear();
    CaptureSortie sortie;
    int ticks = 0, matins = 0;
    while (matins < 3 && ticks < 3000) {
      const float avant = lire_vue_gl().heure;
      const int pas_avant = pas_joues(sortie.texte());
      minuterie(0);
      ++ticks;
      const float apres = lire_vue_gl().heure;
      // The step comes on the tick that reaches 22 h; past 24 h the day starts again at 6 h.
      const bool soir = avant < 22.0f && avant + pas >= 22.0f;
      EXPECT_EQ(pas_joues(sortie.texte()) - pas_avant, soir ? 1 : 0) << avant;
      if (avant + pas >= 24.0f) {
        ++matins;
        EXPECT_EQ(apres, 6.0f);
      } else {
        EXPECT_EQ(apres, avant + pas);
      }
    }
    EXPECT_EQ(pas_joues(sortie.texte()), 3);
    // Each tick redraws and re-arms; each step rebuilds the scene.
    EXPECT_EQ(e.compter("redessiner"), ticks);
    EXPECT_EQ(e.compter("armer_minuterie"), ticks);
    EXPECT_EQ(e.compter("nouvelle_liste"), 3);
    EXPECT_GT(lire_vue_gl().nb_triangles, 48);
  }
}

TEST_F(Minuterie, ArretDelaiEtTicksEnDouble) {
  fixer_delai_minuterie(250);
  heure(14.0f);
  minuterie(0);
  ASSERT_EQ(e.compter("armer_minuterie"), 1);
  EXPECT_EQ(e.filtrer("armer_minuterie")[0].valeurs[0], 250);

  // A negative period re-arms at once instead of in 49 days.
  fixer_delai_minuterie(-5);
  minuterie(0);
  EXPECT_EQ(e.filtrer("armer_minuterie")[1].valeurs[0], 0);

  // Stopped: the tick changes nothing and the chain ends.
  fixer_animation(0);
  const float h = lire_vue_gl().heure;
  minuterie(0);
  EXPECT_EQ(lire_vue_gl().heure, h);
  EXPECT_EQ(e.compter("armer_minuterie"), 2);

  // Stopped and restarted before the pending tick arrived: two ticks are pending, and only the
  // second goes on, so a single chain runs.
  fixer_animation(1);
  noter_armement_minuterie();
  noter_armement_minuterie();
  tic_minuterie(0);
  EXPECT_EQ(lire_vue_gl().heure, h);
  tic_minuterie(0);
  EXPECT_GT(lire_vue_gl().heure, h);
  EXPECT_EQ(e.compter("armer_minuterie"), 3);
}

}  // namespace
