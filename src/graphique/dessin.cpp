// The drawing interface in use, and the implementation that does nothing.
#include "graphique/dessin.h"

namespace {

class dessin_inerte final : public dessin {
 public:
  void nouvelle_liste() override {}
  void fin_liste() override {}
  void debut(primitive) override {}
  void fin() override {}
  void couleur(float, float, float) override {}
  void couleur(float, float, float, float) override {}
  void couleur_octets(std::uint8_t, std::uint8_t, std::uint8_t) override {}
  void normale(float, float, float) override {}
  void sommet(float, float, float) override {}
  void empiler_matrice() override {}
  void depiler_matrice() override {}
  void translater(float, float, float) override {}
  void sphere(double, int, int) override {}
  void empiler_attributs_trait() override {}
  void epaisseur_trait(float) override {}
  void depiler_attributs() override {}
  void debut_2d(int, int) override {}
  void fin_2d() override {}
  void melange(bool) override {}
  void masque_profondeur(bool) override {}
  void position_raster(int, int) override {}
  void caractere(unsigned char) override {}
  void redessiner() override {}
  void armer_minuterie(int) override {}
  void eclairage_coupe(bool) override {}
  void fil_de_fer(bool) override {}
};

dessin_inerte inerte;
dessin* courant = &inerte;

}  // namespace

dessin& dessin_courant() { return *courant; }

void fixer_dessin(dessin* d) { courant = d != nullptr ? d : &inerte; }
