// Hand-made tribes for the tests of the population layer and those above it.
#pragma once

// Appends a civilisation with the given characteristics (name "T<code>").
void ajouter_tribu(int code, int regime, int comportement, int milieu_prefere);
