// Signal handlers that raise flags and do nothing else that could disturb the interrupted code:
// no buffered output, no allocation. The only system calls are dup2 (an ended input), and
// sigaction and raise when a second request to end must end the process at once.
#include "socle/signaux.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <csignal>
#include <ctime>

namespace {

struct Etat {
  volatile std::sig_atomic_t arret = 0;
  volatile std::sig_atomic_t interruption = 0;
  volatile std::sig_atomic_t premiere_ms = 0;  // when the first request to end came
  int entree_terminal = 0;
  int nul = -1;  // /dev/null, put in place of a non-terminal input when the run must end
  bool installes = false;
  bool raccrochage_ignore = false;  // SIGHUP was ignored when the program started (nohup)
};

Etat etat;

// Milliseconds on the monotonic clock, kept within an int (clock_gettime is safe in a handler).
int maintenant_ms() {
  timespec t{};
  clock_gettime(CLOCK_MONOTONIC, &t);
  const long long ms = static_cast<long long>(t.tv_sec % 1000000) * 1000 + t.tv_nsec / 1000000;
  return static_cast<int>(ms);
}

// A supervisor such as timeout(1) may deliver its one request twice at once (to the process and
// to its group): a second request within this delay is that same request.
constexpr int DOUBLON_MS = 100;

void sur_signal(int numero) {
  const int erreur = errno;
  if (numero == SIGINT && etat.entree_terminal) {
    etat.interruption = 1;
  } else if (etat.arret && maintenant_ms() - etat.premiere_ms < DOUBLON_MS &&
             maintenant_ms() >= etat.premiere_ms) {
    // The same request delivered twice: nothing more to do.
  } else if (etat.arret) {
    // A second request to end before the run could act on the first: it may be stuck in a
    // system call that restarts (a write to a pipe nobody reads). The signal's own action ends
    // the process now, so that the user can always get out.
    struct sigaction defaut {};
    defaut.sa_handler = SIG_DFL;
    sigemptyset(&defaut.sa_mask);
    sigaction(numero, &defaut, nullptr);
    raise(numero);  // delivered as soon as this handler returns
  } else {
    etat.arret = 1;
    etat.premiere_ms = maintenant_ms();
    // Every later read of the input gives its end, even one that starts after the loops
    // looked at the flag: the run then ends as on a closed input.
    if (!etat.entree_terminal && etat.nul >= 0) dup2(etat.nul, STDIN_FILENO);
  }
  errno = erreur;
}

void armer(int attente) {
  struct sigaction action {};
  action.sa_handler = sur_signal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = attente ? 0 : SA_RESTART;
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
  // A closed terminal or a dropped connection ends the run like SIGTERM, unless the program was
  // started to outlive it.
  if (!etat.raccrochage_ignore) sigaction(SIGHUP, &action, nullptr);
}

}  // namespace

void preparer_processus() {
  for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
    if (fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
    // The lowest free descriptor is this one: the lower ones are open by now.
    const int nul = open("/dev/null", fd == STDIN_FILENO ? O_RDONLY : O_WRONLY);
    if (nul >= 0 && nul != fd) {
      dup2(nul, fd);
      close(nul);
    }
  }
  std::signal(SIGPIPE, SIG_IGN);
}

void installer_signaux(int entree_terminal) {
  etat.entree_terminal = entree_terminal;
  if (!etat.installes) {
    struct sigaction avant {};
    sigaction(SIGHUP, nullptr, &avant);
    etat.raccrochage_ignore = avant.sa_handler == SIG_IGN;
  }
  if (etat.nul < 0) etat.nul = open("/dev/null", O_RDONLY | O_CLOEXEC);
  etat.installes = true;
  armer(0);
}

void attendre_saisie(int attente) {
  if (etat.installes) armer(attente);
}

int arret_demande() { return etat.arret; }

int interruption_en_attente() { return etat.interruption; }

int prendre_interruption() {
  const int pendante = etat.interruption;
  etat.interruption = 0;
  return pendante;
}

void reinitialiser_signaux() {
  if (etat.installes) {
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
    if (!etat.raccrochage_ignore) std::signal(SIGHUP, SIG_DFL);
  }
  if (etat.nul >= 0) close(etat.nul);
  etat.arret = 0;
  etat.interruption = 0;
  etat.entree_terminal = 0;
  etat.nul = -1;
  etat.installes = false;
  etat.raccrochage_ignore = false;
}
