// The console: reads one command line at a time through a pluggable reader, splits it into
// lower-case words, answers "help" from the help file and hands other lines to the interpreter.
#pragma once

// Next input character, or EOF at the end of input.
using lecteur_t = int (*)();
// Shows a finished text.
using ecrivain_t = void (*)(const char*);
// Runs a command line; non-zero when it recognised the command.
using interpreteur_t = int (*)(const char*);

// Conversions of trouver_param.
enum : int { PARAM_TEXTE = 1, PARAM_ENTIER = 2, PARAM_TEXTE_BIS = 3, PARAM_REEL = 4 };

// Reader from standard input (with line editing when it is a terminal), writer to standard
// output, no help file, no interpreter.
void init_console();
// A null argument keeps the current hook.
void fixer_entree_sortie(lecteur_t lecteur, ecrivain_t ecrivain);
void fixer_interpreteur(interpreteur_t interpreteur);
// A null name means no help file.
void fixer_fichier_aide(const char* nom);

// The text-mode prompt ">", shown before lire_commande: printed on standard output when
// characters are read plainly, handed to the line editor (which draws it when it asks for the
// line) when the default reader edits a terminal.
void afficher_invite();

// printf through the writer, at most 499 characters (longer texts are cut); the number of
// characters handed to the writer.
int console_printf(const char* format, ...) __attribute__((format(printf, 1, 2)));
// Reads and executes one command line. When the input ends for good with nothing read, the
// interpreter is handed "quit".
void lire_commande();
// Word n of the line: text (1, 3), int* (2), float* (4); none when missing or another type.
const void* trouver_param(const char* ligne, int n, int type);
// Number of words of the line, without a trace line.
int compter_mots(const char* ligne);
// 1 when the word is the command name or one of its two abbreviations (lengths a and b, 0 none).
int comparer_commande(const char* mot, const char* commande, int a, int b);
// The help command.
void afficher_aide(const char* ligne);
