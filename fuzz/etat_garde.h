// For the fuzz targets that play every input on the same start state: the world built once per
// process is kept aside and put back after reinitialiser_programme() before each input, and a
// fingerprint of everything an input can reach tells that what was put back is exactly what
// was built, so that nothing left by one input can change the next one. The files that typed
// commands write stay in a folder of the process's own, emptied before each input.
#pragma once

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <list>
#include <memory>
#include <string>
#include <vector>

#include "console/console.h"
#include "console/interpreteur.h"
#include "controle/etat_programme.h"
#include "graphique/console_gl.h"
#include "graphique/courbe_gl.h"
#include "graphique/dessin.h"
#include "graphique/scene.h"
#include "graphique/vue.h"
#include "graphique/vue_gl.h"
#include "monde/carte.h"
#include "monde/generation.h"
#include "observation/statistiques.h"
#include "population/civ.h"
#include "population/placement.h"
#include "population/unites.h"
#include "population/verification.h"
#include "regles/guerre.h"
#include "socle/alea.h"
#include "socle/journal.h"
#include "socle/modele.h"
#include "socle/parametres.h"
#include "socle/signaux.h"
#include "socle/sortie.h"

// A world before its first step: the map, the tribes with their units in list order, the free
// identifiers, the cursor, the last wars, and the random sequence as its seed and the number of
// draws made since.
struct monde_garde {
  struct tribu {
    civilisation fiche;  // without its units' identifiers: its units are below
    std::vector<unite> unites;
  };
  int colonnes = 0;
  int lignes = 0;
  std::vector<terrain> terrains;  // by columns: x outer, y inner
  std::vector<tribu> tribus;
  std::vector<int> id_libres;
  std::size_t curseur = 0;
  std::vector<conflit> conflits;
  std::uint32_t graine = 0;
  long tirages = 0;
};

// The world as it stands. Only a world of the fixed tribes, with no step run, no draw scripted
// and terrain on every cell, can be kept: the names table of the drawn tribes and the history
// are not put back.
inline monde_garde garder_monde() {
  if (lire_tribus_aleatoires() != 0 || nombre_de_pas() != 0 || alea_tirages_restants() != 0)
    std::abort();
  monde_garde g;
  g.colonnes = combien_colonnes();
  g.lignes = combien_lignes();
  for (int x = 0; x < g.colonnes; ++x)
    for (int y = 0; y < g.lignes; ++y) {
      const terrain* t = donner_terrain(x, y);
      if (t == nullptr) std::abort();
      g.terrains.push_back(*t);
    }
  for (const civilisation& c : liste_civ()) {
    monde_garde::tribu& t = g.tribus.emplace_back();
    std::memcpy(t.fiche.nom, c.nom, sizeof c.nom);
    t.fiche.code = c.code;
    t.fiche.regime = c.regime;
    t.fiche.comportement = c.comportement;
    t.fiche.milieu_prefere = c.milieu_prefere;
    for (int id : c.liste_unite) t.unites.push_back(*donner_unite(id));
  }
  g.id_libres = id_free_list();
  g.curseur = rang_civ_courante();
  int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  const int nb = donner_conflit(0, x1, y1, x2, y2);
  for (int n = 1; n <= nb; ++n) {
    donner_conflit(n, x1, y1, x2, y2);
    g.conflits.push_back({n, x1, y1, x2, y2});
  }
  g.graine = graine_partie();
  g.tirages = alea_nb_tirages();
  return g;
}

// Puts the kept world back, after reinitialiser_programme(), the way a save is installed: the
// tribes and the unit store built aside, then put in place whole. The random sequence is seeded
// again and drawn as many times as when the world was kept, so that its state and its count of
// draws are both those of the kept world.
inline void remettre_monde(const monde_garde& g) {
  fixer_dimensions(g.colonnes, g.lignes);
  std::size_t i = 0;
  for (int x = 0; x < g.colonnes; ++x)
    for (int y = 0; y < g.lignes; ++y)
      installer_terrain(x, y, std::make_unique<terrain>(g.terrains[i++]));
  std::list<civilisation> civs;
  std::size_t n = g.id_libres.size();
  for (const monde_garde::tribu& t : g.tribus) n += t.unites.size();
  registre_unites unites(n);
  for (const monde_garde::tribu& t : g.tribus) {
    civilisation& c = civs.emplace_back();
    std::memcpy(c.nom, t.fiche.nom, sizeof c.nom);
    c.code = t.fiche.code;
    c.regime = t.fiche.regime;
    c.comportement = t.fiche.comportement;
    c.milieu_prefere = t.fiche.milieu_prefere;
    for (const unite& u : t.unites) {
      c.liste_unite.push_back(u.id);
      unites[static_cast<std::size_t>(u.id) - 1] = std::make_unique<unite>(u);
    }
  }
  remplacer_liste_civ(std::move(civs), g.curseur);
  installer_unites(std::move(unites), g.id_libres);
  for (const civilisation& c : liste_civ())
    for (int id : c.liste_unite) installer_unite_carte(donner_unite(id));
  fixer_conflits(g.conflits);
  semer_partie(g.graine);
  for (long n = 0; n < g.tirages; ++n) tirer_alea();
}

// A hash over the whole state an input can reach through the modules' interfaces: the map (cells
// without terrain included), every field of every tribe and unit in list order, the free
// identifiers, the cursor, the wars, the random sequence, the step count, the settings records,
// the output stream, the logs, the signal flags and what the graphics front-end keeps (scene,
// window size, animation, chart, drawing interface). With `avec_releve`, the history too: reading
// it takes the sample of the current step first, as saving does. Each value is mixed in whole,
// FNV-1a fashion, as empreinte_monde does.
inline std::uint64_t empreinte_programme(bool avec_releve) {
  std::uint64_t h = 1469598103934665603ull;
  auto nombre = [&h](std::int64_t v) {
    h ^= static_cast<std::uint64_t>(v);
    h *= 1099511628211ull;
  };
  // A record of four-byte fields, field by field.
  auto mots = [&nombre](const auto& record) {
    static_assert(sizeof record % 4 == 0);
    std::uint32_t m[sizeof record / 4];
    std::memcpy(m, &record, sizeof record);
    for (std::uint32_t v : m) nombre(v);
  };
  // A text, eight bytes at a time after its length.
  auto texte = [&nombre](const char* t, std::size_t n) {
    nombre(static_cast<std::int64_t>(n));
    for (std::size_t i = 0; i < n; i += 8) {
      std::int64_t v = 0;
      std::memcpy(&v, t + i, std::min<std::size_t>(8, n - i));
      nombre(v);
    }
  };

  const int X = combien_colonnes();
  const int Y = combien_lignes();
  nombre(X);
  nombre(Y);
  for (int x = 0; x < X; ++x)
    for (int y = 0; y < Y; ++y) {
      const terrain* t = donner_terrain(x, y);
      nombre(t != nullptr);
      if (t != nullptr) {
        nombre(t->altitude);
        nombre(t->climat);
        for (int r = 0; r < 4; ++r) nombre(t->ressources[r]);
        nombre(t->popmax);
      }
      const unite* u = quelle_unite(x, y);
      nombre(u != nullptr ? u->id : 0);
    }
  for (const civilisation& c : liste_civ()) {
    texte(c.nom, std::strlen(c.nom));
    nombre(c.code);
    nombre(c.regime);
    nombre(c.comportement);
    nombre(c.milieu_prefere);
    nombre(nb_unites(c));
    for (int id : c.liste_unite) {
      const unite* u = donner_unite(id);
      for (std::int32_t v : {u->id, u->code, u->x, u->y, u->nb_hab, u->en_guerre, u->victoire,
                             u->comportement, u->nb_tours, u->connaissance})
        nombre(v);
      nombre(static_cast<std::int64_t>(u->adversaires.size()));
      for (int a : u->adversaires) nombre(a);
      nombre(u->case_conquise.has_value());
      if (u->case_conquise) {
        nombre(u->case_conquise->x);
        nombre(u->case_conquise->y);
      }
    }
  }
  nombre(static_cast<std::int64_t>(liste_civ().size()));
  for (int id : id_free_list()) nombre(id);
  nombre(static_cast<std::int64_t>(id_free_list().size()));
  nombre(combien_identifiants());
  nombre(static_cast<std::int64_t>(rang_civ_courante()));
  int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  const int nb = donner_conflit(0, x1, y1, x2, y2);
  nombre(nb);
  for (int n = 1; n <= nb; ++n) {
    donner_conflit(n, x1, y1, x2, y2);
    for (int v : {x1, y1, x2, y2}) nombre(v);
  }

  nombre(graine_partie());
  nombre(lire_etat_alea());
  nombre(alea_nb_tirages());
  nombre(alea_tirages_restants());
  nombre(nombre_de_pas());
  nombre(csv_en_echec());
  if (avec_releve) {
    const releve_statistiques& r = releve();
    nombre(r.pas);
    nombre(r.dernier_echantillon);
    for (const tribu_suivie& t : r.tribus) {
      nombre(t.code);
      texte(t.nom.data(), t.nom.size());
      nombre(t.premier_pas);
      nombre(t.pas_extinction);
      nombre(static_cast<std::int64_t>(t.habitants.size()));
      for (std::int32_t v : t.habitants) nombre(v);
    }
    nombre(static_cast<std::int64_t>(r.tribus.size()));
  }

  const etat_programme programme = lire_etat_programme();
  const mode_affichage affichage = lire_mode_affichage();
  const vue_gl vue = lire_vue_gl();
  mots(programme);
  mots(affichage);
  mots(vue);
  nombre(lire_tribus_aleatoires());
  nombre(lire_delai_minuterie());
  mots(lire_pas_heure());
  nombre(lire_traces_tours());
  for (const std::string& changement : parametres_changes(modele()))
    for (const char c : changement) nombre(c);
  nombre(static_cast<std::int64_t>(reinterpret_cast<std::uintptr_t>(sortie())));
  nombre(erreur_sortie());
  nombre(debug_ouvert());
  nombre(journaux_en_echec());
  nombre(arret_demande());
  nombre(interruption_en_attente());

  nombre(colonnes_scene());
  nombre(lignes_scene());
  mots(taille_case());
  nombre(largeur_fenetre());
  nombre(hauteur_fenetre());
  nombre(animation_active());
  nombre(courbe_affichee());
  nombre(static_cast<std::int64_t>(reinterpret_cast<std::uintptr_t>(&dessin_courant())));
  return h;
}

// The start state of a target's inputs: the world kept when it was built, and the fingerprints of
// the whole program and of the world (empreinte_monde) taken then.
struct depart {
  monde_garde monde;
  std::uint64_t programme = 0;
  std::uint64_t carte = 0;
};

// A 6 × 4 world, its tribes placed: small, so that each input runs fast, with something to read.
inline void peupler_petit_monde() {
  fixer_dimensions(6, 4);
  creer_tab_civ();
  creer_carte();
  positionner_unite();
}

// Keeps the state just built as the start state.
inline depart garder_depart(bool avec_releve) {
  depart d;
  d.monde = garder_monde();
  d.programme = empreinte_programme(avec_releve);
  d.carte = empreinte_monde();
  return d;
}

// Stops the process unless the state put back is the start state exactly.
inline void verifier_depart(const depart& d, bool avec_releve) {
  if (empreinte_programme(avec_releve) != d.programme || empreinte_monde() != d.carte) std::abort();
}

// Removes what the file commands left in `dossier`; it must be empty afterwards.
inline void vider_dossier(const std::string& dossier) {
  DIR* d = opendir(dossier.c_str());
  if (d == nullptr) std::abort();
  while (const dirent* e = readdir(d)) {
    const std::string nom = e->d_name;
    if (nom != "." && nom != ".." && std::remove((dossier + "/" + nom).c_str()) != 0) std::abort();
  }
  closedir(d);
}

// The folder where the file commands of typed lines (sauver, courbe, charger) run: made empty on
// first use, removed at exit.
inline const std::string& dossier_fichiers() {
  static const std::string dossier = "/tmp/pangaeolith-fuzz-fichiers-" + std::to_string(getpid());
  static const bool pret = [] {
    if (mkdir(dossier.c_str(), 0700) != 0 && errno != EEXIST) std::abort();
    vider_dossier(dossier);
    std::atexit(+[] {
      vider_dossier(dossier);
      rmdir(dossier.c_str());
    });
    return true;
  }();
  (void)pret;
  return dossier;
}

// Whether a file command ran since the folder was last emptied.
inline bool& fichiers_ecrits() {
  static bool ecrits = false;
  return ecrits;
}

// The interpreter for a typed line, the file commands (the names and abbreviations of the
// interpreter's table) run inside the process's folder, so that an input neither finds a file an
// earlier one wrote nor writes anywhere else. A file command whose line holds a '/' is not run,
// since it could reach any file of the machine.
inline int interpreter_confine(const char* ligne) {
  const char* mot = static_cast<const char*>(trouver_param(ligne, 0, PARAM_TEXTE));
  const std::string commande = mot != nullptr ? mot : "";
  if (!comparer_commande(commande.c_str(), "sauver", 0, 0) &&
      !comparer_commande(commande.c_str(), "courbe", 0, 0) &&
      !comparer_commande(commande.c_str(), "charger", 0, 0))
    return interpreter_commande(ligne);
  if (std::strchr(ligne, '/') != nullptr) return 1;
  static const int ici = open(".", O_RDONLY | O_DIRECTORY);
  if (ici < 0 || chdir(dossier_fichiers().c_str()) != 0) std::abort();
  fichiers_ecrits() = true;
  const int reconnue = interpreter_commande(ligne);
  if (fchdir(ici) != 0) std::abort();
  return reconnue;
}

// Before each input of a target that runs typed lines: the files of the last input removed.
inline void effacer_fichiers_commandes() {
  if (fichiers_ecrits()) vider_dossier(dossier_fichiers());
  fichiers_ecrits() = false;
}
