// Terrain of one cell: creation, accessors, modifiers, and the per-step resource and climate
// changes. Every operation checks its arguments, traces to the debug log and answers misuse
// with a neutral value.
#include "monde/terrain.h"

#include <algorithm>

#include "socle/alea.h"
#include "socle/journal.h"
#include "socle/modele.h"

namespace {

bool altitude_connue(int altitude) { return altitude >= MER && altitude <= HAUT; }
bool ressource_connue(int ressource) { return ressource >= EAU && ressource <= NOURRITURE_ANIMALE; }

}  // namespace

std::unique_ptr<terrain> creer_terrain(int altitude, int climat) {
  auto t = std::make_unique<terrain>();
  t->ressources = {0, 0, 0, 0};
  if (climat >= 0 && climat <= 9) {
    t->climat = climat;
  } else {
    ecrire_debug(
        "creer_terrain - terrain %p: climat passe en parametre n'est pas dans les bornes fixees "
        "mais initialise a %i\n",
        static_cast<void*>(t.get()), 0);
    t->climat = 0;
  }
  if (altitude_connue(altitude)) {
    t->altitude = altitude;
  } else {
    ecrire_debug(
        "creer_terrain - terrain %p: altitude passee en parametre n'a pas une valeur connue mais "
        "initialisee a %i\n",
        static_cast<void*>(t.get()), 1);
    t->altitude = BAS;
  }
  t->popmax = pop_terrain(t->altitude);
  return t;
}

int pop_terrain(int altitude) {
  switch (altitude) {
    case MER:
      return 0;
    case BAS:
    case MOYEN:
    case HAUT:
      return modele().capacite[altitude];
    default:
      ecrire_debug("pop_terrain - altitude %i inconnue, renvoie -1", altitude);
      return -1;
  }
}

int donner_altitude(const terrain* t) {
  if (t == nullptr) {
    ecrire_debug("donner_altitude - pointeur NULL passe en parametre, renvoie -1\n");
    return -1;
  }
  return t->altitude;
}

int donner_climat(const terrain* t) {
  if (t == nullptr) {
    ecrire_debug("donner_climat - pointeur NULL passe en parametre, renvoie -1\n");
    return -1;
  }
  return t->climat;
}

int donner_popmax(const terrain* t) {
  if (t == nullptr) {
    ecrire_debug("donner_popmax - pointeur NULL passe en parametre, renvoie false\n");
    return -1;
  }
  return t->popmax;
}

int t_donner_ressources(const terrain* t, int ressource) {
  if (t == nullptr) {
    ecrire_debug("t_donner_ressources - pointeur NULL passe en parametre, renvoie -1\n");
    return -1;
  }
  if (!ressource_connue(ressource)) {
    ecrire_debug("t_donner_ressources - ressource %i inconnue, renvoie -1\n", ressource);
    return -1;
  }
  return t->ressources[ressource];
}

int modifier_altitude(terrain* t, int altitude) {
  if (t == nullptr) {
    ecrire_debug("modifier_altitude - pointeur NULL passe en parametre, renvoie false\n");
    return 0;
  }
  if (!altitude_connue(altitude)) {
    ecrire_debug(
        "modifier_altitude - terrain %p: altitude passee en parametre incorrecte, pas de "
        "modification, renvoie false\n",
        static_cast<void*>(t));
    return 0;
  }
  t->altitude = altitude;
  t->popmax = pop_terrain(altitude);
  ecrire_debug("modifier_altitude - terrain %p: nouvelle altitude=%i nouveau popmax=%i\n",
               static_cast<void*>(t), t->altitude, t->popmax);
  return 1;
}

// A sea cell is reset to full water and nothing else by any request, which makes the sea a
// lasting source of water for the units around it.
int modifier_ressources(terrain* t, int ressource, int quantite) {
  if (t == nullptr) {
    ecrire_debug("modifier_ressources - pointeur NULL passe en parametre, renvoie false\n");
    return 0;
  }
  if (t->altitude == MER) {
    ecrire_debug("modifier_ressources - terrain %p: MER ressource non modifiee",
                 static_cast<void*>(t));
    t->ressources = {modele().ressource_max, 0, 0, 0};
    return 1;
  }
  if (!ressource_connue(ressource)) {
    ecrire_debug(
        "modifier_ressources - terrain %p: ressource %i inconnue, rien n'est modifie, renvoie "
        "false\n",
        static_cast<void*>(t), ressource);
    return 0;
  }
  if (quantite < 0) {
    ecrire_debug(
        "modifier_ressources - terrain %p: qte passee en parametre negative, rien n'est modifie, "
        "renvoie false\n",
        static_cast<void*>(t));
    return 0;
  }
  t->ressources[ressource] = quantite;
  ecrire_debug("modifier_ressources - terrain %p: ressource %i modifiee, nouvelle valeur=%i\n",
               static_cast<void*>(t), ressource, quantite);
  return 1;
}

// Drought withers every stock by a third, the sea included; otherwise land stocks grow with the
// climate up to the ceiling.
int conso(terrain* t) {
  if (t == nullptr) {
    ecrire_debug("conso - pointeur NULL passe en parametre, -1 est renvoye\n");
    return -1;
  }
  if (t->climat == 0) {
    for (auto& q : t->ressources)
      if (q > 0) q = q * 2 / 3;
    return 1;
  }
  if (t->altitude == MER) return 1;
  const int c = t->climat;
  const parametres_modele& m = modele();
  for (int r : {EAU, BOIS, NOURRITURE_ANIMALE, NOURRITURE_VEGETALE})
    t->ressources[r] = std::min(t->ressources[r] + c * m.regeneration[r], m.ressource_max);
  return 1;
}

// The climate moves halfway toward the surroundings' push, plus a drawn drift of at most the
// model's derive_climat either way (+2..-2 by default); high
// ground gets harsher (away from 4), low ground and sea wetter; the result is kept in 0..9.
int evolution_climat(terrain* t, int moyenne_climat) {
  if (t == nullptr || moyenne_climat < 0 || moyenne_climat > 9) {
    ecrire_debug(
        "evolution_climat - pointeur NULL ou moyenne_climat pas dans les bornes definies, ne "
        "change rien et renvoie false\n");
    return 0;
  }
  const void* p = t;
  ecrire_debug("evolution_climat - climat du terrain %p: avant-> %i\n", p, t->climat);
  const int derive = modele().derive_climat;
  const int k = tirer_proportion(2 * derive + 1);
  int c = t->climat;
  c = c + (moyenne_climat - c) / 2 + derive - k;
  ecrire_debug("evolution_climat - climat du terrain %p: apres-> %i\n", p, c);
  if (t->altitude == HAUT && c != 4) {
    c += c > 4 ? 1 : -1;
    ecrire_debug(
        "evolution_climat - climat du terrain %p: altitude=HAUT donc climat plus rude apres-> %i\n",
        p, c);
  } else if (t->altitude == MER || t->altitude == BAS) {
    ++c;
    ecrire_debug(
        "evolution_climat - climat du terrain %p: altitude=BAS ou MER donc tendance a la pluie "
        "apres-> %i\n",
        p, c);
  }
  if (c > 9 || c < 0) {
    c = c > 9 ? 9 : 0;
    ecrire_debug(
        "evolution_climat - climat du terrain %p: recalibrage du climat dans les bornes apres-> "
        "%i\n",
        p, c);
  }
  t->climat = c;
  return 1;
}
