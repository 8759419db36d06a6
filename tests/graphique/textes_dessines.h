// The texts an overlay drew, read back from the recorded calls: each raster move starts a new
// text, each character drawn extends the current one.
#pragma once

#include <string>
#include <vector>

#include "graphique/console_gl.h"
#include "graphique/enregistreur.h"

struct texte_dessine {
  int x = 0;
  int y = 0;
  std::string texte;
};

// Every text drawn, empty ones (a raster move followed by another) left out.
inline std::vector<texte_dessine> textes_dessines(const enregistreur& e) {
  std::vector<texte_dessine> textes;
  for (const appel& a : e.appels) {
    if (a.nom == "position_raster")
      textes.push_back({static_cast<int>(a.valeurs[0]), static_cast<int>(a.valeurs[1]), ""});
    else if (a.nom == "caractere" && !textes.empty())
      textes.back().texte += static_cast<char>(static_cast<unsigned char>(a.valeurs[0]));
  }
  std::erase_if(textes, [](const texte_dessine& t) { return t.texte.empty(); });
  return textes;
}

// The lines the console overlay shows: the scroll-back lines, then the input bar with its
// cursor "|".
inline std::vector<std::string> console_affichee() {
  dessin* avant = &dessin_courant();
  enregistreur e;
  fixer_dessin(&e);
  dessiner_console();
  fixer_dessin(avant);
  std::vector<std::string> lignes;
  for (const texte_dessine& t : textes_dessines(e)) lignes.push_back(t.texte);
  return lignes;
}
