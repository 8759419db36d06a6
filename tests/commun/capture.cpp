// Test support shared by every layer: captured standard output and logs.
#include "commun/capture.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "socle/journal.h"
#include "socle/sortie.h"

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
