// The command interpreter installed in the console.
#pragma once

// 1 when the command was recognised, else 0.
int interpreter_commande(const char* ligne);
