// One reset of the whole program: each layer's own reset, bottom layer first.
#include "controle/reinitialisation.h"

#include "console/reinitialisation.h"
#include "controle/etat_programme.h"
#include "controle/liens.h"
#include "graphique/reinitialisation.h"
#include "monde/reinitialisation.h"
#include "observation/reinitialisation.h"
#include "population/reinitialisation.h"
#include "regles/reinitialisation.h"
#include "socle/reinitialisation.h"

void reinitialiser_programme() {
  reinitialiser_socle();
  reinitialiser_monde();
  reinitialiser_population();
  reinitialiser_regles();
  reinitialiser_observation();
  reinitialiser_console();
  reinitialiser_graphique();
  // The program's top: its loop flags, and the links it makes between the layers below.
  reinitialiser_etat_programme();
  installer_liens();
}
