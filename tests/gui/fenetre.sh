#!/usr/bin/env bash
# The real window under Xvfb, driven like a user would: it opens on the display named by -display
# at the size asked and shows the day sky of 14 h above a lit relief; c opens the console where a
# command is typed, I gives selection mode with the cell panel on the far side of the click, J
# runs single steps, E the animation with a step at the end of the simulated day, q ends the
# program.
source "$(dirname "$0")/lib/fenetre.sh" "$@"
# The design's window: its additions (heads-up line, extra keys, wheel) switched off.
export PANGAEOLITH_SOBRE=1

# The display given on the command line, with no DISPLAY in the environment. Standard output
# line-buffered, so that the steps' lines are counted as they come (stdbuf preloads its library
# ahead of the sanitizer's runtime, which the sanitizer build then accepts).
ASAN_OPTIONS="${ASAN_OPTIONS:-}${ASAN_OPTIONS:+:}verify_asan_link_order=0" env -u DISPLAY \
  stdbuf -oL "$BIN" -g --seed 7 -z 640 480 -display "$DISPLAY" > sortie.txt 2> erreurs.txt < /dev/null &
PROGRAMME=$!
FENETRE=$(attendre_fenetre)
[ -n "$FENETRE" ] || { echec "pas de fenetre Pangaeolith"; cat erreurs.txt >&2; terminer; }
attendre_egal "taille de la fenetre" "640x480" \
  "$(xdotool getwindowgeometry "$FENETRE" | sed -n 's/.*Geometry: //p')"

# At 14 h the sky is (0.2, 0.2, 1.0): it fills the top corners above the oblique view.
attendre_capture depart.png "ciel de 14 h absent" '[ "$(pixel "$1" 3 3)" = "51,51,255" ]'
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
# The option parser does not know -display, which glutInit takes: it may say so, nothing else.
autres=$(grep -v -- 'option inconnue -display' erreurs.txt || true)
[ -z "$autres" ] || echec "sortie d'erreur inattendue: $(head -c 300 <<< "$autres")"

terminer
