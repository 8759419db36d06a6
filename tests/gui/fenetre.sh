#!/usr/bin/env bash
# The real window under Xvfb, driven like a user would: it opens on the display named by -display
# at the size asked and shows the day sky of 14 h above a lit relief; c opens the console, where
# lines typed 1 ms apart are all run in order, J runs single steps, E the animation with a step at
# the end of the simulated day. The window manager's close button (WM_DELETE_WINDOW) ends the run
# like quit, with status 0 and both logs closed with their closing record.
source "$(dirname "$0")/lib/fenetre.sh" "$@"
# The design's window: its additions (heads-up line, extra keys, wheel) switched off.
export PANGAEOLITH_SOBRE=1

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

# The display given on the command line, with no DISPLAY in the environment.
SANS_DISPLAY=1 lancer -g -d --seed 7 -z 640 480 -display "$DISPLAY"
attendre_egal "taille de la fenetre" "640x480" \
  "$(xdotool getwindowgeometry "$FENETRE" | sed -n 's/.*Geometry: //p')"
attendre_egal "ciel en haut a droite" "51,51,255" "$(pixel depart.png 636 3)"
# The map fills the middle: lit tiles and markers in many shades, none of them the sky.
[ "$(compter_couleur depart.png 200x150+220+165 51,51,255)" -eq 0 ] || echec "du ciel au centre"
nuances=$(convert depart.png -crop 200x150+220+165 +repage -format %k info:)
[ "$nuances" -ge 200 ] || echec "relief sans eclairage: $nuances nuances"
# The grey plate around the map shows below it.
[ "$(pixel depart.png 320 470)" != "51,51,255" ] || echec "pas de plateau sous la carte"

# Text of the overlays is drawn in pure white, a colour the lit scene never reaches (the sun's
# light has less blue than red and green).
blanc_en_haut() { compter_couleur "$1" 640x270+0+0 255,255,255; }
[ "$(blanc_en_haut depart.png)" -eq 0 ] || echec "du texte blanc avant toute commande"

# c opens the console: its input bar runs across the window 281 to 298 pixels from the top, in
# a translucent violet over the scene.
touches c
attendre_capture console.png "barre de saisie absente apres c" \
  '[ "$(compter_couleur "$1" 640x1+0+282 255,255,255)" -eq 0 ] && p=$(pixel "$1" 320 290) &&
   IFS=, read -r r g b <<< "$p" && [ "$r" -ge 110 ] && [ "$g" -le 110 ] && [ "$b" -ge 200 ]'
# "sh all" answers in the scroll-back area above the bar.
taper "sh all"
attendre_capture options.png "reponse de sh all absente" '[ "$(blanc_en_haut "$1")" -ge 300 ]'
# "exit" closes the console: the overlay goes and the keys act on the view again.
taper "exit"
attendre_capture sans_console.png "console encore affichee apres exit" \
  '[ "$(blanc_en_haut "$1")" -eq 0 ] && [ "$(differences "$1" depart.png)" -eq 0 ]'

# J runs one step and rebuilds the scene each time: units and resources change.
touches j j j j j
for _ in $(seq 120); do [ "$(lignes_de_pas)" -ge 5 ] && break; sleep 0.5; done
attendre_egal "pas joues par J" 5 "$(lignes_de_pas)"
attendre_capture apres_j.png "la scene ne change pas apres J" \
  '[ "$(differences "$1" depart.png)" -gt 200 ]'

touches c
# Three commands typed 1 ms apart into the console, as a paste: every one runs (two steps, then
# the seed), each line read on its own, and nothing of them is lost to the line still waiting
# for the idle loop. The debug log reaches its file within a second of an idle window.
invites() { grep -c 'bcle_princip - on affiche le prompt' debug.log; }
sleep 1.5
avant=$(invites)
xdotool type --delay 1 $'cont 2\ngraine\ncont\n'
for _ in $(seq 100); do [ "$(lignes_de_pas)" -ge 8 ] && break; sleep 0.2; done
attendre_egal "pas joues apres la saisie collee" 8 "$(lignes_de_pas)"
for _ in $(seq 20); do [ "$(invites)" -ge $((avant + 3)) ] && break; sleep 0.2; done
attendre_egal "trois lignes lues" $((avant + 3)) "$(invites)"
# E with a short timer period: the hour runs from 14 h and the end of the day brings one step.
# Ticks of 100 ms adding an hour each: 22 h comes after 8 ticks, the next evening 18 ticks later,
# far more than the 0.2 s between two looks at the output.
taper "hour 100"
taper "inter 1"
taper "exit"
sleep 1
avant=$(lignes_de_pas)
touches e
apres=$avant
for _ in $(seq 300); do
  apres=$(lignes_de_pas)
  [ "$apres" -gt "$avant" ] && break
  sleep 0.2
done
touches e
attendre_egal "un pas en fin de journee" $((avant + 1)) "$apres"

./fermer "$FENETRE" || echec "message WM_DELETE_WINDOW non envoye"
finir "la fermeture de la fenetre"
# Both logs closed: the trace ends with the closing record, the window's close noted before it.
attendre_egal "dernier enregistrement" "main - Fermeture des fichiers de debug et d'erreur..." \
  "$(tail -n 1 debug.log | sed 's/^Debug - [0-9:]* - //')"
grep -q "Fenetre fermee par le gestionnaire de fenetres" debug.log || echec "fermeture non tracee"
# The option parser does not know -display, which glutInit takes: it may say so, nothing else.
autres=$(grep -v -- 'option inconnue -display' erreurs.txt || true)
[ -z "$autres" ] || echec "sortie d'erreur inattendue: $(head -c 300 <<< "$autres")"

terminer
