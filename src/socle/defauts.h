// Start values of the settings records and of the map dimensions, gathered in one place.
#pragma once

#include <cstdint>

#include "socle/parametres.h"

// Map dimensions before start-up sets them; the map keeps them when a requested size is
// refused.
inline constexpr int COLONNES_INITIALES = 20;
inline constexpr int LIGNES_INITIALES = 20;

// Map dimensions start-up asks for when the command line gives none.
inline constexpr int COLONNES_PAR_DEFAUT = 10;
inline constexpr int LIGNES_PAR_DEFAUT = 10;

// The window fields of vue_gl as the command-line analysis prepares them before applying the
// options; every other field starts at 0.
inline constexpr std::int32_t LARGEUR_FENETRE_PAR_DEFAUT = 800;
inline constexpr std::int32_t HAUTEUR_FENETRE_PAR_DEFAUT = 600;
inline constexpr std::int32_t DOUBLE_BUFFER_PAR_DEFAUT = 1;
inline constexpr std::int32_t PLEIN_ECRAN_PAR_DEFAUT = 0;
inline constexpr float HEURE_INITIALE = 14.0f;

// The graphics animation timer: milliseconds between two ticks, hours added at each tick.
inline constexpr std::int32_t DELAI_MINUTERIE_INITIAL = 500;
inline constexpr float PAS_HEURE_INITIAL = 0.1f;

// vue_gl as prepared by the command-line analysis.
constexpr vue_gl vue_gl_par_defaut() {
  vue_gl v{};
  v.largeur = LARGEUR_FENETRE_PAR_DEFAUT;
  v.hauteur = HAUTEUR_FENETRE_PAR_DEFAUT;
  v.double_buffer = DOUBLE_BUFFER_PAR_DEFAUT;
  v.plein_ecran = PLEIN_ECRAN_PAR_DEFAUT;
  v.heure = HEURE_INITIALE;
  return v;
}
