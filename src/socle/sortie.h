// Standard output of the program (civilisation, turn and war lines, the character map): one
// place that tests and benchmarks can point at another stream.
#pragma once

#include <cstdio>

// The stream the program's standard-output texts go to (stdout unless replaced).
FILE* sortie();

// Replaces that stream; nullptr restores stdout.
void fixer_sortie(FILE* flux);

// printf onto that stream.
int ecrire_sortie(const char* format, ...) __attribute__((format(printf, 1, 2)));
