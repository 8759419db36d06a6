// Per-step update of every cell's resources and climate.
#pragma once

void mise_a_jour_carte();
