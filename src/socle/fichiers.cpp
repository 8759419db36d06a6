// The files a user names. Every open looks at what the name is before and after opening it and
// never waits: a FIFO or a device could block the run for ever or feed it without end, and
// replacing one by a regular file would destroy it. The register of outputs keeps each open
// output's identity (device and inode, or folder and name before it exists).
#include "socle/fichiers.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <new>
#include <utility>
#include <vector>

namespace {

// What a name designates, to compare two names: the file itself when it exists, otherwise the
// folder it would be created in and its name there.
struct identite {
  bool fichier = false;
  dev_t dev = 0;
  ino_t ino = 0;
  bool dossier = false;
  dev_t dev_dossier = 0;
  ino_t ino_dossier = 0;
  std::string nom;
};

struct sortie_ouverte {
  std::string role;
  identite id;
};

struct Etat {
  std::vector<sortie_ouverte> sorties;
};

Etat etat;

// A descriptor closed when it goes out of scope, unless it is handed out.
struct Descripteur {
  int fd;
  ~Descripteur() {
    if (fd >= 0) close(fd);
  }
  int rendre() {
    const int f = fd;
    fd = -1;
    return f;
  }
};

std::string raison(const std::string& quoi, const std::string& chemin, int numero) {
  return quoi + " " + chemin + " : " + std::strerror(numero);
}

const char* nature(mode_t mode) {
  if (S_ISDIR(mode)) return "un dossier";
  if (S_ISFIFO(mode)) return "un tube nommé (FIFO)";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "un périphérique";
  if (S_ISSOCK(mode)) return "une socket";
  return "un fichier spécial";
}

std::string pas_ordinaire(mode_t mode) {
  return std::string("c'est ") + nature(mode) + ", pas un fichier ordinaire";
}

// Clears O_NONBLOCK, which only served the open: reads and writes of a regular file never wait
// anyway, and a device taken as a log is then written like any file.
bool bloquant(int fd) {
  const int drapeaux = fcntl(fd, F_GETFL);
  return drapeaux != -1 && fcntl(fd, F_SETFL, drapeaux & ~O_NONBLOCK) == 0;
}

// The folder and the name of a path ("." for a bare name).
void separer(const std::string& chemin, std::string& dossier, std::string& nom) {
  const std::size_t barre = chemin.rfind('/');
  if (barre == std::string::npos) {
    dossier = ".";
    nom = chemin;
  } else {
    dossier = barre == 0 ? "/" : chemin.substr(0, barre);
    nom = chemin.substr(barre + 1);
  }
}

identite identifier(const std::string& chemin) {
  identite id;
  struct stat infos {};
  if (stat(chemin.c_str(), &infos) == 0) {
    id.fichier = true;
    id.dev = infos.st_dev;
    id.ino = infos.st_ino;
    return id;
  }
  std::string dossier;
  separer(cible_finale(chemin), dossier, id.nom);
  if (stat(dossier.c_str(), &infos) == 0) {
    id.dossier = true;
    id.dev_dossier = infos.st_dev;
    id.ino_dossier = infos.st_ino;
  }
  return id;
}

bool meme_fichier(const identite& a, const identite& b) {
  if (a.fichier || b.fichier) return a.fichier && b.fichier && a.dev == b.dev && a.ino == b.ino;
  return a.dossier && b.dossier && a.dev_dossier == b.dev_dossier &&
         a.ino_dossier == b.ino_dossier && !a.nom.empty() && a.nom == b.nom;
}

}  // namespace

std::string cible_finale(const std::string& chemin) {
  std::string cible = chemin;
  // As many links as the system itself follows; a longer chain is left to fail where it is used.
  for (int liens = 0; liens < 40; ++liens) {
    struct stat infos {};
    if (lstat(cible.c_str(), &infos) != 0 || !S_ISLNK(infos.st_mode)) return cible;
    std::string lien(infos.st_size > 0 ? static_cast<std::size_t>(infos.st_size) + 1 : 4096, '\0');
    const ssize_t n = readlink(cible.c_str(), lien.data(), lien.size());
    if (n <= 0 || static_cast<std::size_t>(n) >= lien.size()) return cible;
    lien.resize(static_cast<std::size_t>(n));
    const std::size_t barre = cible.rfind('/');
    cible = lien[0] == '/' || barre == std::string::npos ? lien : cible.substr(0, barre + 1) + lien;
  }
  return cible;
}

int ouvrir_en_lecture(const std::string& chemin, std::string& raison_refus) {
  struct stat infos {};
  // Looked at before opening: opening some devices already acts on them.
  if (stat(chemin.c_str(), &infos) == 0 && !S_ISREG(infos.st_mode)) {
    raison_refus = pas_ordinaire(infos.st_mode);
    return -1;
  }
  Descripteur d{open(chemin.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)};
  if (d.fd < 0) {
    raison_refus = std::strerror(errno);
    return -1;
  }
  // Looked at again on what was opened: the name may have been replaced in between.
  if (fstat(d.fd, &infos) != 0 || !bloquant(d.fd)) {
    raison_refus = std::strerror(errno);
    return -1;
  }
  if (!S_ISREG(infos.st_mode)) {
    raison_refus = pas_ordinaire(infos.st_mode);
    return -1;
  }
  return d.rendre();
}

int ouvrir_en_ecriture(const std::string& chemin, bool ordinaire_seulement,
                       std::string& raison_refus) {
  struct stat infos {};
  if (ordinaire_seulement && stat(chemin.c_str(), &infos) == 0 && !S_ISREG(infos.st_mode)) {
    raison_refus = pas_ordinaire(infos.st_mode);
    return -1;
  }
  if (!sortie_libre(chemin, raison_refus)) return -1;
  // No O_TRUNC: the file is emptied only once it is known to be one that may be emptied.
  Descripteur d{open(chemin.c_str(), O_WRONLY | O_CREAT | O_NONBLOCK | O_CLOEXEC, 0666)};
  if (d.fd < 0) {
    const int numero = errno;
    // A FIFO that nobody reads refuses a writer that will not wait.
    if (numero == ENXIO && stat(chemin.c_str(), &infos) == 0 && S_ISFIFO(infos.st_mode))
      raison_refus = "c'est un tube nommé (FIFO) que personne ne lit";
    else
      raison_refus = std::strerror(numero);
    return -1;
  }
  if (fstat(d.fd, &infos) != 0) {
    raison_refus = std::strerror(errno);
    return -1;
  }
  if (ordinaire_seulement && !S_ISREG(infos.st_mode)) {
    raison_refus = pas_ordinaire(infos.st_mode);
    return -1;
  }
  if ((S_ISREG(infos.st_mode) && ftruncate(d.fd, 0) != 0) || !bloquant(d.fd)) {
    raison_refus = std::strerror(errno);
    return -1;
  }
  return d.rendre();
}

bool ecrire_fichier_entier(const std::string& chemin, const std::string& contenu,
                           std::string& erreur) {
  if (chemin.empty()) {
    erreur = "nom de fichier vide";
    return false;
  }
  // What the name finally designates, links followed (a dangling link names a file to create).
  struct stat avant {};
  const bool existe = stat(chemin.c_str(), &avant) == 0;
  if (!existe && errno != ENOENT) {
    erreur = raison("impossible d'écrire dans", chemin, errno);
    return false;
  }
  std::string refus;
  if (existe && !S_ISREG(avant.st_mode)) refus = pas_ordinaire(avant.st_mode);
  if (refus.empty()) sortie_libre(chemin, refus);
  if (!refus.empty()) {
    erreur = "impossible d'écrire dans " + chemin + " : " + refus;
    return false;
  }
  // A link stays in place: the file replaced is its final target, in the target's own folder.
  const std::string cible = cible_finale(chemin);
  // The temporary file lives in the destination's folder, so that the rename stays on one file
  // system and replaces the destination in one step.
  std::vector<char> modele(cible.begin(), cible.end());
  for (char c : std::string(".tmp-XXXXXX")) modele.push_back(c);
  modele.push_back('\0');
  const int fd = mkstemp(modele.data());
  if (fd < 0) {
    erreur = raison("impossible d'écrire dans", chemin, errno);
    return false;
  }
  const std::string temporaire = modele.data();
  int numero = 0;
  const char* octets = contenu.data();
  std::size_t reste = contenu.size();
  while (reste > 0 && numero == 0) {
    const ssize_t n = write(fd, octets, reste);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      numero = n < 0 ? errno : EIO;
      break;
    }
    octets += n;
    reste -= static_cast<std::size_t>(n);
  }
  // A replaced file keeps its owner and group where the process may give them (the group alone
  // otherwise, and nothing more when even that is refused), then its permissions; a new file gets
  // those a plain creation would give it (mkstemp makes it private).
  if (numero == 0 && existe && (avant.st_uid != geteuid() || avant.st_gid != getegid()) &&
      fchown(fd, avant.st_uid, avant.st_gid) != 0) {
    const int groupe = fchown(fd, static_cast<uid_t>(-1), avant.st_gid);
    static_cast<void>(groupe);  // refused too: the file is the process's own, its text is written
  }
  if (numero == 0) {
    mode_t mode = avant.st_mode & 07777;
    if (!existe) {
      const mode_t masque = umask(0);
      umask(masque);
      mode = 0666 & ~masque;
    }
    if (fchmod(fd, mode) != 0) numero = errno;
  }
  if (numero == 0 && fsync(fd) != 0) numero = errno;
  if (close(fd) != 0 && numero == 0) numero = errno;
  if (numero == 0 && std::rename(temporaire.c_str(), cible.c_str()) != 0) numero = errno;
  if (numero != 0) {
    std::remove(temporaire.c_str());
    erreur = raison("impossible d'écrire dans", chemin, numero);
    return false;
  }
  return true;
}

bool lire_fichier_entier(const std::string& chemin, std::string& contenu, std::string& erreur,
                         std::size_t taille_max) {
  std::string refus;
  Descripteur d{ouvrir_en_lecture(chemin, refus)};
  if (d.fd < 0) {
    erreur = "impossible de lire " + chemin + " : " + refus;
    return false;
  }
  const std::string trop_grand =
      chemin + " : fichier de plus de " + std::to_string(taille_max) + " octets";
  struct stat infos {};
  if (fstat(d.fd, &infos) != 0) {
    erreur = raison("impossible de lire", chemin, errno);
    return false;
  }
  // The size is known before anything is read; a file that grows while it is read is stopped at
  // the bound all the same.
  if (static_cast<std::size_t>(infos.st_size) > taille_max) {
    erreur = trop_grand;
    return false;
  }
  try {
    contenu.clear();
    contenu.reserve(static_cast<std::size_t>(infos.st_size));
    char tampon[65536];
    for (;;) {
      const ssize_t n = read(d.fd, tampon, sizeof tampon);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) {
        erreur = raison("impossible de lire", chemin, errno);
        return false;
      }
      if (n == 0) break;
      if (static_cast<std::size_t>(n) > taille_max - contenu.size()) {
        erreur = trop_grand;
        return false;
      }
      contenu.append(tampon, static_cast<std::size_t>(n));
    }
  } catch (const std::bad_alloc&) {
    std::string().swap(contenu);
    erreur = "impossible de lire " + chemin + " : mémoire insuffisante pour ses " +
             std::to_string(infos.st_size) + " octets";
    return false;
  }
  return true;
}

void enregistrer_sortie(const std::string& role, int fd, const std::string& chemin) {
  retirer_sortie(role);
  sortie_ouverte s{role, {}};
  struct stat infos {};
  if (fd < 0) {
    s.id = identifier(chemin);
  } else if (fstat(fd, &infos) == 0) {
    s.id.fichier = true;
    s.id.dev = infos.st_dev;
    s.id.ino = infos.st_ino;
  }
  etat.sorties.push_back(std::move(s));
}

void retirer_sortie(const std::string& role) {
  std::erase_if(etat.sorties, [&](const sortie_ouverte& s) { return s.role == role; });
}

void enregistrer_sorties_standard() {
  // A terminal, a pipe or /dev/null cannot be overwritten by a file of the run: only a regular
  // file is kept.
  const std::pair<int, const char*> flux[] = {{STDOUT_FILENO, "la sortie standard"},
                                              {STDERR_FILENO, "l'erreur standard"}};
  for (const auto& [fd, role] : flux) {
    struct stat infos {};
    if (fstat(fd, &infos) == 0 && S_ISREG(infos.st_mode)) enregistrer_sortie(role, fd, "");
  }
}

bool sortie_libre(const std::string& chemin, std::string& raison_refus) {
  if (etat.sorties.empty()) return true;
  const identite id = identifier(chemin);
  for (const sortie_ouverte& s : etat.sorties)
    if (meme_fichier(id, s.id)) {
      raison_refus = "c'est déjà " + s.role + " de cette partie";
      return false;
    }
  return true;
}

void reinitialiser_fichiers() { etat = {}; }
