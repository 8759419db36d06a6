#!/usr/bin/env bash
# The window manager's close button: the WM_DELETE_WINDOW message that a window manager sends
# ends the run like quit, with status 0, the CSV file whole and both logs closed with their
# closing record; and keys typed 1 ms apart into the window console are all run, in order.
source "$(dirname "$0")/lib/fenetre.sh" "$@"

# What a window manager sends when its close button is pressed, written with Xlib.
cat > fermer.c <<'C'
#include <X11/Xlib.h>
#include <stdlib.h>
int main(int argc, char** argv) {
  Display* d = XOpenDisplay(NULL);
  if (d == NULL || argc < 2) return 1;
  XEvent e = {0};
  e.xclient.type = ClientMessage;
  e.xclient.window = (Window)strtoul(argv[1], NULL, 10);
  e.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
  e.xclient.format = 32;
  e.xclient.data.l[0] = (long)XInternAtom(d, "WM_DELETE_WINDOW", False);
  e.xclient.data.l[1] = CurrentTime;
  XSendEvent(d, e.xclient.window, False, NoEventMask, &e);
  XCloseDisplay(d);
  return 0;
}
C
if ! cc -o fermer fermer.c -lX11 2> cc.txt; then
  echo "SAUTE: pas de compilateur C avec Xlib pour envoyer WM_DELETE_WINDOW"
  exit 77
fi

ASAN_OPTIONS="${ASAN_OPTIONS:-}${ASAN_OPTIONS:+:}verify_asan_link_order=0" \
  "$BIN" -g -c -d -q --seed 3 -i 12 8 --stats pas.csv > sortie.txt 2> erreurs.txt < /dev/null &
PROGRAMME=$!
FENETRE=$(attendre_fenetre)
[ -n "$FENETRE" ] || { echec "pas de fenetre Pangaeolith"; cat erreurs.txt >&2; terminer; }
attendre_capture depart.png "ciel de 14 h absent" '[ "$(pixel "$1" 3 3)" = "51,51,255" ]'

# Three commands typed 1 ms apart, as a paste: every one runs, in order (two steps, then the
# seed), and nothing of them is lost to the line still waiting for the idle loop.
focaliser
xdotool type --delay 1 $'cont 2\ngraine\ncont\n'
dernier_pas() { grep -v '^#' pas.csv | tail -n 1 | cut -d, -f1; }
for _ in $(seq 100); do [ "$(dernier_pas)" = 3 ] && break; sleep 0.2; done
# The CSV has its header, the start and one line per tribe and step: steps 1, 2 and 3.
attendre_egal "trois pas joues" 3 "$(dernier_pas)"

./fermer "$FENETRE" || echec "message WM_DELETE_WINDOW non envoye"
for _ in $(seq 100); do kill -0 "$PROGRAMME" 2> /dev/null || break; sleep 0.1; done
if kill -0 "$PROGRAMME" 2> /dev/null; then
  echec "la fenetre fermee ne termine pas le programme"
else
  wait "$PROGRAMME"
  attendre_egal "statut apres fermeture" 0 $?
  PROGRAMME=""
fi
# Both logs closed: the trace ends with the closing record, the window's close noted before it.
attendre_egal "dernier enregistrement" "main - Fermeture des fichiers de debug et d'erreur..." \
  "$(tail -n 1 debug.log | sed 's/^Debug - [0-9:]* - //')"
grep -q "Fenetre fermee par le gestionnaire de fenetres" debug.log || echec "fermeture non tracee"
# Each of the three lines was read on its own.
attendre_egal "trois lignes lues" 3 "$(grep -c 'bcle_princip - on affiche le prompt' debug.log)"

terminer
