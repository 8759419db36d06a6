// Start of the chosen display.
#pragma once

// 1 on success, 0 on failure.
int initialiser_affichage(int* argc, char** argv);
