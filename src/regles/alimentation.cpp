// Feeding: each turn a unit drinks and eats from its own cell, then from its neighbours; the
// unfed die and a population that went without nothing grows by half.
#include "regles/alimentation.h"

#include <algorithm>
#include <cstdint>

#include "monde/carte.h"
#include "monde/terrain.h"
#include "population/civ.h"
#include "population/unites.h"
#include "socle/journal.h"
#include "socle/modele.h"

namespace {

// Code 4 is accepted by consommation_tour as a resource that does not exist.
constexpr int RESSOURCE_INEXISTANTE = 4;

// What one inhabitant needs of resource r per turn.
int par_habitant(int r) { return modele().besoin[r]; }

// Resource names in the trace, indexed by resource code.
constexpr std::array<const char*, 5> NOMS = {"EAU", "BOIS", "NOURRITURE_VEGETALE",
                                             "NOURRITURE_ANIMALE", "RESSOURCE INEXISTANTE"};

// Water and wood are needed by every diet; plant food by herbivores and omnivores, animal food
// by carnivores and omnivores.
bool mange(int regime, int r) {
  if (r == NOURRITURE_VEGETALE) return regime == HERBIVORE || regime == OMNIVORE;
  if (r == NOURRITURE_ANIMALE) return regime == CARNIVORE || regime == OMNIVORE;
  return true;
}

// The stock of resource r (0..3) of a terrain, and its change, as combien_ressouce and
// consommer_ressource make them once they have found the cell's terrain: the rules look the
// terrain up once per cell and go through the checked queries, with their trace lines, only
// for a cell without one.
int stock(const terrain& t, int r) { return t.ressources[static_cast<std::size_t>(r)]; }

void retirer(terrain& t, int r, int quantite) {
  modifier_ressources(&t, r, stock(t, r) - quantite);
}

// The stock of resource r (0..4) on the cell.
int stock_case(int x, int y, int r) {
  const terrain* t = r >= 0 && r < RESSOURCE_INEXISTANTE ? donner_terrain(x, y) : nullptr;
  return t != nullptr ? stock(*t, r) : combien_ressouce(x, y, r);
}

void prendre(const unite* u, int r, int quantite) {
  if (terrain* t = donner_terrain(u->x, u->y); t != nullptr)
    retirer(*t, r, quantite);
  else
    consommer_ressource(u->x, u->y, r, quantite);
}

// A population that lacked nothing grows by the model's croissance, truncated (by half by
// default: 1 stays 1, 7 become 10).
void croitre(unite* u) {
  modifier(u, static_cast<int>(std::int64_t{u->nb_hab} * modele().croissance / 100));
}

bool tout_trouve(const besoins_t& besoins) {
  return std::all_of(besoins.begin(), besoins.end(), [](int b) { return b == 0; });
}

// A neighbour feeds the unit when it is on the map and empty or held by the same tribe.
bool voisin_utilisable(const unite* u, int x, int y) {
  if (!dans_carte(x, y)) return false;
  const int tribu = quelle_tribu(x, y);
  return tribu == -1 || tribu == u->code;
}

// Takes from one neighbour what it can give of every shortfall still open, wood included.
void servir(int x, int y, besoins_t& besoins) {
  terrain* t = donner_terrain(x, y);
  for (int r = 0; r < 4; ++r) {
    if (besoins[r] <= 0) continue;
    if (t != nullptr) {
      const int pris = std::min(stock(*t, r), besoins[r]);
      retirer(*t, r, pris);
      besoins[r] -= pris;
      continue;
    }
    const int pris = std::min(combien_ressouce(x, y, r), besoins[r]);
    consommer_ressource(x, y, r, pris);
    besoins[r] -= pris;
  }
}

// The unfed who die: the hungry when they outnumber the thirsty, else the thirsty (a tie counts
// as thirst). `de_faim` tells which.
struct morts {
  int nombre;
  bool de_faim;
};

morts compter_morts(int affames, const besoins_t& besoins) {
  const int assoiffes = besoins[EAU] / par_habitant(EAU);
  return assoiffes < affames ? morts{affames, true} : morts{assoiffes, false};
}

bool a_pour_regime(const unite* u, int regime) {
  return u != nullptr && donner_regime(u->code) == regime;
}

void mettre_a_mort(unite* u, const char* etape, int nombre, const char* cause) {
  ecrire_debug("%s:mise a mort de %d habitants qui n'ont pas %s\n", etape, nombre, cause);
  modifier(u, u->nb_hab - nombre);
}

// Killing step of a one-food diet; does nothing for a tribe of another diet.
void tuer_mono(unite* u, const besoins_t& besoins, int regime, int nourriture, const char* etape) {
  if (!a_pour_regime(u, regime)) return;
  const morts m = compter_morts(besoins[nourriture] / par_habitant(nourriture), besoins);
  mettre_a_mort(u, etape, m.nombre, m.de_faim ? "mange" : "bu");
}

// Herbivores and carnivores: water and their one food from the cell, the rest from the
// neighbours; any shortfall left kills, none lets the population grow.
void nourrir_mono(unite* u, besoins_t& besoins, int nourriture,
                  void (*tuer)(unite*, const besoins_t&)) {
  prendre(u, EAU, consommation_tour(u, EAU));
  prendre(u, nourriture, consommation_tour(u, nourriture));
  if (besoins[EAU] != 0 || besoins[nourriture] != 0) chercher_ressources_voisines(u, besoins);
  if (besoins[EAU] != 0 || besoins[nourriture] != 0) {
    tuer(u, besoins);
  } else {
    croitre(u);
  }
}

// Omnivores: with water and one of the two foods on the cell they grow without taking anything.
// Otherwise plant food is eaten first and animal food makes up for it; a cell rich enough in
// plant food ends the feeding even when water is short (no death, no growth).
void nourrir_omnivore(unite* u, besoins_t& besoins) {
  if (besoins[EAU] == 0 &&
      (besoins[NOURRITURE_VEGETALE] == 0 || besoins[NOURRITURE_ANIMALE] == 0)) {
    croitre(u);
    return;
  }
  const int eau = consommation_tour(u, EAU);
  prendre(u, EAU, eau);
  besoins[EAU] = par_habitant(EAU) * (u->nb_hab - eau / par_habitant(EAU));
  const int vegetale = consommation_tour(u, NOURRITURE_VEGETALE);
  prendre(u, NOURRITURE_VEGETALE, vegetale);
  if (besoins[NOURRITURE_VEGETALE] == 0) return;

  const int vegetale_par_habitant = par_habitant(NOURRITURE_VEGETALE);
  const int animale_par_habitant = par_habitant(NOURRITURE_ANIMALE);
  const int necessaire = animale_par_habitant * (u->nb_hab - vegetale / vegetale_par_habitant);
  ecrire_debug("evolution_demo_par_alimentation:qte_necess_anim=%d\n", necessaire);
  const int animale = stock_case(u->x, u->y, NOURRITURE_ANIMALE);
  ecrire_debug("evolution_demo_par_alimentation:qte_dispo_anim=%d\n", animale);
  if (necessaire <= animale) {
    prendre(u, NOURRITURE_ANIMALE, necessaire);
    return;
  }
  prendre(u, NOURRITURE_ANIMALE, animale);
  // Either food can feed those still unfed.
  const int non_nourris =
      u->nb_hab - animale / animale_par_habitant - vegetale / vegetale_par_habitant;
  besoins[NOURRITURE_VEGETALE] = vegetale_par_habitant * non_nourris;
  besoins[NOURRITURE_ANIMALE] = animale_par_habitant * non_nourris;
  chercher_ressources_voisines(u, besoins);
  tuer_omni_non_nourris(u, besoins);
}

}  // namespace

int consommation_tour(const unite* u, int r) {
  if (u == nullptr || r < 0 || r > RESSOURCE_INEXISTANTE) return -1;
  ecrire_debug("consommation_tour:%s\n", NOMS[r]);
  const int seuil = r == RESSOURCE_INEXISTANTE ? 0 : par_habitant(r) * u->nb_hab;
  const int pris = std::min(stock_case(u->x, u->y, r), seuil);
  ecrire_debug("consommation_tour:qte consommee=%d\n", pris);
  return pris;
}

int besoin(const unite* u, int r) {
  if (u == nullptr || r < 0 || r > RESSOURCE_INEXISTANTE) return -1;
  const int dispo = stock_case(u->x, u->y, r);
  if (r == RESSOURCE_INEXISTANTE) return -1;
  const int seuil = mange(donner_regime(u->code), r) ? par_habitant(r) * u->nb_hab : 0;
  ecrire_debug("besoin %s: seuil_de_subsistance=%d qte dispo=%d\n", NOMS[r], seuil, dispo);
  return dispo > seuil ? 0 : seuil - dispo;
}

int chercher_ressources_voisines(const unite* u, besoins_t& besoins) {
  if (u == nullptr) return 0;
  for (const coord& d : VOISINS) {
    const int x = u->x + d.x;
    const int y = u->y + d.y;
    if (voisin_utilisable(u, x, y)) servir(x, y, besoins);
    if (tout_trouve(besoins)) break;
  }
  return tout_trouve(besoins) ? 1 : 0;
}

void tuer_herbi_non_nourris(unite* u, const besoins_t& besoins) {
  tuer_mono(u, besoins, HERBIVORE, NOURRITURE_VEGETALE, "tuer_herbi_non_nourris");
}

void tuer_omni_non_nourris(unite* u, const besoins_t& besoins) {
  if (!a_pour_regime(u, OMNIVORE)) return;
  const int affames =
      std::min(besoins[NOURRITURE_VEGETALE] / par_habitant(NOURRITURE_VEGETALE),
               besoins[NOURRITURE_ANIMALE] / par_habitant(NOURRITURE_ANIMALE));
  // Whatever the count, the omnivore's trace blames hunger.
  mettre_a_mort(u, "tuer_omni_non_nourris", compter_morts(affames, besoins).nombre, "mange");
}

void tuer_carni_non_nourris(unite* u, const besoins_t& besoins) {
  tuer_mono(u, besoins, CARNIVORE, NOURRITURE_ANIMALE, "tuer_carni_non_nourris");
}

int evolution_demo_par_alimentation(unite* u) {
  if (u == nullptr) return 0;
  const int regime = donner_regime(u->code);
  ecrire_debug("evolution_demo_par_alimentation:(%d,%d) nb_habitants=%d r.a=%d\n", u->x, u->y,
               u->nb_hab, regime);
  // Every shortfall is measured on the cell before anything is taken from it.
  besoins_t besoins{};
  for (int r = 0; r < 4; ++r) besoins[r] = besoin(u, r);
  switch (regime) {
    case HERBIVORE:
      nourrir_mono(u, besoins, NOURRITURE_VEGETALE, tuer_herbi_non_nourris);
      break;
    case CARNIVORE:
      nourrir_mono(u, besoins, NOURRITURE_ANIMALE, tuer_carni_non_nourris);
      break;
    case OMNIVORE:
      nourrir_omnivore(u, besoins);
      break;
    default:
      break;
  }
  return 1;
}
