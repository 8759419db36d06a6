// Standard output behind a replaceable stream.
#include "socle/sortie.h"

#include <cstdarg>

namespace {

FILE* flux_courant = nullptr;

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
