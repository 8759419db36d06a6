// What the window asks of the program's top: whether the console is served, opening or closing
// it, and ending the run. The loop flags are the program's top's; it installs these hooks.
#pragma once

struct liens_programme {
  int (*console_servie)();
  void (*servir_console)(int servie);
  void (*demander_fin)();
};

// Installs the hooks; all null until then (and after an empty record): the console then reads
// as not served and the requests do nothing.
void fixer_liens_programme(const liens_programme& liens);

int console_servie();
void servir_console(int servie);
void demander_fin();
