// The colour of each tribe, the same in the 3-D scene and in the charts.
#pragma once

#include <array>
#include <cstdint>

// Colours of the tribe codes 0 to 11 (red, green, blue).
inline constexpr std::array<std::array<std::uint8_t, 3>, 12> COULEURS_TRIBUS = {{
    {255, 0, 0},
    {0, 255, 0},
    {0, 0, 255},
    {255, 0, 255},
    {255, 255, 0},
    {0, 255, 255},
    {128, 0, 0},
    {0, 128, 0},
    {0, 0, 128},
    {128, 0, 128},
    {128, 128, 0},
    {0, 128, 128},
}};
