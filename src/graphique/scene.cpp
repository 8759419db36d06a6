// The scene of the world. The geometry of the tiles, markers, war lines and plate comes with the
// scene builder; until then a build reads the map's size and compiles an empty list.
#include "graphique/scene.h"

#include <algorithm>

#include "graphique/dessin.h"
#include "monde/carte.h"
#include "socle/parametres.h"

namespace {

struct Etat {
  int X = 0;
  int Y = 0;
  float c = 0;
};

Etat etat;

}  // namespace

void construire_scene() {
  donner_dimensions(etat.X, etat.Y);
  etat.c = 8.0f / static_cast<float>(std::max(etat.X + 2, etat.Y + 2));
  dessin& d = dessin_courant();
  d.nouvelle_liste();
  vue_gl v = lire_vue_gl();
  v.nb_triangles = 0;
  ecrire_vue_gl(v);
  d.fin_liste();
}

float taille_case() { return etat.c; }
int colonnes_scene() { return etat.X; }
int lignes_scene() { return etat.Y; }

void reinitialiser_scene() { etat = {}; }
