// Initial placement: each tribe, in code order, gets one unit on a random free land cell.
#include "population/placement.h"

#include "controle/alea.h"
#include "controle/journal.h"
#include "monde/carte.h"
#include "population/unites.h"

namespace {

constexpr int NB_TRIBUS = 9;
// Rejected cell draws after which a tribe gives up: a small or watery map may have no free
// land cell left, and the drawing must end.
constexpr int ESSAIS_MAX = 10000;

// One draw scaled to 0..taille-1, computed in floating point and truncated.
int tirer_position(int taille) {
  return static_cast<int>(static_cast<double>(tirer_alea()) * taille / 32768.0);
}

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
      x = tirer_position(X);
      y = tirer_position(Y);
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
