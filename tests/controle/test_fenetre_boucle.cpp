// Keys typed faster than the window's idle loop runs the typed lines: none is lost or reordered.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "console/console.h"
#include "console/interpreteur.h"
#include "controle/boucles.h"
#include "controle/etat_programme.h"
#include "graphique/clavier.h"
#include "graphique/console_gl.h"
#include "graphique/enregistreur.h"
#include "graphique/fenetre_test.h"
#include "graphique/textes_dessines.h"

TEST_F(Fenetre, AucuneToucheNEstPerdueNiDeplacee) {
  // The window console with the interpreter; what the commands answer lands in the console.
  fixer_interpreteur(interpreter_commande);
  fixer_entree_sortie(lire_car_gl, console_gl_ecrire);
  etat_programme p = lire_etat_programme();
  p.console = 1;
  fixer_etat_programme(p);
  ouvrir_saisie();
  // "sh rtris", Enter and "grai" typed before any idle pass, as a paste or a fast typist does.
  for (unsigned char c : std::string("sh rtris\rgrai")) touche_recue(c, 0, 0);
  EXPECT_EQ(touches_retenues(), 4u);
  bcle_princip();  // runs "sh rtris"
  rejouer_touches_retenues();
  EXPECT_EQ(touches_retenues(), 0u);
  // Then "ne", Enter, and an arrow key typed while "graine" waits: held too.
  for (unsigned char c : std::string("ne\r")) touche_recue(c, 0, 0);
  touche_recue('x', 0, 0);
  touche_speciale_recue(TOUCHE_HAUT, 0, 0);
  EXPECT_EQ(touches_retenues(), 2u);
  bcle_princip();  // runs "graine"
  rejouer_touches_retenues();
  const std::vector<std::string> ecran = console_affichee();
  ASSERT_GE(ecran.size(), 4u);
  // Each command above its answer, in typing order; the input bar holds what came after.
  std::vector<std::string> attendu = {">sh rtris", "Nombre de triangles", ">graine",
                                      "Graine de la partie"};
  std::size_t k = 0;
  for (const std::string& l : ecran)
    if (k < attendu.size() && l.rfind(attendu[k], 0) == 0) ++k;
  EXPECT_EQ(k, attendu.size()) << ::testing::PrintToString(ecran);
  EXPECT_EQ(ecran.back(), ">graine|") << "UP recalls the last line, typed after x";
}
