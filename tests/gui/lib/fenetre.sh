# Shared by the real-window scripts: a private Xvfb server, the program's window found by its
# title, screenshots and their pixels, keys and clicks sent with xdotool.
# Usage in a script: source "$(dirname "$0")/lib/fenetre.sh" "$@"
source "$(dirname "${BASH_SOURCE[0]}")/../../e2e/lib/commun.sh" "$@"

for outil in Xvfb xdotool import convert compare; do
  if ! command -v "$outil" > /dev/null; then
    echo "SAUTE: $outil absent (./test.sh installe xvfb, xdotool et imagemagick)"
    exit 77
  fi
done

# The server picks a free display number and writes it on descriptor 3; -noreset keeps it from
# resetting between two clients.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3> xvfb.num > xvfb.log 2>&1 &
XVFB=$!
PROGRAMME=""
trap 'arreter; rm -rf "$TRAVAIL"' EXIT
for _ in $(seq 100); do [ -s xvfb.num ] && break; sleep 0.1; done
[ -s xvfb.num ] || { echo "ECHEC: Xvfb ne demarre pas" >&2; cat xvfb.log >&2; exit 1; }
export DISPLAY=":$(cat xvfb.num)"
# In the sanitizer build, the GL driver's own buffers, still held when the program ends from the
# window, are reported as leaks once the driver is unloaded (frames without symbols): the leak
# check is left to the headless tests. stdbuf preloads its library ahead of the sanitizer's runtime,
# which the sanitizer build then accepts.
export ASAN_OPTIONS="${ASAN_OPTIONS:-}${ASAN_OPTIONS:+:}detect_leaks=0:verify_asan_link_order=0"

# Ends what the script started: the program if it still runs, then the server.
arreter() {
  [ -n "$PROGRAMME" ] && kill "$PROGRAMME" 2> /dev/null
  kill "$XVFB" 2> /dev/null
  wait 2> /dev/null
}

# attendre_fenetre: waits for the window titled Pangaeolith and prints its decimal id.
attendre_fenetre() {
  local id=""
  for _ in $(seq 300); do
    id=$(xdotool search --onlyvisible --name '^Pangaeolith$' 2> /dev/null | head -n 1)
    [ -n "$id" ] && break
    sleep 0.1
  done
  echo "$id"
}

# lancer <option>...: starts the program (standard output line-buffered into sortie.txt, so that
# the steps' lines are counted as they come; errors into erreurs.txt), without DISPLAY in its
# environment when SANS_DISPLAY is set, finds its window and waits for the 14 h sky,
# (0.2, 0.2, 1.0), in its top left corner.
lancer() {
  env ${SANS_DISPLAY:+-u DISPLAY} stdbuf -oL "$BIN" "$@" > sortie.txt 2> erreurs.txt < /dev/null &
  PROGRAMME=$!
  FENETRE=$(attendre_fenetre)
  [ -n "$FENETRE" ] || { echec "pas de fenetre Pangaeolith"; cat erreurs.txt >&2; terminer; }
  attendre_capture depart.png "ciel de 14 h absent" '[ "$(pixel "$1" 3 3)" = "51,51,255" ]'
}

# finir <what ended it>: waits for the program to end, with status 0.
finir() {
  for _ in $(seq 100); do kill -0 "$PROGRAMME" 2> /dev/null || break; sleep 0.2; done
  if kill -0 "$PROGRAMME" 2> /dev/null; then
    echec "$1 ne termine pas le programme"
    return
  fi
  wait "$PROGRAMME"
  attendre_egal "statut apres $1" 0 $?
  PROGRAMME=""
}

# capture <fichier>: screenshot of the window.
capture() { import -window "$FENETRE" "$1"; }

# pixel <fichier> <x> <y>: "r,g,b" in 0..255.
pixel() {
  convert "$1" -format "%[fx:round(255*p{$2,$3}.r)],%[fx:round(255*p{$2,$3}.g)],%[fx:round(255*p{$2,$3}.b)]" info:
}

# differences <a> <b>: number of pixels that differ.
differences() { compare -metric AE "$1" "$2" null: 2>&1 | cut -d' ' -f1; }

# compter_couleur <fichier> <largeur>x<hauteur>+<x>+<y> <r,g,b>: pixels of exactly that colour in
# the region.
compter_couleur() {
  convert "$1" -crop "$2" +repage -fill black +opaque "rgb($3)" -fill white -opaque "rgb($3)" \
    -format "%[fx:round(mean*w*h)]" info:
}

# attendre_capture <fichier> <description> <condition>: screenshots until the condition (a shell
# command that may use $1 = the screenshot) holds, for at most about 60 s.
attendre_capture() {
  local fichier=$1 description=$2 condition=$3
  for _ in $(seq 120); do
    capture "$fichier"
    if (set -- "$fichier"; eval "$condition"); then return 0; fi
    sleep 0.5
  done
  echec "$description"
  return 1
}

# The window gets the keys once the pointer is over it and it has the focus (no window manager).
focaliser() {
  xdotool mousemove --window "$FENETRE" 20 20
  xdotool windowfocus --sync "$FENETRE"
}

# touches <key>...: keys sent to the window, with a short pause between them.
touches() {
  focaliser
  xdotool key --delay 150 "$@"
}

# taper <text>: types a line into the window console and ends it with Return.
taper() {
  focaliser
  xdotool type --delay 60 "$1"
  xdotool key Return
}

# lignes_de_pas: simulation steps run so far, from the war phase's first line on standard output.
lignes_de_pas() { grep -c '^X=[0-9]* Y=[0-9]*$' sortie.txt; }
