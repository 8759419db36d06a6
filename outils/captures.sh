#!/usr/bin/env bash
# Makes the README's screenshots of the graphics window under a private Xvfb server:
# docs/images/fenetre_14h.png (the relief at 14 h from the oblique view) and
# docs/images/selection.png (selection mode from above, with the panel of a clicked cell).
# Needs xvfb, xdotool and imagemagick (./test.sh installs them) and a built program:
#   outils/captures.sh [build/pangaeolith]
set -euo pipefail
cd "$(dirname "$0")/.."
BIN=$(realpath "${1:-build/pangaeolith}")
SORTIE=docs/images
mkdir -p "$SORTIE"
TRAVAIL=$(mktemp -d)
cp aide.dat "$TRAVAIL"

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3> "$TRAVAIL/num" \
  > /dev/null 2>&1 &
XVFB=$!
PROGRAMME=""
trap '[ -n "$PROGRAMME" ] && kill "$PROGRAMME" 2> /dev/null; kill "$XVFB"; rm -rf "$TRAVAIL"' EXIT
for _ in $(seq 100); do [ -s "$TRAVAIL/num" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$TRAVAIL/num")"

(cd "$TRAVAIL" && exec "$BIN" -g --seed 5 -i 30 20 -z 640 480 > /dev/null 2>&1) &
PROGRAMME=$!
FENETRE=""
for _ in $(seq 300); do
  FENETRE=$(xdotool search --onlyvisible --name '^Pangaeolith$' 2> /dev/null | head -n 1) || true
  [ -n "$FENETRE" ] && break
  sleep 0.1
done
[ -n "$FENETRE" ] || { echo "pas de fenetre Pangaeolith" >&2; exit 1; }

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
xdotool mousemove --window "$FENETRE" 20 20
xdotool windowfocus --sync "$FENETRE"
xdotool key i
sleep 1
xdotool mousemove --window "$FENETRE" 118 247 click 1
stable "$SORTIE/selection.png"

xdotool key q
wait "$PROGRAMME" || true
PROGRAMME=""
ls -l "$SORTIE"/fenetre_14h.png "$SORTIE"/selection.png
