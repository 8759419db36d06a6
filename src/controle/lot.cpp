// The headless run: the steps, a stop between two of them when a signal asks for it, and an exit
// status that says whether the run is whole.
#include "controle/lot.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "observation/avancee.h"
#include "socle/journal.h"
#include "socle/sortie.h"

int executer_lot(std::int64_t pas) {
  ecrire_debug("lot - %lld pas sans invite\n", static_cast<long long>(pas));
  const avancee a = avancer(pas);
  vider_sortie();
  if (a.fin == fin_avancee::arret || a.fin == fin_avancee::interruption) {
    std::fprintf(stderr, "pangaeolith : arrêt demandé après %lld pas sur %lld.\n",
                 static_cast<long long>(a.pas_joues), static_cast<long long>(pas));
    return 1;
  }
  // The CSV file said what went wrong when it failed; the run is not whole.
  return a.csv_en_echec ? 1 : 0;
}

int statut_final(int statut) {
  remettre_attributs();
  vider_sortie();
  const int erreur = erreur_sortie();
  if (erreur != 0 && erreur != EPIPE) {
    std::fprintf(stderr, "pangaeolith : la sortie standard n'a pas pu être écrite (%s).\n",
                 std::strerror(erreur));
    if (statut == 0 || statut == 1) statut = 3;
  }
  if (statut == 0 && journaux_en_echec()) statut = 4;
  return statut;
}
