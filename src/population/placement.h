// Initial placement: one unit per tribe on a random free land cell.
#pragma once

void positionner_unite();
