// Arbitrary events of the graphics window: keys, special keys, mouse presses and drags, window
// sizes, texts written to the window console, and the lines typed there read back by the
// console. Nothing may read or write past a buffer, the overlays may never draw a byte the
// bitmap font would show as garbage, and the world must stay sound. Every input starts from the
// same small world and scene, built once per process and put back before each input.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "console/console.h"
#include "console/interpreteur.h"
#include "controle/etat_programme.h"
#include "controle/reinitialisation.h"
#include "etat_garde.h"
#include "graphique/clavier.h"
#include "graphique/console_gl.h"
#include "graphique/dessin.h"
#include "graphique/scene.h"
#include "graphique/vue.h"
#include "graphique/vue_gl.h"
#include "monde/carte.h"
#include "population/civ.h"
#include "population/verification.h"
#include "socle/parametres.h"
#include "socle/sortie.h"

namespace {

// Draws nothing; stops at any character of 128 or more, which the overlays never hand out.
class dessin_verifie final : public dessin {
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
  void caractere(unsigned char c) override {
    if (c >= 128) std::abort();
  }
  void redessiner() override {}
  void armer_minuterie(int) override {}
  void eclairage_coupe(bool) override {}
  void fil_de_fer(bool) override {}
};

// The interpreter for the lines typed in the window, without the commands that run many steps
// or draw the text map, its file commands kept in the process's own folder.
int interpreter_fuzz(const char* ligne) {
  const char* mot = static_cast<const char*>(trouver_param(ligne, 0, PARAM_TEXTE));
  if (mot == nullptr) return 0;
  const std::string commande = mot;
  if (comparer_commande(commande.c_str(), "cont", 0, 1) ||
      comparer_commande(commande.c_str(), "affich", 3, 1))
    return 1;
  return interpreter_confine(ligne);
}

// What the idle loop does with a line typed in the window.
void servir_ligne() {
  vue_gl v = lire_vue_gl();
  if (!v.ligne_prete || !lire_etat_programme().console) return;
  v.ligne_prete = 0;
  ecrire_vue_gl(v);
  lire_commande();
  console_gl_ecrire("\xff");
}

dessin_verifie verifie;

// The program reset, its output thrown away, the files of the last input's commands removed.
void reinitialiser() {
  static FILE* neant = std::fopen("/dev/null", "w");
  reinitialiser_programme();
  fixer_sortie(neant);
  effacer_fichiers_commandes();
}

// What the graphics display sets up once the world exists, except the scene.
void ouvrir_fenetre() {
  fixer_mode_affichage({0, 0, 1});
  fixer_dessin(&verifie);
  init_vue();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* octets, std::size_t n) {
  // Built once: the world, its scene at the finest level, the oblique view over it; and the view
  // record as it then stands.
  static vue_gl vue_depart{};
  static const depart monde = [] {
    reinitialiser();
    peupler_petit_monde();
    ouvrir_fenetre();
    construire_scene();
    vue_predefinie(0);
    vue_depart = lire_vue_gl();
    return garder_depart(false);
  }();
  reinitialiser();
  remettre_monde(monde.monde);
  ouvrir_fenetre();
  // The scene keeps only the map's dimensions and its tile size, which do not depend on the
  // detail level: built again at level 1, much cheaper, then the view record put back as it was
  // after the first build (level 3, its triangle count, the view).
  vue_gl v = lire_vue_gl();
  v.complexite = 1;
  ecrire_vue_gl(v);
  construire_scene();
  ecrire_vue_gl(vue_depart);
  verifier_depart(monde, false);
  fixer_interpreteur(interpreter_fuzz);
  fixer_entree_sortie(lire_car_gl, console_gl_ecrire);

  // Each event is a kind byte and its argument bytes; the end of the input cuts the last one.
  int pas = 0;
  std::size_t i = 0;
  auto octet = [&]() -> int { return i < n ? octets[i++] : 0; };
  while (i < n) {
    switch (octet() % 7) {
      case 0: {
        const int touche = octet();
        // A step runs for J; a few per input keep each run short.
        if ((touche == 'j' || touche == 'J') && ++pas > 4) break;
        clavier(static_cast<unsigned char>(touche), octet(), octet());
        break;
      }
      case 1:
        touches_speciales(octet(), 0, 0);
        break;
      case 2: {
        const int bouton = octet() % 3;
        const int etat = octet() % 2;
        souris(bouton, etat, octet() * 8, octet() * 8);
        break;
      }
      case 3:
        mouvement_souris(octet() * 8 - 1024, octet() * 8 - 1024);
        break;
      case 4: {
        // A text of up to 255 bytes, cut at the first NUL.
        const std::size_t longueur = static_cast<std::size_t>(octet());
        std::string texte;
        for (std::size_t k = 0; k < longueur && i < n; ++k) texte += static_cast<char>(octet());
        console_gl_ecrire(texte.c_str());
        break;
      }
      case 5: {
        const int a = octet();
        const int b = octet();
        fixer_taille_fenetre(a == 255 ? 1 << 30 : a * 16 - 8, b == 255 ? 1 << 30 : b * 16 - 8);
        break;
      }
      default:
        servir_ligne();
        break;
    }
    dessiner_console();
    dessiner_infos_case();
  }
  fixer_dessin(nullptr);
  if (!verifier_monde().empty()) std::abort();
  return 0;
}
