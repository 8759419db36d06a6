// Test support shared by every layer.
#include "commun/monde_test.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "console/console.h"
#include "console/interpreteur.h"
#include "controle/alea.h"
#include "controle/journal.h"
#include "controle/parametres.h"
#include "controle/sortie.h"
#include "monde/carte.h"
#include "population/civ.h"
#include "population/unites.h"
#include "regles/guerre.h"

void reinitialiser_monde() {
  fermer_debug();
  fermer_erreur();
  fixer_sortie(nullptr);
  reinitialiser_parametres();
  reinitialiser_civ();
  reinitialiser_unites();
  reinitialiser_carte();
  init_conflits();
  init_console();
  fixer_actions_graphiques({});
  initialiser_alea(1);
}

void construire_monde(int x, int y, int altitude, int climat, int ressource) {
  reinitialiser_monde();
  fixer_dimensions(x, y);
  for (int i = 0; i < x; ++i)
    for (int j = 0; j < y; ++j) {
      installer_terrain(i, j, creer_terrain(altitude, climat));
      terrain* t = donner_terrain(i, j);
      for (int r = 0; r < 4; ++r) modifier_ressources(t, r, ressource);
    }
}

void fixer_case(int x, int y, int altitude, int eau, int bois, int vegetale, int animale) {
  terrain* t = donner_terrain(x, y);
  modifier_altitude(t, altitude);
  modifier_ressources(t, EAU, eau);
  modifier_ressources(t, BOIS, bois);
  modifier_ressources(t, NOURRITURE_VEGETALE, vegetale);
  modifier_ressources(t, NOURRITURE_ANIMALE, animale);
}

void ajouter_tribu(int code, int regime, int comportement, int milieu_prefere) {
  const std::string nom = "T" + std::to_string(code);
  ajouter_civ(code, nom.c_str(), regime, comportement, milieu_prefere);
}

std::vector<std::string> verifier_monde() {
  std::vector<std::string> fautes;
  auto faute = [&](const std::string& texte) { fautes.push_back(texte); };
  const int X = combien_colonnes();
  const int Y = combien_lignes();

  // Every living unit, from the tribe lists.
  std::map<const unite*, int> vus;
  std::set<int> codes;
  std::vector<int> ids;
  for (const civilisation& c : liste_civ()) {
    if (!codes.insert(c.code).second) faute("code de tribu en double " + std::to_string(c.code));
    int n = 0;
    for (const auto& u : c.liste_unite) {
      ++n;
      if (++vus[u.get()] > 1) faute("unite dans deux listes, id " + std::to_string(u->id));
      if (u->code != c.code)
        faute("unite " + std::to_string(u->id) + " dans la liste d'une autre tribu");
      if (u->nb_hab < 0) faute("population negative, unite " + std::to_string(u->id));
      if (!dans_carte(u->x, u->y)) {
        faute("unite hors carte " + std::to_string(u->id));
      } else if (quelle_unite(u->x, u->y) != u.get()) {
        faute("unite " + std::to_string(u->id) + " absente de sa case");
      }
      ids.push_back(u->id);
    }
    if (n != c.nb_unites) faute("nb_unites faux pour la tribu " + std::to_string(c.code));
  }

  // Every occupied cell refers to a listed unit, and no resource is negative.
  std::size_t occupees = 0;
  for (int x = 0; x < X; ++x)
    for (int y = 0; y < Y; ++y) {
      const unite* u = quelle_unite(x, y);
      if (u != nullptr) {
        ++occupees;
        if (vus.count(u) == 0)
          faute("case occupee par une unite d'aucune tribu");
        else if (u->x != x || u->y != y)
          faute("unite sur une case qui n'est pas la sienne");
      }
      const terrain* t = donner_terrain(x, y);
      if (t == nullptr) {
        faute("case sans terrain");
        continue;
      }
      for (int r = 0; r < 4; ++r)
        if (t->ressources[r] < 0) faute("ressource negative");
      if (t->popmax != pop_terrain(t->altitude)) faute("popmax incoherent");
    }
  if (occupees != vus.size()) faute("nombre de cases occupees different du nombre d'unites");

  // Living identifiers plus the free stack are exactly 1..N.
  std::vector<int> tous = ids;
  tous.insert(tous.end(), id_free_list().begin(), id_free_list().end());
  std::sort(tous.begin(), tous.end());
  for (std::size_t i = 0; i < tous.size(); ++i)
    if (tous[i] != static_cast<int>(i) + 1) {
      faute("identifiants vivants et libres differents de 1..N");
      break;
    }
  return fautes;
}

std::uint64_t empreinte_monde() {
  std::uint64_t h = 1469598103934665603ull;
  auto melanger = [&h](std::int64_t v) {
    h ^= static_cast<std::uint64_t>(v);
    h *= 1099511628211ull;
  };
  const int X = combien_colonnes();
  const int Y = combien_lignes();
  melanger(X);
  melanger(Y);
  for (int x = 0; x < X; ++x)
    for (int y = 0; y < Y; ++y) {
      const terrain* t = donner_terrain(x, y);
      melanger(t->altitude);
      melanger(t->climat);
      for (int r = 0; r < 4; ++r) melanger(t->ressources[r]);
      const unite* u = quelle_unite(x, y);
      melanger(u != nullptr ? u->id : 0);
      if (u != nullptr) {
        melanger(u->code);
        melanger(u->nb_hab);
        melanger(u->comportement);
        melanger(u->nb_tours);
      }
    }
  for (int id : id_free_list()) melanger(id);
  for (const civilisation& c : liste_civ()) {
    melanger(c.code);
    for (const auto& u : c.liste_unite) melanger(u->id);
  }
  return h;
}

CaptureSortie::CaptureSortie() {
  flux_ = open_memstream(&tampon_, &taille_);
  fixer_sortie(flux_);
}

CaptureSortie::~CaptureSortie() {
  fixer_sortie(nullptr);
  std::fclose(flux_);
  std::free(tampon_);
}

std::string CaptureSortie::texte() {
  std::fflush(flux_);
  return std::string(tampon_, taille_);
}

CaptureJournaux::CaptureJournaux() {
  char modele[] = "/tmp/pangaeolith-journal-XXXXXX";
  dossier_ = mkdtemp(modele);
  ouvrir_debug((dossier_ + "/debug.log").c_str());
  ouvrir_erreur((dossier_ + "/error.log").c_str());
}

CaptureJournaux::~CaptureJournaux() {
  fermer_debug();
  fermer_erreur();
  std::remove((dossier_ + "/debug.log").c_str());
  std::remove((dossier_ + "/error.log").c_str());
  std::remove(dossier_.c_str());
}

static std::string lire_fichier(const std::string& chemin) {
  vider_journaux();
  std::ifstream f(chemin, std::ios::binary);
  std::stringstream s;
  s << f.rdbuf();
  return s.str();
}

// Messages of a log: each record's text after "Debug - HH:MM:SS:ms - " (or "Error - ...").
static std::vector<std::string> messages(const std::string& brut) {
  std::vector<std::string> lignes;
  std::istringstream flux(brut);
  std::string ligne;
  while (std::getline(flux, ligne)) {
    const auto debut = ligne.find(" - ", 8);
    lignes.push_back(debut == std::string::npos ? ligne : ligne.substr(debut + 3));
  }
  return lignes;
}

std::string CaptureJournaux::debug_brut() { return lire_fichier(dossier_ + "/debug.log"); }
std::string CaptureJournaux::erreur_brut() { return lire_fichier(dossier_ + "/error.log"); }
std::vector<std::string> CaptureJournaux::debug() { return messages(debug_brut()); }
std::vector<std::string> CaptureJournaux::erreur() { return messages(erreur_brut()); }

bool contient(const std::vector<std::string>& lignes, const std::string& ligne) {
  return std::find(lignes.begin(), lignes.end(), ligne) != lignes.end();
}

int compter(const std::vector<std::string>& lignes, const std::string& ligne) {
  return static_cast<int>(std::count(lignes.begin(), lignes.end(), ligne));
}
