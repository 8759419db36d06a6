#!/usr/bin/env bash
# The chart of key P in the real window: after a few steps played with J, P lays the chart over
# the scene (a light panel with every tribe's colour in its lines and legend), and P again gives
# the scene back exactly as it was.
source "$(dirname "$0")/lib/fenetre.sh" "$@"
# The design's window: its additions (heads-up line, extra keys, wheel) switched off.
export PANGAEOLITH_SOBRE=1

lancer -g --seed 5 -i 30 20 -z 800 600

# Twelve steps, one J each.
touches $(printf 'j %.0s' $(seq 12))
for _ in $(seq 100); do [ "$(lignes_de_pas)" -ge 12 ] && break; sleep 0.2; done
attendre_egal "pas joues avec J" 12 "$(lignes_de_pas)"
attendre_capture scene.png "la scene ne se stabilise pas" \
  'sleep 0.5; capture encore.png; [ "$(differences "$1" encore.png)" -eq 0 ]'

# P: the light panel covers the window but its margins.
touches p
attendre_capture courbe.png "courbe absente apres P" \
  'IFS=, read -r r g b <<< "$(pixel "$1" 400 300)"; [ "$r" -ge 200 ] && [ "$g" -ge 200 ] && [ "$b" -ge 200 ]'
IFS=, read -r r g b <<< "$(pixel courbe.png 5 5)"
[ "$r,$g,$b" = "$(pixel scene.png 5 5)" ] || echec "la marge de la fenetre a change sous la courbe"
# Every tribe's colour, drawn opaque in its line and its legend stroke.
for couleur in 255,0,0 0,255,0 0,0,255 255,0,255 255,255,0 0,255,255 128,0,0 0,128,0 0,0,128; do
  n=$(compter_couleur courbe.png 768x568+16+16 "$couleur")
  [ "$n" -ge 60 ] || echec "couleur $couleur: $n pixels seulement dans la courbe"
done

# P again: the scene as it was.
touches p
attendre_capture sans_courbe.png "la courbe reste apres le second P" \
  '[ "$(differences "$1" scene.png)" -eq 0 ]'
[ -n "${GARDER_CAPTURES:-}" ] && cp courbe.png scene.png "$GARDER_CAPTURES"/

touches q
finir q
terminer
