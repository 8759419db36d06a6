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
  // A destination that cannot be replaced (a folder): refused with its name and reason, the folder
  // untouched and no temporary file left; a folder that does not exist, an empty name.
  fs::create_directories(d / "occupe");
  EXPECT_FALSE(ecrire_fichier_entier(d / "occupe", "texte", erreur));
  EXPECT_NE(erreur.find(d / "occupe"), std::string::npos);
  EXPECT_TRUE(fs::is_directory(d / "occupe"));
  EXPECT_EQ(fichiers(), 2);
  EXPECT_FALSE(ecrire_fichier_entier(d / "absent/x", "t", erreur));
  EXPECT_NE(erreur.find("No such file"), std::string::npos);
  EXPECT_FALSE(ecrire_fichier_entier("", "t", erreur));
  EXPECT_FALSE(lire_fichier_entier(d / "absent.json", lu, erreur, 1 << 20));
  EXPECT_NE(erreur.find("absent.json"), std::string::npos);
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
  EXPECT_EQ(cible_finale(d / "lien2.svg"), d / "sous/cible.svg");
  EXPECT_EQ(cible_finale(d / "absent"), d / "absent");
  ASSERT_TRUE(ecrire_fichier_entier(d / "lien2.svg", "nouveau", erreur)) << erreur;
  EXPECT_TRUE(fs::is_symlink(d / "lien2.svg"));
  EXPECT_TRUE(fs::is_symlink(d / "sous/lien.svg"));
  EXPECT_EQ(contenu(d / "sous/cible.svg"), "nouveau");
  // A link to a file not there yet creates it beside the link's target, the link kept.
  fs::create_symlink("sous/neuf.json", d / "vers_neuf.json");
  ASSERT_TRUE(ecrire_fichier_entier(d / "vers_neuf.json", "{}", erreur)) << erreur;
  EXPECT_TRUE(fs::is_symlink(d / "vers_neuf.json"));
  EXPECT_EQ(contenu(d / "sous/neuf.json"), "{}");

  // Permissions, owner and group of a replaced file stay (the owner where the test may set it).
  ASSERT_TRUE(ecrire_fichier_entier(d / "prive.json", "a", erreur)) << erreur;
  chmod((d / "prive.json").c_str(), 0600);
  const bool root = geteuid() == 0;
  if (root) {
    ASSERT_EQ(chown((d / "prive.json").c_str(), 4321, 8765), 0);
  }
  ASSERT_TRUE(ecrire_fichier_entier(d / "prive.json", "b", erreur)) << erreur;
  const struct stat prive = etat_de(d / "prive.json");
  EXPECT_EQ(prive.st_mode & 07777, 0600u);
  if (root) {
    EXPECT_EQ(prive.st_uid, 4321u);
    EXPECT_EQ(prive.st_gid, 8765u);
  }
  EXPECT_EQ(contenu(d / "prive.json"), "b");

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
  EXPECT_TRUE(S_ISFIFO(etat_de(d / "tube").st_mode));
  EXPECT_TRUE(fs::is_symlink(d / "nul"));
  EXPECT_TRUE(fs::is_character_file("/dev/null"));
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
  EXPECT_EQ(etat_de(d / "k.csv").st_ino, inode);
  EXPECT_EQ(etat_de(d / "k.csv").st_mode & 07777, 0640u);
  EXPECT_EQ(etat_de(d / "k.csv").st_size, 0);
  EXPECT_EQ(ouvrir_en_ecriture(d / "tube", true, raison), -1);
  EXPECT_EQ(raison, "c'est un tube nommé (FIFO), pas un fichier ordinaire");
  EXPECT_EQ(ouvrir_en_ecriture(d / "tube", false, raison), -1);
  EXPECT_EQ(raison, "c'est un tube nommé (FIFO) que personne ne lit");
  EXPECT_LT(std::chrono::steady_clock::now() - debut, std::chrono::seconds(5));
}

// Reading: only a regular file, at once; the size bound holds before a byte is read.
TEST(Fichiers, LectureDUnFichierOrdinaireSeulement) {
  const Dossier d("fichiers_lecture");
  std::string erreur;
  std::string lu = "avant";
  ASSERT_EQ(mkfifo((d / "tube").c_str(), 0644), 0);
  EXPECT_FALSE(lire_fichier_entier(d / "tube", lu, erreur, 1 << 20));
  EXPECT_EQ(erreur, "impossible de lire " + (d / "tube") +
                        " : c'est un tube nommé (FIFO), pas un fichier ordinaire");
  EXPECT_FALSE(lire_fichier_entier("/dev/zero", lu, erreur, std::size_t{1} << 40));
  EXPECT_EQ(erreur,
            "impossible de lire /dev/zero : c'est un périphérique, pas "
            "un fichier ordinaire");
  EXPECT_FALSE(lire_fichier_entier(d.chemin.string(), lu, erreur, 1 << 20));
  EXPECT_NE(erreur.find("c'est un dossier, pas un fichier ordinaire"), std::string::npos);
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
  EXPECT_EQ(raison, "c'est déjà le journal de debug de cette partie");
  EXPECT_TRUE(sortie_libre(d / "sous/debug.log", raison));
  EXPECT_TRUE(sortie_libre(d / "debug.log2", raison));
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
    EXPECT_EQ(erreur, "impossible d'écrire dans " + (d / nom) +
                          " : c'est déjà le journal de debug de cette partie");
    EXPECT_EQ(ouvrir_en_ecriture(d / nom, true, raison), -1) << nom;
  }
  EXPECT_EQ(contenu(d / "debug.log"), "trace\n");
  EXPECT_TRUE(fs::is_symlink(d / "lien"));
  // Another file of the folder is free; a role registered again replaces its former entry, and a
  // removed one frees its file.
  EXPECT_TRUE(ecrire_fichier_entier(d / "autre.svg", "courbe", erreur)) << erreur;
  enregistrer_sortie("le journal de debug", -1, d / "autre.svg");
  EXPECT_TRUE(sortie_libre(d / "dur", raison));
  EXPECT_FALSE(sortie_libre(d / "autre.svg", raison));
  retirer_sortie("le journal de debug");
  EXPECT_TRUE(sortie_libre(d / "autre.svg", raison));
  close(fd);
  reinitialiser_couches();
}
