// Initial placement: invariants over many seeds and sizes, down to maps with too little land
// and to a map of sea alone. The draw order is pinned by the recorded runs.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "commun/capture.h"
#include "commun/monde_test.h"
#include "commun/reinitialisation_test.h"
#include "monde/carte.h"
#include "monde/generation.h"
#include "population/civ.h"
#include "population/placement.h"
#include "population/unites.h"
#include "population/verification.h"
#include "socle/alea.h"

const std::string ABANDON = "positionner_unite: pas de case libre pour la tribu ";

TEST(Placement, InvariantsSurDeNombreusesGraines) {
  const int tailles[][2] = {{1, 1}, {2, 2}, {4, 3}, {10, 10}, {30, 20}, {100, 100}};
  for (const auto& taille : tailles)
    for (unsigned graine = 1; graine <= 25; ++graine) {
      SCOPED_TRACE(testing::Message() << taille[0] << "x" << taille[1] << " graine " << graine);
      reinitialiser_couches();
      fixer_dimensions(taille[0], taille[1]);
      initialiser_alea(graine);
      creer_tab_civ();
      creer_carte();
      CaptureJournaux journaux;
      positionner_unite();
      ASSERT_TRUE(verifier_monde().empty());
      // Each tribe gets its unit, loses its draw of inhabitants, or gives up; once one gives up
      // no free land is left, so the tribes after it end the log with the same line.
      const auto lignes = journaux.debug();
      const auto abandon = [](const std::string& l) { return l.rfind(ABANDON, 0) == 0; };
      const auto premier = std::find_if(lignes.begin(), lignes.end(), abandon);
      ASSERT_TRUE(std::all_of(premier, lignes.end(), abandon));
      long issues =
          compter(lignes, "ajouter_unite:echec de creer_unite") + (lignes.end() - premier);
      bool tous = true;
      for (const civilisation& c : liste_civ()) {
        issues += nb_unites(c);
        tous = tous && nb_unites(c) == 1;
        if (nb_unites(c) == 0) continue;
        const unite& u = *donner_unite(c.liste_unite.front());
        ASSERT_TRUE(quelle_altitude(u.x, u.y) != MER && u.nb_hab < combien_popmax(u.x, u.y));
        // Identifiers follow the code order while every tribe so far got its unit.
        ASSERT_TRUE(!tous || u.id == c.code + 1) << "id " << u.id;
      }
      ASSERT_EQ(issues, 9);
    }
}

TEST(Placement, MerSansTerre) {
  construire_monde(3, 3, MER, 5);
  creer_tab_civ();
  CaptureJournaux journaux;
  positionner_unite();
  std::vector<std::string> attendu;
  for (int k = 0; k < 9; ++k) attendu.push_back(ABANDON + std::to_string(k));
  EXPECT_EQ(journaux.debug(), attendu);
  EXPECT_EQ(alea_nb_tirages(), 9 * 2 * 10000);  // cell pairs only, with a bound per tribe
}
