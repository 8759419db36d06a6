// Initial placement: each tribe, in code order, gets its starting units (one by default), each on
// a random free land cell.
#include "population/placement.h"

#include "monde/carte.h"
#include "population/civ.h"
#include "population/unites.h"
#include "socle/alea.h"
#include "socle/journal.h"
#include "socle/modele.h"

namespace {

// Rejected cell draws after which a tribe gives up: a small or watery map may have no free
// land cell left, and the drawing must end.
constexpr int ESSAIS_MAX = 10000;

}  // namespace

void positionner_unite() {
  const int X = combien_colonnes();
  const int Y = combien_lignes();
  for (int k = 0; k < NB_TRIBUS; ++k) {
    const parametres_tribu& p = modele().tribus[static_cast<std::size_t>(k)];
    for (int placees = 0; placees < p.unites; ++placees) {
      int x = 0;
      int y = 0;
      int essais = 0;
      bool trouvee = false;
      while (!trouvee && essais < ESSAIS_MAX) {
        x = tirer_proportion(X);
        y = tirer_proportion(Y);
        trouvee = quelle_altitude(x, y) != MER && quelle_unite(x, y) == nullptr;
        if (!trouvee) ++essais;
      }
      if (!trouvee) {
        ecrire_debug("positionner_unite: pas de case libre pour la tribu %d\n", k);
        break;
      }
      creer_coord(x, y);
      // The population is drawn even when the model fixes it, so that the draws stay in step.
      const int tiree = tirer_alea() % combien_popmax(x, y);
      ajouter_unite(k, x, y, p.habitants == -1 ? tiree : p.habitants);
      ecrire_debug("positionner_unite: unite en %d %d", x, y);
    }
  }
}
