// Linear congruential generator shared by the whole program, with a scripted mode for tests.
#include "socle/alea.h"

#include <cstddef>
#include <utility>

namespace {

struct Etat {
  std::uint32_t s = 1;
  std::vector<int> script;
  std::size_t prochain = 0;
  long nb_tirages = 0;
};

Etat etat;
std::uint32_t graine_de_la_partie = 1;

}  // namespace

void initialiser_alea(std::uint32_t graine) {
  etat = {};
  etat.s = graine;
}

void semer_partie(std::uint32_t graine) {
  initialiser_alea(graine);
  graine_de_la_partie = graine;
}

std::uint32_t graine_partie() { return graine_de_la_partie; }

int tirer_alea() {
  ++etat.nb_tirages;
  if (etat.prochain < etat.script.size()) return etat.script[etat.prochain++];
  etat.s = etat.s * 1103515245u + 12345u;
  return static_cast<int>((etat.s >> 16) & 0x7FFFu);
}

int tirer_proportion(int n) {
  return static_cast<int>(static_cast<long long>(tirer_alea()) * n / ALEA_PLAGE);
}

void scripter_alea(std::vector<int> tirages) {
  etat.script = std::move(tirages);
  etat.prochain = 0;
  etat.nb_tirages = 0;
}

int alea_tirages_restants() { return static_cast<int>(etat.script.size() - etat.prochain); }

long alea_nb_tirages() { return etat.nb_tirages; }

std::uint32_t lire_etat_alea() { return etat.s; }
