#!/usr/bin/env bash
# The real window driven like a user would: the console opened with c and a command typed in it,
# selection mode with the cell panel on the far side of the click, single steps with J, the
# animation with E running a step at the end of the simulated day, and q ending the program.
source "$(dirname "$0")/lib/fenetre.sh" "$@"

# Standard output line-buffered, so that the steps' lines are counted as they come (stdbuf
# preloads its library ahead of the sanitizer's runtime, which the sanitizer build then accepts).
ASAN_OPTIONS="${ASAN_OPTIONS:-}${ASAN_OPTIONS:+:}verify_asan_link_order=0" stdbuf -oL "$BIN" -g --seed 7 -z 640 480 > sortie.txt 2> erreurs.txt < /dev/null &
PROGRAMME=$!
FENETRE=$(attendre_fenetre)
[ -n "$FENETRE" ] || { echec "pas de fenetre Pangaeolith"; cat erreurs.txt >&2; terminer; }
attendre_capture depart.png "ciel de 14 h absent" '[ "$(pixel "$1" 3 3)" = "51,51,255" ]'

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

# I: selection mode, seen from straight above. A click left of the middle shows the cell panel
# on the right half, a click right of the middle shows it on the left half.
touches i
attendre_capture dessus.png "la vue de dessus ne vient pas" \
  '[ "$(differences "$1" depart.png)" -gt 20000 ]'
xdotool mousemove --window "$FENETRE" 250 240 click 1
attendre_capture panneau_droite.png "panneau absent a droite" \
  '[ "$(compter_couleur "$1" 290x470+340+10 255,255,255)" -ge 300 ] &&
   [ "$(compter_couleur "$1" 300x470+0+10 255,255,255)" -eq 0 ]'
xdotool mousemove --window "$FENETRE" 400 240 click 1
attendre_capture panneau_gauche.png "panneau absent a gauche" \
  '[ "$(compter_couleur "$1" 290x470+10+10 255,255,255)" -ge 300 ] &&
   [ "$(compter_couleur "$1" 290x470+340+10 255,255,255)" -eq 0 ]'
touches i
attendre_capture oblique.png "retour a la vue oblique absent" \
  '[ "$(differences "$1" depart.png)" -eq 0 ]'

# J runs one step and rebuilds the scene each time: units and resources change.
touches j j j j j
for _ in $(seq 120); do [ "$(lignes_de_pas)" -ge 5 ] && break; sleep 0.5; done
attendre_egal "pas joues par J" 5 "$(lignes_de_pas)"
attendre_capture apres_j.png "la scene ne change pas apres J" \
  '[ "$(differences "$1" depart.png)" -gt 200 ]'

# E with a short timer period: the hour runs from 14 h and the end of the day brings one step.
# Ticks of 100 ms adding an hour each: 22 h comes after 8 ticks, the next evening 18 ticks later,
# far more than the 0.2 s between two looks at the output.
touches c
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

# q ends the program with status 0.
touches q
for _ in $(seq 100); do kill -0 "$PROGRAMME" 2> /dev/null || break; sleep 0.2; done
if kill -0 "$PROGRAMME" 2> /dev/null; then
  echec "q ne termine pas le programme"
else
  wait "$PROGRAMME"
  attendre_egal "statut apres q" 0 $?
  PROGRAMME=""
fi
[ -s erreurs.txt ] && echec "sortie d'erreur non vide: $(head -c 300 erreurs.txt)"

# Started with -c, the console is open and takes a typed line at once: "quit" ends with status 0.
"$BIN" -g -c --seed 7 -z 320 240 > sortie.txt 2> erreurs.txt < /dev/null &
PROGRAMME=$!
FENETRE=$(attendre_fenetre)
[ -n "$FENETRE" ] || { echec "pas de fenetre avec -c"; terminer; }
taper "quit"
for _ in $(seq 100); do kill -0 "$PROGRAMME" 2> /dev/null || break; sleep 0.2; done
if kill -0 "$PROGRAMME" 2> /dev/null; then
  echec "-c: quit tape dans la console ne termine pas le programme"
else
  wait "$PROGRAMME"
  attendre_egal "statut apres quit avec -c" 0 $?
  PROGRAMME=""
fi

terminer
