// Standard output of the program (civilisation, turn and war lines, the character map): one
// place that tests and benchmarks can point at another stream.
#pragma once

#include <cstdio>

// The stream the program's standard-output texts go to (stdout unless replaced).
FILE* sortie();

// Replaces that stream; nullptr restores stdout.
void fixer_sortie(FILE* flux);

// Pushes that stream's buffered text out: 0, or -1 when the stream has failed (see
// erreur_sortie).
int vider_sortie();
// The system's error number of the stream's first failed write (EPIPE when the reader went
// away), 0 while every write went through.
int erreur_sortie();

// printf onto that stream.
int ecrire_sortie(const char* format, ...) __attribute__((format(printf, 1, 2)));
// At the end of a run on a terminal: when an escape sequence went out through ecrire_sortie
// (colours, bold), "\033[0m" resets the attributes, so that the user's shell is not left bold or
// coloured. Nothing is written to a pipe or a file.
void remettre_attributs();

// Whether the lines written during a step (each tribe's line, the lines around each unit's turn,
// the war phase's lines, the victory lines) reach that stream: 1 (the default) or 0.
void fixer_traces_tours(int actives);
int lire_traces_tours();
// printf onto that stream while the step's lines are shown; 0 and nothing formatted otherwise.
int ecrire_trace(const char* format, ...) __attribute__((format(printf, 1, 2)));
