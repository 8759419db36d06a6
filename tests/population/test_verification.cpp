// The world's consistency check: each way the store, the tribe lists, the cells and the free
// identifiers can disagree is named, and a sound world gives nothing.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "commun/capture.h"
#include "commun/monde_test.h"
#include "monde/carte.h"
#include "population/civ.h"
#include "population/unites.h"
#include "population/verification.h"

namespace {

// A 6 by 6 plain with units 1 (tribe 0, on (1,1)), 3 (tribe 0, on (3,3)) and 4 (tribe 3, on
// (4,4)); identifier 2 is on the free stack.
void monde_de_quatre_identifiants() {
  construire_monde(6, 6, BAS, 5, 100);
  creer_tab_civ();
  for (int i = 1; i <= 4; ++i) ajouter_unite(i == 4 ? 3 : 0, i, i, 50);
  supprimer_unite(quelle_unite(2, 2));
}

// A unit record made by hand.
std::unique_ptr<unite> fiche(int id, int code, int x, int y) {
  auto u = std::make_unique<unite>();
  u->id = id;
  u->code = code;
  u->x = x;
  u->y = y;
  u->nb_hab = 10;
  return u;
}

}  // namespace

TEST(Verification, ChaqueDesaccordEstNomme) {
  struct cas {
    const char* quoi;
    std::function<void()> abimer;
    const char* faute;
  };
  const cas essais[] = {
      {"une unite dans la liste d'une autre tribu aussi",
       [] { donner_civ(3)->liste_unite.push_back(1); }, "unite dans deux listes, id 1"},
      {"la meme", [] { donner_civ(3)->liste_unite.push_back(1); },
       "unite 1 dans la liste d'une autre tribu"},
      {"une liste videe", [] { donner_civ(3)->liste_unite.clear(); }, "unite 4 dans aucune liste"},
      {"un identifiant libre dans une liste", [] { donner_civ(0)->liste_unite.push_back(2); },
       "identifiant 2 sans unite dans la liste de la tribu 0"},
      {"une unite deplacee sans sa case", [] { donner_unite(1)->x = 5; },
       "unite 1 absente de sa case"},
      {"la meme", [] { donner_unite(1)->x = 5; }, "unite 1 sur une case qui n'est pas la sienne"},
      {"une case videe sous son unite", [] { retirer_unite_carte(donner_unite(3)); },
       "unite 3 absente de sa case"},
      {"une case qui porte un identifiant libre",
       [] { installer_unite_carte(fiche(2, 0, 5, 0).get()); },
       "case occupee par l'identifiant 2 sans unite"},
      {"un identifiant repris sans unite", [] { creer_unite(0, 0, 0, 5); },
       "identifiant 2 ni vivant ni libre"},
      {"une unite sortie du magasin mais restee dans sa liste",
       [] { retirer_unite(donner_unite(4)); },
       "identifiant 4 sans unite dans la liste de la tribu 3"},
      {"une unite du magasin dans aucune liste et sur aucune case",
       [] { enregistrer_unite(fiche(5, 0, 0, 5)); }, "unite 5 dans aucune liste"},
      {"la meme", [] { enregistrer_unite(fiche(5, 0, 0, 5)); }, "unite 5 absente de sa case"},
      {"une unite rangee sous un autre identifiant", [] { donner_unite(4)->id = 1; },
       "unite 1 rangee sous l'identifiant 4"},
      {"une population negative", [] { donner_unite(1)->nb_hab = -3; },
       "population negative, unite 1"},
      {"deux tribus du meme code", [] { liste_civ().emplace_back().code = 0; },
       "code de tribu en double 0"},
      {"une pile qui donne un identifiant vivant",
       [] {
         registre_unites r;
         r.push_back(fiche(1, 0, 1, 1));
         installer_unites(std::move(r), {1});
       },
       "identifiant 1 libre et porte par une unite"},
      {"une pile qui donne deux fois le meme",
       [] {
         installer_unites(registre_unites(4), {2, 2});
       },
       "identifiant 2 libre deux fois"},
      {"une pile au-dela du magasin",
       [] {
         installer_unites(registre_unites(1), {1, 7});
       },
       "identifiant libre 7 hors de 1..1"},
  };
  for (const cas& e : essais) {
    SCOPED_TRACE(e.quoi);
    monde_de_quatre_identifiants();
    ASSERT_TRUE(verifier_monde().empty());
    e.abimer();
    EXPECT_TRUE(contient(verifier_monde(), e.faute)) << testing::PrintToString(verifier_monde());
  }
}
