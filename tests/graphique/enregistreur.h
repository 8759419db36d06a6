// A drawing interface that records every call, for the headless tests of the front-end.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
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

// The calls that `dessiner` makes, recorded.
template <class F>
enregistreur enregistrer(F dessiner) {
  enregistreur e;
  fixer_dessin(&e);
  dessiner();
  fixer_dessin(nullptr);
  return e;
}

// Compares `texte`, one drawing call (or event) a line, with the recording at `chemin`, relative
// to the project root where the tests run; PANGAEOLITH_ENREGISTRER=1 writes the recording
// instead. A difference is reported with the number of the first line that differs and that line,
// recorded and obtained, so that the failure itself says which call changed.
inline void comparer_enregistrement(const std::string& chemin, const std::string& texte) {
  if (std::getenv("PANGAEOLITH_ENREGISTRER") != nullptr) {
    std::ofstream(chemin, std::ios::binary) << texte;
    return;
  }
  std::ifstream f(chemin, std::ios::binary);
  ASSERT_TRUE(f) << chemin << " : aucun enregistrement";
  const std::string lu{std::istreambuf_iterator<char>(f), {}};
  if (lu == texte) return;
  // The first line that differs, numbered from 1, as recorded and as obtained.
  std::istringstream enregistre(lu), obtenu(texte);
  std::string a, b;
  int n = 1;
  for (; (bool(std::getline(enregistre, a)) | bool(std::getline(obtenu, b))) && a == b; ++n)
    a.clear(), b.clear();
  ADD_FAILURE() << chemin << " : les appels different a partir de la ligne " << n
                << "\nenregistre : " << a << "\nobtenu     : " << b;
}
