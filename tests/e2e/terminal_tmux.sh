#!/usr/bin/env bash
# A real terminal through tmux: the coloured map after "cont", and the arrow keys recalling
# earlier commands at the ">" prompt.
source "$(dirname "$0")/lib/commun.sh" "$@"
command -v tmux > /dev/null || { echo "tmux absent" >&2; exit 1; }

SOCKET="pangaeolith-e2e-$$"
t() { tmux -L "$SOCKET" "$@"; }
trap 't kill-server 2> /dev/null; rm -rf "$TRAVAIL"' EXIT

ecran() { t capture-pane -p -e -t essai; }
# Waits until the screen shows a line matching the pattern (grep -E), at most ten seconds.
attendre() {
  for _ in $(seq 100); do
    ecran | grep -qE -- "$1" && return 0
    sleep 0.1
  done
  echec "$2"
  ecran >&2
  return 1
}
derniere_ligne() { t capture-pane -p -t essai | grep -v '^$' | tail -n 1; }

t new-session -d -s essai -x 220 -y 120 "cd '$TRAVAIL' && '$BIN' -a --seed 3; echo FIN-\$?; sleep 60"
attendre '^>' "pas d'invite au demarrage"

t send-keys -t essai "cont" Enter
attendre 'Legende : O = Ocean' "pas de carte apres cont"
ecran > carte.txt
ESC=$(printf '\033')
grep -q "${ESC}\[30m${ESC}\[4[3467]m" carte.txt || echec "pas de couleurs de sol dans la carte"
grep -q "${ESC}\[2J" carte.txt && echec "le code d'effacement ne doit pas rester visible tel quel"
attendre '^>$' "pas d'invite apres la carte"

t send-keys -t essai "affich" Enter
sleep 0.5
attendre '^>$' "pas d'invite apres affich"
t send-keys -t essai Up
sleep 0.3
attendre_egal "premiere fleche haut" ">affich" "$(derniere_ligne)"
t send-keys -t essai Up
sleep 0.3
attendre_egal "seconde fleche haut" ">cont" "$(derniere_ligne)"

t send-keys -t essai C-u "quit" Enter
attendre '^FIN-0$' "quit n'a pas termine le programme avec le statut 0"

terminer
