// The map layer back to its start state, for tests and for the whole program's reset.
#pragma once

// No map terrains and the initial dimensions.
void reinitialiser_monde();
