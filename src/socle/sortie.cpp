// Standard output behind a replaceable stream.
#include "socle/sortie.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <cstdarg>
#include <cstring>

#include "socle/texte.h"

namespace {

FILE* flux_courant = nullptr;
bool traces_tours = true;
int erreur_ecriture = 0;  // errno of the first failed write, 0 while none
bool attributs = false;   // an escape sequence went to the stream: colours or bold may be on

// Keeps the reason of the first failure. A failure seen after the fact (no errno left) is a pipe
// whose reader went away when the descriptor says so, an input-output error otherwise.
void noter_echec(FILE* flux, int numero) {
  if (erreur_ecriture != 0) return;
  if (numero == 0) {
    pollfd p{fileno(flux), POLLOUT, 0};
    numero = poll(&p, 1, 0) == 1 && (p.revents & POLLERR) != 0 ? EPIPE : EIO;
  }
  erreur_ecriture = numero;
}

// vfprintf onto the stream, with the common directives expanded without printf's parser. With
// `echappement`, whether the text holds an escape character is noted there (the escape sequences
// of the program are all expanded here; a format left to vfprintf is looked at itself).
int ecrire_vers(FILE* f, const char* format, va_list arguments, bool* echappement) {
  char texte[512];
  va_list copie;
  va_copy(copie, arguments);
  const int n = formater_texte(texte, sizeof texte, format, copie);
  va_end(copie);
  if (n < 0) {
    if (echappement != nullptr && std::strchr(format, '\033') != nullptr) *echappement = true;
    return std::vfprintf(f, format, arguments);
  }
  const std::size_t longueur = static_cast<std::size_t>(n);
  if (echappement != nullptr && std::memchr(texte, '\033', longueur) != nullptr)
    *echappement = true;
  return fwrite_unlocked(texte, 1, longueur, f) == longueur ? n : -1;
}

}  // namespace

FILE* sortie() { return flux_courant != nullptr ? flux_courant : stdout; }

void fixer_sortie(FILE* flux) {
  flux_courant = flux;
  erreur_ecriture = 0;
  attributs = false;
}

int vider_sortie() {
  FILE* flux = sortie();
  // A failed write keeps its bytes for the next flush, which fails again with the reason.
  errno = 0;
  if (std::fflush(flux) == 0 && !std::ferror(flux)) return 0;
  noter_echec(flux, errno);
  return -1;
}

int erreur_sortie() {
  if (std::ferror(sortie())) noter_echec(sortie(), 0);
  return erreur_ecriture;
}

int ecrire_sortie(const char* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  // Once an escape sequence has gone out, there is nothing more to look for.
  const int n = ecrire_vers(sortie(), format, arguments, attributs ? nullptr : &attributs);
  va_end(arguments);
  return n;
}

void remettre_attributs() {
  if (!attributs || !isatty(fileno(sortie()))) return;
  std::fputs("\033[0m", sortie());
  attributs = false;
}

void fixer_traces_tours(int actives) { traces_tours = actives != 0; }

int lire_traces_tours() { return traces_tours ? 1 : 0; }

int ecrire_trace(const char* format, ...) {
  // A silenced line costs this test only: nothing is formatted.
  if (!traces_tours) return 0;
  va_list arguments;
  va_start(arguments, format);
  const int n = ecrire_vers(sortie(), format, arguments, nullptr);
  va_end(arguments);
  return n;
}
