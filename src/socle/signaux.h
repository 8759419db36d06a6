// Ctrl-C, SIGTERM and SIGHUP: the handlers only raise flags, which the console and the loops act
// on at a point where stopping is safe (between two steps, while waiting for a line).
#pragma once

// First thing at start: /dev/null in place of any of the standard descriptors 0, 1, 2 that is
// closed, so that no file opened later takes their place (a log receiving the map); and SIGPIPE
// ignored, so that a reader that went away shows as a failed write (EPIPE) the run can end on.
void preparer_processus();
// Installs the handlers of SIGINT, SIGTERM and SIGHUP (SIGHUP stays ignored when it was at start,
// as under nohup). On a terminal input, SIGINT asks for an interruption: the running command
// stops after its current step and the prompt comes back. Otherwise SIGINT ends the run like
// SIGTERM and SIGHUP: the input reads as ended and the run finishes as after "quit". A second
// request to end that comes before the run could act on the first ends the process at once with
// the signal's default action: a run stuck writing to a pipe nobody reads can always be ended.
void installer_signaux(int entree_terminal);
// While a line is awaited (1), a signal interrupts the blocked read so that the reader sees it
// at once; otherwise (0) interrupted system calls restart and no output is lost.
void attendre_saisie(int attente);
// 1 once the run has been asked to end by a signal.
int arret_demande();
// 1 when an interruption (Ctrl-C on a terminal) is pending, without clearing it.
int interruption_en_attente();
// 1 when an interruption was pending; clears it.
int prendre_interruption();
// Tests and start-up: flags cleared, default handlers back if they had been replaced.
void reinitialiser_signaux();
