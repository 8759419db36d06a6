#!/usr/bin/env bash
# Makes the README's screenshots of the graphics window under a private Xvfb server:
# docs/images/fenetre_14h.png (the relief at 14 h from the oblique view) and
# docs/images/selection.png (selection mode from above, with the panel of a clicked cell), both
# of the window as designed (PANGAEOLITH_SOBRE=1); then, with the additions, bandeau.png (the
# heads-up line and legend on 30 x 20, markers x4), bandeau_100.png (the same on 100 x 100),
# zoom.png (the wheel turned toward a point), nom_long.png (a long tribe name in the panel, the
# legend narrowed beside it in 640 x 480) and panneau_zoom.png (a cell zoomed in from above and
# clicked on the middle line: the panel goes to the left, where it leaves the cell in sight).
# Needs xvfb, xdotool and imagemagick (./test.sh installs them) and a built program:
#   outils/captures.sh [build/pangaeolith]
set -euo pipefail
cd "$(dirname "$0")/.."
BIN=$(realpath "${1:-build/pangaeolith}")
SORTIE=docs/images
mkdir -p "$SORTIE"
TRAVAIL=$(mktemp -d)
cp aide.dat "$TRAVAIL"

source outils/lib/xvfb.sh

# N notches of the wheel toward the pointer.
molette() { for _ in $(seq "$1"); do xdotool click 4; sleep 0.2; done; }

# Selection mode (key I), then a click at (x, y).
cliquer_en_selection() {
  xdotool key i
  sleep 1
  xdotool mousemove --window "$FENETRE" "$1" "$2" click 1
}

finir() {
  xdotool key q
  wait "$PROGRAMME" || true
  PROGRAMME=""
}

lancer PANGAEOLITH_SOBRE=1 -g --seed 5 -i 30 20 -z 640 480

# Screenshots once two in a row are the same: the window has finished drawing.
stable() {
  import -window "$FENETRE" "$TRAVAIL/a.png"
  for _ in $(seq 60); do
    sleep 0.5
    import -window "$FENETRE" "$TRAVAIL/b.png"
    [ "$(compare -metric AE "$TRAVAIL/a.png" "$TRAVAIL/b.png" null: 2>&1 | cut -d' ' -f1)" = 0 ] && break
    mv "$TRAVAIL/b.png" "$TRAVAIL/a.png"
  done
  # 256 colours keep the files small without visible loss on this flat-shaded scene.
  convert "$TRAVAIL/b.png" -dither None -colors 256 -strip -define png:exclude-chunks=date,time \
    "PNG8:$1"
}
sleep 1
stable "$SORTIE/fenetre_14h.png"

# Selection mode (key I), then a click on a cell with a unit, left of the middle: the panel shows on the right.
cliquer_en_selection 118 247
stable "$SORTIE/selection.png"
finir

# The additions: three steps, markers x4, the heads-up line and legend.
lancer "" -g --seed 5 -i 30 20 -z 800 600
xdotool key j j j t t
sleep 1
stable "$SORTIE/bandeau.png"
# The wheel turned five notches toward the middle of the map.
xdotool mousemove --window "$FENETRE" 400 300
molette 5
stable "$SORTIE/zoom.png"
finir

lancer "" -g --seed 5 -i 100 100 -z 800 600
xdotool key j t t
# A 100 x 100 scene takes seconds to build and draw under Xvfb.
sleep 8
stable "$SORTIE/bandeau_100.png"
finir

# A long name in the panel: selection from above, a click on a unit of tribe 5.
lancer "" -g --seed 5 -i 30 20 -z 640 480
cliquer_en_selection 118 247
stable "$SORTIE/nom_long.png"
finir

# Selection from above, ten wheel notches toward the middle, a click on the middle line, on the
# plain of cell (15, 9): the cell reaches far under the right-hand panel, so the panel goes left.
lancer "" -g --seed 5 -i 30 20 -z 800 600
xdotool key i
sleep 1
xdotool mousemove --window "$FENETRE" 400 300
molette 10
xdotool mousemove --window "$FENETRE" 400 250 click 1
stable "$SORTIE/panneau_zoom.png"
finir

ls -l "$SORTIE"/fenetre_14h.png "$SORTIE"/selection.png "$SORTIE"/bandeau.png \
  "$SORTIE"/bandeau_100.png "$SORTIE"/zoom.png "$SORTIE"/nom_long.png "$SORTIE"/panneau_zoom.png
