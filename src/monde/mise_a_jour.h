// Per-step update of every cell's resources and climate.
#pragma once

void mise_a_jour_carte();

// After a change of the model's parameters between two steps: every cell's popmax follows its
// altitude class's capacity, and no stock stays above the resource ceiling.
void ajuster_carte_au_modele();
