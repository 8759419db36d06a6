// Whole files written through a temporary file and a rename, and read back.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "socle/fichiers.h"

namespace fs = std::filesystem;

TEST(Fichiers, EcritureCompleteOuRienEtRelecture) {
  const fs::path dossier = fs::path(testing::TempDir()) / ("fichiers_" + std::to_string(getpid()));
  fs::create_directories(dossier);
  const std::string chemin = (dossier / "monde.json").string();
  std::string erreur;
  std::string lu;

  // A new file, then a replacement: the reader sees the whole new text, nothing else is left.
  ASSERT_TRUE(ecrire_fichier_entier(chemin, "premier", erreur)) << erreur;
  ASSERT_TRUE(ecrire_fichier_entier(chemin, std::string(200000, 'x') + "fin", erreur)) << erreur;
  ASSERT_TRUE(lire_fichier_entier(chemin, lu, erreur, 1 << 20)) << erreur;
  EXPECT_EQ(lu.size(), 200003u);
  EXPECT_EQ(lu.substr(lu.size() - 3), "fin");
  EXPECT_EQ(std::distance(fs::directory_iterator(dossier), fs::directory_iterator()), 1);

  // A destination that cannot be replaced (a folder): refused with its name and reason, the
  // folder untouched and no temporary file left.
  const std::string sous_dossier = (dossier / "occupe").string();
  fs::create_directories(sous_dossier);
  EXPECT_FALSE(ecrire_fichier_entier(sous_dossier, "texte", erreur));
  EXPECT_NE(erreur.find(sous_dossier), std::string::npos);
  EXPECT_TRUE(fs::is_directory(sous_dossier));
  EXPECT_EQ(std::distance(fs::directory_iterator(dossier), fs::directory_iterator()), 2);

  // A folder that does not exist, an empty name.
  EXPECT_FALSE(ecrire_fichier_entier((dossier / "absent" / "x").string(), "t", erreur));
  EXPECT_NE(erreur.find("No such file"), std::string::npos);
  EXPECT_FALSE(ecrire_fichier_entier("", "t", erreur));

  // Reading what is not there, or a folder.
  EXPECT_FALSE(lire_fichier_entier((dossier / "absent.json").string(), lu, erreur, 1 << 20));
  EXPECT_NE(erreur.find("absent.json"), std::string::npos);
  EXPECT_FALSE(lire_fichier_entier(sous_dossier, lu, erreur, 1 << 20));
  fs::remove_all(dossier);
}
