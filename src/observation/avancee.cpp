// The steps of the world with their stops: signals are looked at between two steps, where
// stopping leaves the world whole; a reader that went away is seen once a step has written to it.
#include "observation/avancee.h"

#include <cerrno>

#include "observation/statistiques.h"
#include "regles/simulation.h"
#include "socle/signaux.h"
#include "socle/sortie.h"

namespace {

// A signal that stops the steps before the next one, if any.
bool signal_en_attente(fin_avancee& fin) {
  if (arret_demande()) {
    fin = fin_avancee::arret;
    return true;
  }
  if (interruption_en_attente()) {
    fin = fin_avancee::interruption;
    return true;
  }
  return false;
}

}  // namespace

avancee avancer(std::int64_t pas, const std::function<void(std::int64_t)>& suivi) {
  avancee a{fin_avancee::complete, 0, false};
  while (a.pas_joues < pas && !signal_en_attente(a.fin)) {
    bcleprincip();
    ++a.pas_joues;
    if (erreur_sortie() == EPIPE) {
      a.fin = fin_avancee::lecteur_parti;
      break;
    }
    if (suivi && !arret_demande() && !interruption_en_attente()) suivi(a.pas_joues);
  }
  a.csv_en_echec = csv_en_echec();
  return a;
}
