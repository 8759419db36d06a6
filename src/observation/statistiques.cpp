// Observation of a run: the step counter, one sample of every tribe's inhabitants per step, the
// extinctions, and the CSV file of --stats, flushed after every step so that a crash loses at
// most the step under way.
#include "observation/statistiques.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <map>
#include <new>
#include <string_view>
#include <utility>

#include "population/civ.h"
#include "population/unites.h"
#include "regles/guerre.h"
#include "regles/simulation.h"
#include "socle/fichiers.h"
#include "socle/modele.h"

namespace {

// The CSV file's name in the register of the run's outputs.
constexpr const char* ROLE_CSV = "le fichier CSV de --stats";

struct Etat {
  releve_statistiques releve;
  FILE* csv = nullptr;
  std::string chemin_csv;
  bool echec_csv = false;
};

Etat etat;

// Units and inhabitants of one tribe of liste_civ.
struct compte {
  std::int32_t unites = 0;
  std::int64_t habitants = 0;
};

std::map<std::int32_t, compte> compter_tribus() {
  std::map<std::int32_t, compte> comptes;
  for (const civilisation& c : liste_civ()) {
    compte& n = comptes[c.code];
    n.unites = nb_unites(c);
    for (int id : c.liste_unite) n.habitants += donner_unite(id)->nb_hab;
  }
  return comptes;
}

// A tribe's count clamped to what one sample holds.
std::int32_t borner(std::int64_t habitants) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(habitants, 0, INT32_MAX));
}

// Number of characters of a UTF-8 text (bytes that do not continue a character).
std::size_t largeur(const std::string& texte) {
  return static_cast<std::size_t>(std::count_if(texte.begin(), texte.end(), [](char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  }));
}

std::string a_gauche(const std::string& texte, std::size_t n) {
  const std::size_t l = largeur(texte);
  return l >= n ? texte : texte + std::string(n - l, ' ');
}

std::string a_droite(const std::string& texte, std::size_t n) {
  const std::size_t l = largeur(texte);
  return l >= n ? texte : std::string(n - l, ' ') + texte;
}

// A failed write of the CSV file is said once on standard error; the file is then closed, so
// that the run goes on without writing a file it can no longer trust.
void echec_csv(const char* quoi) {
  std::fprintf(stderr, "pangaeolith : %s de %s impossible : %s\n", quoi, etat.chemin_csv.c_str(),
               std::strerror(errno));
  fermer_csv();
  etat.echec_csv = true;
}

// The CSV lines of the current step: every tribe alive at its start, those that died out in it
// included (with 0 units), in the order they were first seen.
void ecrire_lignes_csv() {
  if (etat.csv == nullptr) return;
  const auto comptes = compter_tribus();
  const int guerres = guerres_derniere_phase();
  const std::int64_t pas = etat.releve.pas;
  for (const tribu_suivie& t : etat.releve.tribus) {
    if (t.premier_pas > pas || (t.pas_extinction >= 0 && t.pas_extinction < pas)) continue;
    const auto c = comptes.find(t.code);
    const compte n = c != comptes.end() ? c->second : compte{};
    std::fprintf(etat.csv, "%lld,%d,%s,%d,%lld,%d\n", static_cast<long long>(pas), t.code,
                 champ_csv(t.nom).c_str(), n.unites, static_cast<long long>(n.habitants), guerres);
  }
  if (std::fflush(etat.csv) != 0 || std::ferror(etat.csv)) echec_csv("l'écriture");
}

void debut_de_pas() { echantillonner(); }

void fin_de_pas() {
  ++etat.releve.pas;
  echantillonner();
  ecrire_lignes_csv();
}

}  // namespace

std::int64_t nombre_de_pas() { return etat.releve.pas; }

void suivre_les_pas() { fixer_observateurs_pas({debut_de_pas, fin_de_pas}); }

void echantillonner() {
  releve_statistiques& r = etat.releve;
  if (r.dernier_echantillon == r.pas) return;
  r.dernier_echantillon = r.pas;
  auto comptes = compter_tribus();
  for (tribu_suivie& t : r.tribus) {
    const auto c = comptes.find(t.code);
    if (t.pas_extinction < 0) {
      const bool vivante = c != comptes.end() && c->second.unites > 0;
      t.habitants.push_back(vivante ? borner(c->second.habitants) : 0);
      if (!vivante) t.pas_extinction = r.pas;
    }
    if (c != comptes.end()) comptes.erase(c);
  }
  // A tribe not seen before starts its series here (at the first sample, every tribe).
  for (const civilisation& c : liste_civ()) {
    const auto n = comptes.find(c.code);
    if (n == comptes.end()) continue;
    const bool vivante = n->second.unites > 0;
    r.tribus.push_back(tribu_suivie{
        c.code, c.nom, r.pas, vivante ? -1 : r.pas, {vivante ? borner(n->second.habitants) : 0}});
  }
}

std::vector<bilan_tribu> bilan_tribus() {
  echantillonner();
  const auto comptes = compter_tribus();
  std::vector<bilan_tribu> vivantes;
  std::vector<bilan_tribu> eteintes;
  for (const tribu_suivie& t : etat.releve.tribus) {
    if (t.pas_extinction >= 0) {
      eteintes.push_back({t.code, t.nom, 0, 0, t.pas_extinction});
      continue;
    }
    const auto c = comptes.find(t.code);
    const compte n = c != comptes.end() ? c->second : compte{};
    vivantes.push_back({t.code, t.nom, n.unites, n.habitants, -1});
  }
  // Living tribes in list order, the dead in the order they died out.
  auto rang = [](std::int32_t code) {
    int i = 0;
    for (const civilisation& c : liste_civ()) {
      if (c.code == code) return i;
      ++i;
    }
    return i;
  };
  std::stable_sort(
      vivantes.begin(), vivantes.end(),
      [&](const bilan_tribu& a, const bilan_tribu& b) { return rang(a.code) < rang(b.code); });
  std::stable_sort(eteintes.begin(), eteintes.end(),
                   [](const bilan_tribu& a, const bilan_tribu& b) {
                     return a.pas_extinction < b.pas_extinction;
                   });
  vivantes.insert(vivantes.end(), eteintes.begin(), eteintes.end());
  return vivantes;
}

int guerres_derniere_phase() {
  int x1 = 0;
  int y1 = 0;
  int x2 = 0;
  int y2 = 0;
  return donner_conflit(0, x1, y1, x2, y2);
}

const releve_statistiques& releve() {
  echantillonner();
  return etat.releve;
}

void remplacer_releve(releve_statistiques r) { etat.releve = std::move(r); }

bool ouvrir_csv(const std::string& chemin, std::string& erreur) {
  fermer_csv();
  etat.chemin_csv = chemin;
  // A regular file only, opened without waiting and emptied in place: a FIFO or a device is
  // refused at once, a link stays a link, the file keeps its permissions.
  std::string raison;
  const int fd = ouvrir_en_ecriture(chemin, true, raison);
  FILE* f = fd >= 0 ? fdopen(fd, "w") : nullptr;
  if (f == nullptr) {
    if (fd >= 0) {
      raison = std::strerror(errno);
      close(fd);
    }
    erreur = "impossible d'écrire dans " + chemin + " : " + raison;
    return false;
  }
  enregistrer_sortie(ROLE_CSV, fd, chemin);
  etat.csv = f;
  etat.echec_csv = false;
  // Parameters changed from their defaults head the file as comment lines, which CSV readers skip
  // when told that "#" starts a comment; a run with the defaults writes none.
  bool ecrit = true;
  for (const std::string& p : parametres_changes(modele()))
    ecrit = ecrit && std::fprintf(f, "# %s\n", p.c_str()) >= 0;
  if (!ecrit || std::fprintf(f, "%s\n", entete_csv()) < 0 || std::fflush(f) != 0) {
    erreur = "impossible d'écrire dans " + chemin + " : " + std::strerror(errno);
    fermer_csv();
    return false;
  }
  return true;
}

bool csv_en_echec() { return etat.echec_csv; }

void ecrire_etat_csv() {
  echantillonner();
  ecrire_lignes_csv();
}

void commenter_csv(const std::string& texte) {
  if (etat.csv == nullptr || etat.echec_csv) return;
  if (std::fprintf(etat.csv, "# %s\n", texte.c_str()) < 0 || std::fflush(etat.csv) != 0)
    echec_csv("l'écriture");
}

void fermer_csv() {
  if (etat.csv == nullptr) return;
  std::fclose(etat.csv);
  etat.csv = nullptr;
  retirer_sortie(ROLE_CSV);
}

const char* entete_csv() { return "pas,code,nom,unites,habitants,guerres_du_pas"; }

std::string champ_csv(const std::string& texte) {
  // A cell that a spreadsheet would take for a formula is made plain text by a quote before it.
  const bool formule =
      !texte.empty() && std::string_view("=+-@\t\r").find(texte.front()) != std::string_view::npos;
  const std::string cellule = formule ? "'" + texte : texte;
  if (cellule.find_first_of(",\"\r\n") == std::string::npos) return cellule;
  std::string resultat = "\"";
  for (char c : cellule) {
    if (c == '"') resultat += '"';
    resultat += c;
  }
  return resultat + "\"";
}

namespace {

// The lines of the table.
std::vector<std::string> lignes_statistiques() {
  const std::vector<bilan_tribu> tribus = bilan_tribus();
  std::size_t l_nom = largeur("Tribu");
  for (const bilan_tribu& t : tribus) l_nom = std::max(l_nom, largeur(t.nom));
  constexpr std::size_t L_CODE = 4;
  constexpr std::size_t L_UNITES = 7;
  constexpr std::size_t L_HABITANTS = 10;

  std::vector<std::string> lignes;
  lignes.push_back("Pas joués : " + std::to_string(nombre_de_pas()));
  lignes.push_back(a_droite("Code", L_CODE) + "  " + a_gauche("Tribu", l_nom) +
                   a_droite("Unités", L_UNITES) + a_droite("Habitants", L_HABITANTS));
  int vivantes = 0;
  std::int64_t unites = 0;
  std::int64_t habitants = 0;
  for (const bilan_tribu& t : tribus) {
    if (t.pas_extinction >= 0) continue;
    ++vivantes;
    unites += t.unites;
    habitants += t.habitants;
    lignes.push_back(a_droite(std::to_string(t.code), L_CODE) + "  " + a_gauche(t.nom, l_nom) +
                     a_droite(std::to_string(t.unites), L_UNITES) +
                     a_droite(std::to_string(t.habitants), L_HABITANTS));
  }
  const auto mortes = std::count_if(tribus.begin(), tribus.end(),
                                    [](const bilan_tribu& t) { return t.pas_extinction >= 0; });
  lignes.push_back(mortes == 0 ? "Tribus éteintes : aucune" : "Tribus éteintes :");
  for (const bilan_tribu& t : tribus)
    if (t.pas_extinction >= 0)
      lignes.push_back(a_droite(std::to_string(t.code), L_CODE) + "  " + a_gauche(t.nom, l_nom) +
                       "  éteinte au pas " + std::to_string(t.pas_extinction));
  lignes.push_back("Total : " + std::to_string(vivantes) +
                   (vivantes > 1 ? " tribus vivantes, " : " tribu vivante, ") +
                   std::to_string(unites) + (unites > 1 ? " unités, " : " unité, ") +
                   std::to_string(habitants) + (habitants > 1 ? " habitants" : " habitant"));
  lignes.push_back("Guerres de la dernière phase : " + std::to_string(guerres_derniere_phase()));
  return lignes;
}

}  // namespace

std::vector<std::string> tableau_statistiques() {
  try {
    return lignes_statistiques();
  } catch (const std::bad_alloc&) {
    return {"Statistiques indisponibles : mémoire insuffisante."};
  }
}

void reinitialiser_statistiques() {
  fermer_csv();
  etat = {};
  suivre_les_pas();
}
