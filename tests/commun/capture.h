// Test support shared by every layer: captured standard output and logs.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

// A capture holds a stream or files of its own: never copied.
struct SansCopie {
  SansCopie() = default;
  SansCopie(const SansCopie&) = delete;
  SansCopie& operator=(const SansCopie&) = delete;
};

// Redirects the program's standard output into a buffer while alive.
class CaptureSortie : SansCopie {
 public:
  CaptureSortie();
  ~CaptureSortie();
  // Everything written so far.
  std::string texte();

 private:
  char* tampon_ = nullptr;
  std::size_t taille_ = 0;
  FILE* flux_ = nullptr;
};

// Opens both logs on temporary files while alive; gives their messages back without prefixes.
class CaptureJournaux : SansCopie {
 public:
  CaptureJournaux();
  ~CaptureJournaux();
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
