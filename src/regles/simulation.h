// One simulation step of the whole world.
#pragma once

// Map update, war phase, then every civilisation's turn in list order.
void bcleprincip();

// What watches the steps from above (the statistics of a run): told before a step changes
// anything and once it is over. The step itself knows nothing of what they do with it.
struct observateurs_pas {
  void (*debut)() = nullptr;
  void (*fin)() = nullptr;
};
void fixer_observateurs_pas(const observateurs_pas& o);
