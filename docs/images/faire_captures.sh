#!/usr/bin/env bash
# Makes the README's terminal pictures: runs Pangaeolith in a tmux window, captures the screen
# with its colours and draws it as a PNG. Installs tmux, Pillow and the DejaVu fonts (Debian)
# when they are missing and the script runs as root.
# Usage: docs/images/faire_captures.sh [path/to/pangaeolith]
set -euo pipefail
ici=$(cd "$(dirname "$0")" && pwd)
racine=$(cd "$ici/../.." && pwd)
BIN=${1:-$racine/build/pangaeolith}
[ -x "$BIN" ] || { echo "Programme absent : $BIN (lancez ./run.sh --help une fois)" >&2; exit 1; }

manquants=()
command -v tmux > /dev/null || manquants+=(tmux)
/usr/bin/python3 -c 'import PIL' 2> /dev/null || manquants+=(python3-pil)
[ -f /usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf ] || manquants+=(fonts-dejavu-core)
if [ ${#manquants[@]} -gt 0 ]; then
  if [ "$(id -u)" -ne 0 ]; then
    echo "Paquets manquants. Lancez : sudo apt-get install -y ${manquants[*]}" >&2
    exit 1
  fi
  apt-get update
  DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${manquants[@]}"
fi

travail=$(mktemp -d)
socket="pangaeolith-capture-$$"
t() { tmux -L "$socket" "$@"; }
trap 't kill-server 2> /dev/null; rm -rf "$travail"' EXIT
# Waits until the screen shows a line matching the pattern, at most twenty seconds.
attendre() {
  for _ in $(seq 200); do
    t capture-pane -p -t capture | grep -qE -- "$1" && return 0
    sleep 0.1
  done
  echo "L'écran n'a pas montré : $1" >&2
  exit 1
}

# The ANSI map of a 30 x 12 world after 20 steps, in a 100 x 46 terminal.
t new-session -d -s capture -x 100 -y 46 "cd '$travail' && '$BIN' --seed 5 -a -q -i 30 12"
attendre '^>'
t send-keys -t capture "cont 20" Enter
attendre '^Le numéro'
attendre '^>$'
t capture-pane -p -e -t capture > "$travail/carte.txt"
/usr/bin/python3 "$ici/ansi_en_png.py" "$travail/carte.txt" "$ici/carte_ansi.png"

# The compact map of a 100 x 100 world, coloured, in a 106 x 110 terminal.
t kill-session -t capture
t new-session -d -s capture -x 106 -y 110 "cd '$travail' && '$BIN' --seed 5 -a -q -i 100 100"
attendre '^>'
t send-keys -t capture "clear" Enter "mini" Enter
attendre '^Légende : o'
t capture-pane -p -e -t capture | sed -n '/^>mini/,/^Légende/p' > "$travail/mini.txt"
/usr/bin/python3 "$ici/ansi_en_png.py" "$travail/mini.txt" "$ici/mini_ansi.png"
echo "Images écrites : $ici/carte_ansi.png $ici/mini_ansi.png"
