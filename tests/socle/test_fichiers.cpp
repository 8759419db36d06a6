// Whole files written through a temporary file and a rename, and read back; what is not a regular
// file refused without waiting; links and permissions kept; the register of outputs.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "commun/reinitialisation_test.h"
#include "socle/fichiers.h"

namespace fs = std::filesystem;

namespace {

// A fresh folder of its own for one test, removed at the end.
struct Dossier {
  fs::path chemin;
  explicit Dossier(const std::string& nom)
      : chemin(fs::path(testing::TempDir()) / (nom + "_" + std::to_string(getpid()))) {
    fs::remove_all(chemin);
    fs::create_directories(chemin);
  }
  ~Dossier() { fs::remove_all(chemin); }
  std::string operator/(const std::string& nom) const { return (chemin / nom).string(); }
};

std::string contenu(const std::string& chemin) {
  std::stringstream s;
  s << std::ifstream(chemin).rdbuf();
  return s.str();
}

struct stat etat_de(const std::string& chemin) {
  struct stat infos {};
  lstat(chemin.c_str(), &infos);
  return infos;
}

}  // namespace

TEST(Fichiers, EcritureCompleteOuRienEtRelecture) {
  const Dossier d("fichiers");
  std::string erreur;
  std::string lu;
  const auto fichiers = [&] {
    return std::distance(fs::directory_iterator(d.chemin), fs::directory_iterator());
  };
  // A new file, then a replacement: the reader sees the whole new text, nothing else is left.
  ASSERT_TRUE(ecrire_fichier_entier(d / "monde.json", "premier", erreur)) << erreur;
  ASSERT_TRUE(ecrire_fichier_entier(d / "monde.json", std::string(200000, 'x') + "fin", erreur));
  ASSERT_TRUE(lire_fichier_entier(d / "monde.json", lu, erreur, 1 << 20)) << erreur;
  EXPECT_EQ(lu, std::string(200000, 'x') + "fin");
  EXPECT_EQ(fichiers(), 1);
  // A destination that cannot be replaced (a folder), a folder that does not exist, an empty name:
  // refused, the folder untouched and no temporary file left.
  fs::create_directories(d / "occupe");
  for (const std::string& nom : {d / "occupe", d / "absent/x", std::string()})
    EXPECT_FALSE(ecrire_fichier_entier(nom, "t", erreur)) << nom;
  EXPECT_TRUE(fs::is_directory(d / "occupe"));
  EXPECT_EQ(fichiers(), 2);
}

// What a user may name instead of a plain file: a link is followed and stays a link, a FIFO or a
// device is refused at once and stays what it was, a replaced file keeps its permissions and owner.
TEST(Fichiers, EcritureSuitLesLiensEtGardeCeQuiEstEnPlace) {
  reinitialiser_couches();
  const Dossier d("fichiers_liens");
  std::string erreur;
  fs::create_directories(d / "sous");
  // A relative link is read from its own folder; a chain of two links ends on the same file.
  ASSERT_TRUE(ecrire_fichier_entier(d / "sous/cible.svg", "ancien", erreur)) << erreur;
  fs::create_symlink("cible.svg", d / "sous/lien.svg");
  fs::create_symlink("sous/lien.svg", d / "lien2.svg");
  ASSERT_TRUE(ecrire_fichier_entier(d / "lien2.svg", "nouveau", erreur)) << erreur;
  EXPECT_TRUE(fs::is_symlink(d / "lien2.svg") && fs::is_symlink(d / "sous/lien.svg"));
  EXPECT_EQ(contenu(d / "sous/cible.svg"), "nouveau");
  // A link to a file not there yet creates it beside the link's target, the link kept.
  fs::create_symlink("sous/neuf.json", d / "vers_neuf.json");
  ASSERT_TRUE(ecrire_fichier_entier(d / "vers_neuf.json", "{}", erreur)) << erreur;
  EXPECT_TRUE(fs::is_symlink(d / "vers_neuf.json"));
  EXPECT_EQ(contenu(d / "sous/neuf.json"), "{}");

  // Owner and group of a replaced file stay, where the test may set them (the mode: end to end).
  if (geteuid() == 0) {
    ASSERT_TRUE(ecrire_fichier_entier(d / "prive.json", "a", erreur)) << erreur;
    ASSERT_EQ(chown((d / "prive.json").c_str(), 4321, 8765), 0);
    ASSERT_TRUE(ecrire_fichier_entier(d / "prive.json", "b", erreur)) << erreur;
    EXPECT_EQ(etat_de(d / "prive.json").st_uid, 4321u);
    EXPECT_EQ(etat_de(d / "prive.json").st_gid, 8765u);
  }

  // A FIFO (no reader: a plain open would wait for ever), a device, a folder through a link:
  // refused by name, left as they were, no temporary file left beside them.
  ASSERT_EQ(mkfifo((d / "tube").c_str(), 0644), 0);
  fs::create_symlink("/dev/null", d / "nul");
  fs::create_symlink("sous", d / "vers_sous");
  const auto debut = std::chrono::steady_clock::now();
  for (const auto& [nom, raison] :
       {std::pair{"tube", "c'est un tube nommé (FIFO), pas un fichier ordinaire"},
        {"nul", "c'est un périphérique, pas un fichier ordinaire"},
        {"vers_sous", "c'est un dossier"}}) {
    EXPECT_FALSE(ecrire_fichier_entier(d / nom, "x", erreur));
    EXPECT_NE(erreur.find(raison), std::string::npos) << erreur;
  }
  EXPECT_TRUE(S_ISFIFO(etat_de(d / "tube").st_mode) && fs::is_symlink(d / "nul"));
  for (const auto& f : fs::recursive_directory_iterator(d.chemin))
    EXPECT_EQ(f.path().string().find(".tmp-"), std::string::npos) << f.path();

  // Written as the run goes: emptied in place (the same inode, the mode kept), a FIFO refused at
  // once whether or not a FIFO is taken, with what it is.
  ASSERT_TRUE(ecrire_fichier_entier(d / "k.csv", "precieux\n", erreur)) << erreur;
  chmod((d / "k.csv").c_str(), 0640);
  const ino_t inode = etat_de(d / "k.csv").st_ino;
  std::string raison;
  const int fd = ouvrir_en_ecriture(d / "k.csv", true, raison);
  ASSERT_GE(fd, 0) << raison;
  EXPECT_EQ(fcntl(fd, F_GETFL) & O_NONBLOCK, 0);
  close(fd);
  const struct stat k = etat_de(d / "k.csv");
  EXPECT_EQ(std::tuple(k.st_ino, k.st_mode & 07777, k.st_size), std::tuple(inode, 0640u, off_t{0}));
  EXPECT_EQ(ouvrir_en_ecriture(d / "tube", true, raison), -1);
  EXPECT_EQ(ouvrir_en_ecriture(d / "tube", false, raison), -1);
  EXPECT_LT(std::chrono::steady_clock::now() - debut, std::chrono::seconds(5));
}

// Reading: only a regular file, at once; the size bound holds before a byte is read.
TEST(Fichiers, LectureDUnFichierOrdinaireSeulement) {
  const Dossier d("fichiers_lecture");
  std::string erreur;
  std::string lu = "avant";
  ASSERT_EQ(mkfifo((d / "tube").c_str(), 0644), 0);
  for (const std::string& nom : {d / "tube", std::string("/dev/zero"), d.chemin.string()}) {
    EXPECT_FALSE(lire_fichier_entier(nom, lu, erreur, std::size_t{1} << 40));
    EXPECT_NE(erreur.find("pas un fichier ordinaire"), std::string::npos) << erreur;
  }
  EXPECT_EQ(lu, "avant");

  // One byte over the bound is refused, not cut; at the bound it is read whole.
  ASSERT_TRUE(ecrire_fichier_entier(d / "f", std::string(1000, 'a'), erreur)) << erreur;
  EXPECT_FALSE(lire_fichier_entier(d / "f", lu, erreur, 999));
  EXPECT_EQ(erreur, (d / "f") + " : fichier de plus de 999 octets");
  ASSERT_TRUE(lire_fichier_entier(d / "f", lu, erreur, 1000)) << erreur;
  EXPECT_EQ(lu, std::string(1000, 'a'));
  // A file the reader can open but not as a regular file is refused the same way, and what opens is
  // handed out ready for blocking reads.
  std::string raison;
  EXPECT_EQ(ouvrir_en_lecture(d / "tube", raison), -1);
  const int fd = ouvrir_en_lecture(d / "f", raison);
  ASSERT_GE(fd, 0) << raison;
  EXPECT_EQ(fcntl(fd, F_GETFL) & O_NONBLOCK, 0);
  EXPECT_NE(fcntl(fd, F_GETFD) & FD_CLOEXEC, 0);
  close(fd);
}

// The register of outputs: an existing file by device and inode (whatever the name, link or hard
// link), a file not there yet by its folder and name.
TEST(Fichiers, RegistreDesSortiesDeLaPartie) {
  reinitialiser_couches();
  const Dossier d("fichiers_registre");
  std::string raison;
  std::string erreur;
  fs::create_directories(d / "sous");
  // A name reserved before its file exists.
  enregistrer_sortie("le journal de debug", -1, d / "debug.log");
  EXPECT_FALSE(sortie_libre(d / "sous/../debug.log", raison));
  EXPECT_TRUE(sortie_libre(d / "sous/debug.log", raison) && sortie_libre(d / "debug.log2", raison));
  // Once open, the file itself: under another name too.
  std::ofstream(d / "debug.log") << "trace\n";
  const int fd = open((d / "debug.log").c_str(), O_WRONLY);
  ASSERT_GE(fd, 0);
  enregistrer_sortie("le journal de debug", fd, d / "debug.log");
  fs::create_symlink(d / "debug.log", d / "lien");
  fs::create_hard_link(d / "debug.log", d / "dur");
  for (const char* nom : {"debug.log", "lien", "dur"}) {
    EXPECT_FALSE(sortie_libre(d / nom, raison)) << nom;
    EXPECT_FALSE(ecrire_fichier_entier(d / nom, "courbe", erreur)) << nom;
    EXPECT_EQ(ouvrir_en_ecriture(d / nom, true, raison), -1) << nom;
  }
  EXPECT_EQ(contenu(d / "debug.log"), "trace\n");
  // A role registered again replaces its former entry, and a removed one frees its file.
  enregistrer_sortie("le journal de debug", -1, d / "autre.svg");
  EXPECT_TRUE(sortie_libre(d / "dur", raison));
  EXPECT_FALSE(sortie_libre(d / "autre.svg", raison));
  retirer_sortie("le journal de debug");
  EXPECT_TRUE(sortie_libre(d / "autre.svg", raison));
  close(fd);
  reinitialiser_couches();
}
