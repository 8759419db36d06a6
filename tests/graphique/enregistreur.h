// A drawing interface that records every call, for the headless tests of the front-end.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "graphique/dessin.h"

struct appel {
  std::string nom;              // the method's name: "sommet", "couleur", "sphere" ...
  std::vector<double> valeurs;  // its arguments in order (a primitive as its enum value)
};

class enregistreur final : public dessin {
 public:
  std::vector<appel> appels;

  // Calls named `nom`, in order.
  std::vector<appel> filtrer(const std::string& nom) const {
    std::vector<appel> r;
    for (const appel& a : appels)
      if (a.nom == nom) r.push_back(a);
    return r;
  }
  void nouvelle_liste() override { noter("nouvelle_liste", {}); }
  void fin_liste() override { noter("fin_liste", {}); }
  void debut(primitive p) override { noter("debut", {static_cast<double>(p)}); }
  void fin() override { noter("fin", {}); }
  void couleur(float r, float g, float b) override { noter("couleur", {r, g, b}); }
  void couleur(float r, float g, float b, float a) override { noter("couleur", {r, g, b, a}); }
  void couleur_octets(std::uint8_t r, std::uint8_t g, std::uint8_t b) override {
    noter("couleur_octets", {double(r), double(g), double(b)});
  }
  void normale(float x, float y, float z) override { noter("normale", {x, y, z}); }
  void sommet(float x, float y, float z) override { noter("sommet", {x, y, z}); }
  void empiler_matrice() override { noter("empiler_matrice", {}); }
  void depiler_matrice() override { noter("depiler_matrice", {}); }
  void translater(float x, float y, float z) override { noter("translater", {x, y, z}); }
  void sphere(double rayon, int tranches, int piles) override {
    noter("sphere", {rayon, double(tranches), double(piles)});
  }
  void empiler_attributs_trait() override { noter("empiler_attributs_trait", {}); }
  void epaisseur_trait(float largeur) override { noter("epaisseur_trait", {largeur}); }
  void depiler_attributs() override { noter("depiler_attributs", {}); }
  void debut_2d(int l, int h) override { noter("debut_2d", {double(l), double(h)}); }
  void fin_2d() override { noter("fin_2d", {}); }
  void melange(bool actif) override { noter("melange", {actif ? 1.0 : 0.0}); }
  void masque_profondeur(bool actif) override { noter("masque_profondeur", {actif ? 1.0 : 0.0}); }
  void position_raster(int x, int y) override { noter("position_raster", {double(x), double(y)}); }
  void caractere(unsigned char c) override { noter("caractere", {double(c)}); }
  void redessiner() override { noter("redessiner", {}); }
  void armer_minuterie(int ms) override { noter("armer_minuterie", {double(ms)}); }
  void eclairage_coupe(bool coupe) override { noter("eclairage_coupe", {coupe ? 1.0 : 0.0}); }
  void fil_de_fer(bool actif) override { noter("fil_de_fer", {actif ? 1.0 : 0.0}); }

  // Every call as a line "name v1 v2 ...", values at 5 significant digits.
  std::string dump() const {
    std::string t;
    char v[32];
    for (const appel& a : appels) {
      t += a.nom;
      for (double x : a.valeurs) std::snprintf(v, sizeof v, " %.5g", x), t += v;
      t += '\n';
    }
    return t;
  }

 private:
  void noter(const char* nom, std::vector<double> valeurs) {
    appels.push_back({nom, std::move(valeurs)});
  }
};

// Compares the FNV-1a hash of `texte` with the one recorded under `nom` in
// tests/graphique/attendu/empreintes.txt; PANGAEOLITH_ENREGISTRER=1 records it instead.
inline void comparer_empreinte(const std::string& nom, const std::string& texte) {
  std::uint64_t h = 14695981039346656037ull;
  for (unsigned char c : texte) h = (h ^ c) * 1099511628211ull;
  const char* chemin = "tests/graphique/attendu/empreintes.txt";
  std::map<std::string, std::uint64_t> table;
  std::ifstream entree(chemin);
  for (std::string cle; entree >> cle;) entree >> table[cle];
  if (std::getenv("PANGAEOLITH_ENREGISTRER") != nullptr) {
    table[nom] = h;
    std::ofstream sortie(chemin);
    for (const auto& [cle, valeur] : table) sortie << cle << ' ' << valeur << '\n';
    return;
  }
  ASSERT_TRUE(table.count(nom)) << nom << " : empreinte non enregistree";
  EXPECT_EQ(table[nom], h) << nom << " : les appels de dessin ont change (" << std::count(
      texte.begin(), texte.end(), '\n') << " appels)";
}
