// The debug and error logs: "debug.log" for the trace of normal work, "error.log" for requests
// outside the map and display failures. Every writer does nothing while its log is closed.
#pragma once

#include <cstdio>

// Opens `nom` for writing into `*emplacement`, emptied in place and without waiting (a FIFO that
// nobody reads is refused): 1 with the handle stored, 0 with it cleared.
int ouvrir_fichier_log(const char* nom, FILE** emplacement);

// Open the debug or the error log; the log's open flag takes the result (1 or 0). An open log is
// one of the run's outputs (see sortie_libre): a log that would be another output of the run
// (standard output redirected to it, the CSV file) is refused.
int ouvrir_debug(const char* nom);
int ouvrir_erreur(const char* nom);

// Close the log's file if it is open and clear its flag.
void fermer_debug();
void fermer_erreur();

// Write one record "Debug - HH:MM:SS:ms - message" (or "Error - ..."), adding the line feed the
// message lacks. Result: the characters of the expanded message (the added line feed included,
// the prefix not), or -1 when the log is closed.
int(ecrire_debug)(const char* format, ...) __attribute__((format(printf, 1, 2)));
int ecrire_erreur(const char* format, ...) __attribute__((format(printf, 1, 2)));

// 1 while the debug log is open.
int debug_ouvert();
// A record for a closed debug log costs this test only: its arguments are not even evaluated.
#define ecrire_debug(...) (debug_ouvert() != 0 ? (ecrire_debug)(__VA_ARGS__) : -1)

// Pushes buffered records to the files (used before a deliberate process end and while the
// program waits for a line).
void vider_journaux();
// Flushes the records still buffered once the second they were written in is over, so that a
// quiet program (a window left idle) keeps its trace on disk within a second even when no new
// record comes to trigger the flush. Cheap when nothing waits: called at every idle pass.
void entretenir_journaux();

// 1 when a log was asked for but could not be opened, or one of its writes failed (said once on
// standard error): the trace is incomplete.
int journaux_en_echec();
// Why the last log that could not be opened was refused: the system's reason, or the output of
// the run it already is.
const char* raison_echec_journal();
