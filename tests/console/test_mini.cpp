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

const std::string LEGENDE =
    "Légende : o océan, p plaine, c colline, m montagne, chiffre : code de la tribu\n";
const std::string E = "\x1b";

std::string dessiner() {
  CaptureSortie sortie;
  EXPECT_EQ(afficher_carte_compacte(), 1);
  return sortie.texte();
}

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

TEST(CarteCompacte, CadreSolsEtTribus) {
  construire_monde(1, 1, BAS, 5);
  EXPECT_EQ(dessiner(), "   0\n  +-+\n 0|p|\n  +-+\n" + LEGENDE);

  // Every ground letter; a unit shows its tribe code instead of the ground.
  construire_monde(7, 3, BAS, 5);
  ajouter_tribu(4, 0, 1, 1);
  fixer_case(1, 0, MOYEN, 0, 0, 0, 0);
  fixer_case(2, 0, MER, 0, 0, 0, 0);
  fixer_case(6, 2, HAUT, 0, 0, 0, 0);
  ajouter_unite(4, 3, 0, 50);
  ajouter_unite(4, 6, 2, 50);
  ajouter_unite(4, 0, 1, 50);
  EXPECT_EQ(dessiner(),
            "   0\n"
            "  +-------+\n"
            " 0|pco4ppp|\n"
            "  |4pppppp|\n"
            "  |pppppp4|\n"
            "  +-------+\n" +
                LEGENDE);
}

TEST(CarteCompacte, CouleursAnsi) {
  // The colours change where the ground changes; each row ends reset (then bold in bold mode).
  construire_monde(3, 1, BAS, 5);
  fixer_case(2, 0, MER, 0, 0, 0, 0);
  const std::string plaine = E + "[30m" + E + "[43m";
  const std::string mer = E + "[30m" + E + "[44m";
  for (int bold : {0, 1}) {
    fixer_mode_affichage({1, bold, 0});
    EXPECT_EQ(dessiner(), "   0\n  +---+\n 0|" + plaine + "pp" + mer + "o" + E + "[0m" +
                              (bold ? E + "[1m" : "") + "|\n  +---+\n" + LEGENDE);
  }
}

TEST(CommandesTerminal, TraceGraineEtMini) {
  construire_monde(2, 1, BAS, 5);
  fixer_entree_sortie(lire_script, capturer);
  fixer_interpreteur(interpreter_commande);
  EXPECT_EQ(commande("trace"), "Etat des lignes des tours:on\n");
  EXPECT_EQ(commande("TRACE 0"), "Lignes des tours et des guerres masquées\n");
  EXPECT_EQ(lire_traces_tours(), 0);
  EXPECT_EQ(commande("trace"), "Etat des lignes des tours:off\n");
  EXPECT_EQ(commande("trace 7"), "Lignes des tours et des guerres affichées\n");
  EXPECT_EQ(lire_traces_tours(), 1);
  // Not abbreviations of anything: "t", "g" and "m" stay unknown.
  for (const char* mot : {"t", "g", "m", "min", "grain"})
    EXPECT_EQ(commande(mot), "Commande incorrecte - H ou h ou help pour Aide\n") << mot;

  semer_partie(3000000000u);
  initialiser_alea(1);  // a later reseeding does not change the run's seed
  EXPECT_EQ(commande("graine"),
            "Graine de la partie : 3000000000 (pour la rejouer : --seed 3000000000 et les mêmes "
            "options)\n");

  CaptureSortie sortie;
  EXPECT_EQ(commande("mini"), "");
  EXPECT_EQ(sortie.texte(), "   0\n  +--+\n 0|pp|\n  +--+\n" + LEGENDE);
}

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
