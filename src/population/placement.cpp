// Initial placement: each tribe, in code order, gets one unit on a random free land cell.
#include "population/placement.h"

#include "monde/carte.h"
#include "population/civ.h"
#include "population/unites.h"
#include "socle/alea.h"
#include "socle/journal.h"

namespace {

// Rejected cell draws after which a tribe gives up: a small or watery map may have no free
// land cell left, and the drawing must end.
constexpr int ESSAIS_MAX = 10000;

}  // namespace

void positionner_unite() {
  const int X = combien_colonnes();
  const int Y = combien_lignes();
  for (int k = 0; k < NB_TRIBUS; ++k) {
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
      continue;
    }
    creer_coord(x, y);
    const int n = tirer_alea() % combien_popmax(x, y);
    ajouter_unite(k, x, y, n);
    ecrire_debug("positionner_unite: unite en %d %d", x, y);
  }
}
