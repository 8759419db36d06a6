// The compact map, and the commands added for a terminal user: mini, trace, graine, and "cont N"
// stopped at the end of a step by Ctrl-C or by a request to end.
#include <gtest/gtest.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <sstream>
#include <string>

#include "commun/monde_test.h"
#include "console/carte_compacte.h"
#include "console/console.h"
#include "console/interpreteur.h"
#include "monde/carte.h"
#include "population/unites.h"
#include "socle/alea.h"
#include "socle/parametres.h"
#include "socle/signaux.h"
#include "socle/sortie.h"

namespace {



std::istringstream entree;
std::string ecrit;
int lire_script() { return entree.get(); }
void capturer(const char* texte) { ecrit += texte; }

std::string commande(const std::string& ligne) {
  entree = std::istringstream(ligne + "\n");
  ecrit.clear();
  lire_commande();
  return ecrit;
}

// A standard output that raises a signal when the war line of the chosen step is written, so
// that the signal arrives in the middle of that step.
struct SignalAuPas {
  int pas_vus = 0;
  int pas = 0;
  int numero = 0;
};
SignalAuPas signal_au_pas;

ssize_t ecrire_et_signaler(void*, const char* texte, std::size_t n) {
  if (std::string(texte, n).find("X=") != std::string::npos &&
      ++signal_au_pas.pas_vus == signal_au_pas.pas)
    std::raise(signal_au_pas.numero);
  return static_cast<ssize_t>(n);
}

}  // namespace

TEST(CommandesTerminal, ContArreteALaFinDuPasEnCours) {
  struct Cas {
    int numero;
    bool carte;  // Ctrl-C on a terminal shows the map and keeps the prompt; SIGTERM ends
  };
  for (const Cas cas : {Cas{SIGINT, true}, Cas{SIGTERM, false}}) {
    SCOPED_TRACE(cas.numero);
    construire_monde(4, 4, BAS, 5, 100);
    fixer_entree_sortie(lire_script, capturer);
    fixer_interpreteur(interpreter_commande);
    fixer_etat_programme({1, 0, 1, 0});
    installer_signaux(1);
    CaptureJournaux journaux;
    signal_au_pas = {0, 3, cas.numero};
    FILE* flux = fopencookie(nullptr, "w", {nullptr, ecrire_et_signaler, nullptr, nullptr});
    std::setvbuf(flux, nullptr, _IONBF, 0);
    fixer_sortie(flux);
    EXPECT_EQ(commande("cont 50"), "cont interrompu : 3 pas joués sur 50.\n");
    fixer_sortie(nullptr);
    std::fclose(flux);
    EXPECT_EQ(compter(journaux.debug(), "bcleprincip - Mise à jour de la carte ..."), 3);
    EXPECT_EQ(
        compter(journaux.debug(), "afficher_carte - On va prendre les dimensions de la carte."),
        cas.carte ? 1 : 0);
    EXPECT_EQ(lire_etat_programme().boucle_active, cas.carte ? 1 : 0);
    EXPECT_EQ(interruption_en_attente(), 0) << "the interruption is taken by the command";
    // Without a signal the next command runs all its steps.
    if (cas.carte) {
      CaptureSortie sortie;
      EXPECT_EQ(commande("cont 5"), "");
      EXPECT_NE(sortie.texte().find("Legende"), std::string::npos);
    }
    reinitialiser_programme();
  }
}
