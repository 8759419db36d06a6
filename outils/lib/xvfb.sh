# For the scripts of outils/ that drive the real window: sourced once TRAVAIL (a scratch folder
# holding aide.dat) and BIN are set. Starts a private Xvfb server and points DISPLAY at it; the
# server, a program still running and TRAVAIL go away when the script ends.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3> "$TRAVAIL/num" \
  > /dev/null 2>&1 &
XVFB=$!
PROGRAMME=""
trap '[ -n "$PROGRAMME" ] && kill "$PROGRAMME" 2> /dev/null; kill "$XVFB"; rm -rf "$TRAVAIL"' EXIT
for _ in $(seq 100); do [ -s "$TRAVAIL/num" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$TRAVAIL/num")"

# Starts the program in TRAVAIL with the given environment ("" for none) and options, waits (up
# to a minute) for its window, FENETRE, and gives it the focus with the pointer at (20, 20).
lancer() {
  local env=$1
  shift
  (cd "$TRAVAIL" && exec env $env "$BIN" "$@" > /dev/null 2>&1) &
  PROGRAMME=$!
  FENETRE=""
  for _ in $(seq 600); do
    FENETRE=$(xdotool search --onlyvisible --name '^Pangaeolith$' 2> /dev/null | head -n 1) || true
    [ -n "$FENETRE" ] && break
    sleep 0.1
  done
  [ -n "$FENETRE" ] || { echo "pas de fenetre Pangaeolith" >&2; exit 1; }
  xdotool mousemove --window "$FENETRE" 20 20
  xdotool windowfocus --sync "$FENETRE"
}
