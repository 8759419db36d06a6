// Test support shared by every layer: a known empty world, hand-built worlds, captured output
// and logs, and the whole-world consistency check run after every step of the soak tests.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "controle/reinitialisation.h"
#include "population/verification.h"

// A flat X by Y world of one altitude and climate, every resource at `ressource` (sea cells keep
// 7000 water), after reinitialiser_programme().
void construire_monde(int x, int y, int altitude, int climat, int ressource = 0);

// Sets one cell's altitude and its four resources (sea: forced to 7000 water).
void fixer_case(int x, int y, int altitude, int eau, int bois, int vegetale, int animale);

// Appends a civilisation with the given characteristics (name "T<code>").
void ajouter_tribu(int code, int regime, int comportement, int milieu_prefere);

// Redirects the program's standard output into a buffer while alive.
class CaptureSortie {
 public:
  CaptureSortie();
  ~CaptureSortie();
  CaptureSortie(const CaptureSortie&) = delete;
  CaptureSortie& operator=(const CaptureSortie&) = delete;
  // Everything written so far.
  std::string texte();

 private:
  char* tampon_ = nullptr;
  std::size_t taille_ = 0;
  FILE* flux_ = nullptr;
};

// Opens both logs on temporary files while alive; gives their messages back without prefixes.
class CaptureJournaux {
 public:
  CaptureJournaux();
  ~CaptureJournaux();
  CaptureJournaux(const CaptureJournaux&) = delete;
  CaptureJournaux& operator=(const CaptureJournaux&) = delete;
  // Messages of each record, prefix removed, in order.
  std::vector<std::string> debug();
  std::vector<std::string> erreur();
  // Whole files, prefixes included.
  std::string debug_brut();
  std::string erreur_brut();

 private:
  std::string dossier_;
};

// Whether `lignes` holds `ligne` exactly.
bool contient(const std::vector<std::string>& lignes, const std::string& ligne);
// Number of elements of `lignes` equal to `ligne`.
int compter(const std::vector<std::string>& lignes, const std::string& ligne);
