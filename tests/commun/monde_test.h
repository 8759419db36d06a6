// Hand-built worlds for the tests of the map layer and those above it.
#pragma once

// A flat X by Y world of one altitude and climate, every resource at `ressource` (sea cells keep
// 7000 water), after reinitialiser_couches().
void construire_monde(int x, int y, int altitude, int climat, int ressource = 0);

// Sets one cell's altitude and its four resources (sea: forced to 7000 water).
void fixer_case(int x, int y, int altitude, int eau, int bois, int vegetale, int animale);
