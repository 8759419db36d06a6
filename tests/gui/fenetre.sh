#!/usr/bin/env bash
# The real window under Xvfb: it opens on the display named by -display, shows the day sky of
# 14 h above a lit relief, at the size asked, double- or single-buffered.
source "$(dirname "$0")/lib/fenetre.sh" "$@"

# The display given on the command line, with no DISPLAY in the environment.
env -u DISPLAY "$BIN" -g --seed 7 -z 640 480 -display "$DISPLAY" > sortie.txt 2> erreurs.txt &
PROGRAMME=$!
FENETRE=$(attendre_fenetre)
[ -n "$FENETRE" ] || { echec "pas de fenetre Pangaeolith"; cat erreurs.txt >&2; terminer; }
attendre_egal "taille de la fenetre" "640x480" \
  "$(xdotool getwindowgeometry "$FENETRE" | sed -n 's/.*Geometry: //p')"

# At 14 h the sky is (0.2, 0.2, 1.0): it fills the top corners above the oblique view.
attendre_capture jour.png "ciel de 14 h absent" '[ "$(pixel "$1" 3 3)" = "51,51,255" ]'
attendre_egal "ciel en haut a droite" "51,51,255" "$(pixel jour.png 636 3)"
# The map fills the middle: lit tiles and markers in many shades, none of them the sky.
[ "$(pixel jour.png 320 240)" != "51,51,255" ] || echec "pas de relief au centre"
[ "$(compter_couleur jour.png 200x150+220+165 51,51,255)" -eq 0 ] || echec "du ciel au centre"
nuances=$(convert jour.png -crop 200x150+220+165 +repage -format %k info:)
[ "$nuances" -ge 200 ] || echec "relief sans eclairage: $nuances nuances"
# The grey plate around the map shows below it.
plateau=$(pixel jour.png 320 470)
[ "$plateau" != "51,51,255" ] || echec "pas de plateau sous la carte"
kill "$PROGRAMME"; wait "$PROGRAMME" 2> /dev/null; PROGRAMME=""
# The option parser does not know -display, which glutInit takes: it may say so, nothing else.
autres=$(grep -v -- 'option inconnue -display' erreurs.txt || true)
[ -z "$autres" ] || echec "sortie d'erreur inattendue: $(head -c 300 <<< "$autres")"

# Single-buffered, a 1 x 1 map: the one cell in the middle of its border ring, still lit.
"$BIN" -g -s --seed 7 -z 320 240 -i 1 1 > sortie.txt 2> erreurs.txt &
PROGRAMME=$!
FENETRE=$(attendre_fenetre)
[ -n "$FENETRE" ] || { echec "pas de fenetre en simple tampon"; terminer; }
attendre_capture simple.png "ciel absent en simple tampon" '[ "$(pixel "$1" 3 3)" = "51,51,255" ]'
[ "$(pixel simple.png 160 120)" != "51,51,255" ] || echec "simple tampon: rien au centre"
kill "$PROGRAMME"; wait "$PROGRAMME" 2> /dev/null; PROGRAMME=""

terminer
