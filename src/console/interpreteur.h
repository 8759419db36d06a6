// The command interpreter installed in the console.
#pragma once

// 1 when the command was recognised, else 0.
int interpreter_commande(const char* ligne);

// What the graphics display does for the commands run in its window: rebuild the scene, ask the
// window for a redraw, blank the window console. A null action does nothing.
struct actions_graphiques {
  void (*reconstruire_scene)();
  void (*redessiner)();
  void (*vider_console)();
};

// Installs the graphics display's actions; all null until then (and after an empty record).
void fixer_actions_graphiques(const actions_graphiques& actions);
