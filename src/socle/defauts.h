// Start values of the map dimensions.
#pragma once

// Map dimensions before start-up sets them; the map keeps them when a requested size is
// refused.
inline constexpr int COLONNES_INITIALES = 20;
inline constexpr int LIGNES_INITIALES = 20;

// Map dimensions start-up asks for when the command line gives none.
inline constexpr int COLONNES_PAR_DEFAUT = 10;
inline constexpr int LIGNES_PAR_DEFAUT = 10;
