// Standard output behind a replaceable stream.
#include "socle/sortie.h"

#include <cstdarg>

namespace {

FILE* flux_courant = nullptr;
bool traces_tours = true;

}  // namespace

FILE* sortie() { return flux_courant != nullptr ? flux_courant : stdout; }

void fixer_sortie(FILE* flux) { flux_courant = flux; }

int ecrire_sortie(const char* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  const int n = std::vfprintf(sortie(), format, arguments);
  va_end(arguments);
  return n;
}

void fixer_traces_tours(int actives) { traces_tours = actives != 0; }

int lire_traces_tours() { return traces_tours ? 1 : 0; }

int ecrire_trace(const char* format, ...) {
  // A silenced line costs this test only: nothing is formatted.
  if (!traces_tours) return 0;
  va_list arguments;
  va_start(arguments, format);
  const int n = std::vfprintf(sortie(), format, arguments);
  va_end(arguments);
  return n;
}
