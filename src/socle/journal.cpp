// Buffered log writers. A record costs no allocation and no flush: the time-of-day text is
// formatted once per second of wall clock and reused, the elapsed time comes from a monotonic
// clock, and the line feed a message lacks is written after it instead of copying the format.
#include "socle/journal.h"

#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdarg>
#include <cstring>
#include <ctime>
#include <string>

#include "socle/fichiers.h"
#include "socle/texte.h"

namespace {

using horloge = std::chrono::steady_clock;

constexpr std::size_t TAILLE_TAMPON = 1 << 18;

struct Journal {
  FILE* fichier = nullptr;
  int ouvert = 0;
  const char* prefixe;
  const char* role;  // its name in the register of the run's outputs
  char tampon[TAILLE_TAMPON];
  char nom[256] = {};
  int echec = 0;            // 1 once the log could not be opened or a write failed
  std::time_t vidage = -1;  // second of the last flush
  int en_attente = 0;       // records written since the last flush
};

struct Etat {
  Journal debug{nullptr, 0, "Debug - ", "le journal de debug", {}, {}, 0, -1, 0};
  Journal erreur{nullptr, 0, "Error - ", "le journal d'erreurs", {}, {}, 0, -1, 0};
  std::time_t seconde = -1;
  char heure[10] = {};
  std::string raison_echec;  // why the last log that could not be opened was refused
};

Etat etat;
const horloge::time_point debut = horloge::now();

// The first failed write of a log is said once on standard error; the log goes on as before.
void noter_echec(Journal& j, int numero) {
  if (j.echec) return;
  j.echec = 1;
  std::fprintf(stderr, "pangaeolith : %s n'a pas pu être écrit (%s) : la trace est incomplète.\n",
               j.nom, std::strerror(numero != 0 ? numero : EIO));
}

// The caller's errno is kept: a log write never changes the reason a caller is about to report.
void vider(Journal& j) {
  const int avant = errno;
  errno = 0;
  if (j.ouvert && std::fflush(j.fichier) != 0) noter_echec(j, errno);
  errno = avant;
  j.en_attente = 0;
}

// A log file opened without waiting (a FIFO nobody reads is refused at once) and emptied in place,
// unless it is another output of the run; none, with the reason, otherwise.
FILE* ouvrir_log(const char* nom, std::string& raison) {
  const int fd = ouvrir_en_ecriture(nom, false, raison);
  if (fd < 0) return nullptr;
  FILE* f = fdopen(fd, "w");
  if (f == nullptr) {
    raison = std::strerror(errno);
    close(fd);
  }
  return f;
}

void fermer(Journal& j) {
  const int avant = errno;
  errno = 0;
  if (j.ouvert && std::fclose(j.fichier) != 0) noter_echec(j, errno);
  errno = avant;
  if (j.ouvert) retirer_sortie(j.role);
  j.fichier = nullptr;
  j.ouvert = 0;
}

int ouvrir(Journal& j, const char* nom) {
  fermer(j);
  // Its own reservation made at start-up is not a conflict.
  retirer_sortie(j.role);
  std::snprintf(j.nom, sizeof j.nom, "%s", nom);
  std::string raison;
  j.fichier = ouvrir_log(nom, raison);
  j.ouvert = j.fichier != nullptr ? 1 : 0;
  j.echec = j.ouvert ? 0 : 1;
  j.vidage = -1;  // the first record of a new file goes out at once
  if (j.ouvert) {
    std::setvbuf(j.fichier, j.tampon, _IOFBF, TAILLE_TAMPON);
    enregistrer_sortie(j.role, fileno(j.fichier), nom);
  } else {
    etat.raison_echec = raison;
  }
  return j.ouvert;
}

// Writes "HH:MM:SS:ms" for the current moment.
void ecrire_horodatage(FILE* f) {
  const long long ms =
      std::chrono::duration_cast<std::chrono::milliseconds>(horloge::now() - debut).count();
  const std::time_t maintenant = std::time(nullptr);
  if (maintenant != etat.seconde) {
    etat.seconde = maintenant;
    std::tm local{};
    localtime_r(&maintenant, &local);
    std::strftime(etat.heure, sizeof etat.heure, "%H:%M:%S", &local);
  }
  fputs_unlocked(etat.heure, f);
  char chiffres[24];
  int n = 0;
  unsigned long long v = static_cast<unsigned long long>(ms < 0 ? 0 : ms);
  do {
    chiffres[n++] = static_cast<char>('0' + v % 10);
    v /= 10;
  } while (v != 0);
  putc_unlocked(':', f);
  while (n > 0) putc_unlocked(chiffres[--n], f);
}

int ecrire(Journal& j, const char* format, va_list arguments) {
  if (!j.ouvert) return -1;
  FILE* f = j.fichier;
  fputs_unlocked(j.prefixe, f);
  ecrire_horodatage(f);
  fputs_unlocked(" - ", f);
  // The common directives are expanded here; any other record goes through vfprintf.
  char texte[512];
  va_list copie;
  va_copy(copie, arguments);
  int n = formater_texte(texte, sizeof texte, format, copie);
  va_end(copie);
  if (n < 0)
    n = std::vfprintf(f, format, arguments);
  else if (fwrite_unlocked(texte, 1, static_cast<std::size_t>(n), f) != static_cast<std::size_t>(n))
    n = -1;  // a failed write, as vfprintf would report it
  const std::size_t longueur = std::strlen(format);
  if ((longueur == 0 || format[longueur - 1] != '\n') && n >= 0) {
    putc_unlocked('\n', f);
    ++n;
  }
  // The failure shows on the record whose write reached the full disk, errno still its own.
  if (ferror_unlocked(f)) noter_echec(j, errno);
  // One flush per second of wall clock at most: a killed run loses at most the last second.
  j.en_attente = 1;
  if (j.vidage != etat.seconde) {
    j.vidage = etat.seconde;
    vider(j);
  }
  return n;
}

}  // namespace

int ouvrir_fichier_log(const char* nom, FILE** emplacement) {
  std::string raison;
  *emplacement = ouvrir_log(nom, raison);
  return *emplacement != nullptr ? 1 : 0;
}

int ouvrir_debug(const char* nom) { return ouvrir(etat.debug, nom); }
int ouvrir_erreur(const char* nom) { return ouvrir(etat.erreur, nom); }
void fermer_debug() { fermer(etat.debug); }
void fermer_erreur() { fermer(etat.erreur); }

void vider_journaux() {
  vider(etat.debug);
  vider(etat.erreur);
}

// A log holding records since the last flush is flushed once its second is over.
static void entretenir(Journal& j, std::time_t maintenant) {
  if (!j.ouvert || !j.en_attente || j.vidage == maintenant) return;
  j.vidage = maintenant;
  vider(j);
}

void entretenir_journaux() {
  if (!etat.debug.en_attente && !etat.erreur.en_attente) return;
  const std::time_t maintenant = std::time(nullptr);
  entretenir(etat.debug, maintenant);
  entretenir(etat.erreur, maintenant);
}

int journaux_en_echec() { return etat.debug.echec | etat.erreur.echec; }

const char* raison_echec_journal() { return etat.raison_echec.c_str(); }

int debug_ouvert() { return etat.debug.ouvert; }

int(ecrire_debug)(const char* format, ...) {
  if (!etat.debug.ouvert) return -1;
  va_list arguments;
  va_start(arguments, format);
  const int n = ecrire(etat.debug, format, arguments);
  va_end(arguments);
  return n;
}

int ecrire_erreur(const char* format, ...) {
  if (!etat.erreur.ouvert) return -1;
  va_list arguments;
  va_start(arguments, format);
  const int n = ecrire(etat.erreur, format, arguments);
  va_end(arguments);
  return n;
}
