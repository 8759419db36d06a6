// Whole files read and written at once, a write going through a temporary file and a rename.
#include "socle/fichiers.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

std::string raison(const std::string& quoi, const std::string& chemin, int numero) {
  return quoi + " " + chemin + " : " + std::strerror(numero);
}

}  // namespace

bool ecrire_fichier_entier(const std::string& chemin, const std::string& contenu,
                           std::string& erreur) {
  if (chemin.empty()) {
    erreur = "nom de fichier vide";
    return false;
  }
  // The temporary file lives in the destination's folder, so that the rename stays on one file
  // system and replaces the destination in one step.
  std::vector<char> modele(chemin.begin(), chemin.end());
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
  // The file gets the permissions a plain creation would give it (mkstemp makes it private).
  if (numero == 0) {
    const mode_t masque = umask(0);
    umask(masque);
    if (fchmod(fd, 0666 & ~masque) != 0) numero = errno;
  }
  if (numero == 0 && fsync(fd) != 0) numero = errno;
  if (close(fd) != 0 && numero == 0) numero = errno;
  if (numero == 0 && std::rename(temporaire.c_str(), chemin.c_str()) != 0) numero = errno;
  if (numero != 0) {
    std::remove(temporaire.c_str());
    erreur = raison("impossible d'écrire dans", chemin, numero);
    return false;
  }
  return true;
}

bool lire_fichier_entier(const std::string& chemin, std::string& contenu, std::string& erreur,
                         std::size_t taille_max) {
  FILE* f = std::fopen(chemin.c_str(), "rb");
  if (f == nullptr) {
    erreur = raison("impossible de lire", chemin, errno);
    return false;
  }
  contenu.clear();
  char tampon[65536];
  std::size_t n = 0;
  while ((n = std::fread(tampon, 1, sizeof tampon, f)) > 0) {
    if (n > taille_max - std::min(taille_max, contenu.size())) {
      std::fclose(f);
      erreur = chemin + " : fichier de plus de " + std::to_string(taille_max) + " octets";
      return false;
    }
    contenu.append(tampon, n);
  }
  const bool echec = std::ferror(f) != 0;
  const int numero = errno;
  std::fclose(f);
  if (echec) {
    erreur = raison("impossible de lire", chemin, numero);
    return false;
  }
  return true;
}
