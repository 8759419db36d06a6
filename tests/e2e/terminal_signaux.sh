#!/usr/bin/env bash
# A real terminal through tmux: the start-up line, Ctrl-C at the prompt and during a long cont,
# the progress line, Ctrl-D; then the coloured map and the arrow keys recalling commands.
source "$(dirname "$0")/lib/commun.sh" "$@"
command -v tmux > /dev/null || { echo "tmux absent" >&2; exit 1; }

SOCKET="pangaeolith-signaux-$$"
t() { tmux -L "$SOCKET" "$@"; }
trap 't kill-server 2> /dev/null; rm -rf "$TRAVAIL"' EXIT

SESSION=essai
ecran() { t capture-pane -p -t "$SESSION"; }
# Waits until the screen shows a line matching the pattern (grep -E), at most twenty seconds.
attendre() {
  for _ in $(seq 200); do
    ecran | grep -qE -- "$1" && return 0
    sleep 0.1
  done
  echec "$2"
  ecran >&2
  return 1
}
derniere_ligne() { ecran | grep -v '^$' | tail -n 1; }

t new-session -d -s essai -x 120 -y 40 "cd '$TRAVAIL' && '$BIN' -d -q --seed 77 -i 100 100; echo FIN-\$?; sleep 60"
attendre '^Pangaeolith - graine 77 - help pour l.aide, quit pour sortir$' "pas de ligne de demarrage"
attendre '^>$' "pas d'invite au demarrage"

# Ctrl-C at the prompt: the typed line is abandoned, a new prompt comes, nothing is run.
t send-keys -t essai "cont 3"
attendre '^>cont 3$' "ligne tapee non affichee"
t send-keys -t essai C-c
attendre '^>cont 3\^C$' "Ctrl-C non affiche"
sleep 0.3
attendre_egal "invite apres Ctrl-C" ">" "$(derniere_ligne)"
t send-keys -t essai Enter
sleep 0.3
ecran | grep -q 'Legende' && echec "la ligne abandonnee a ete executee"

# Ctrl-C during cont 5000: the progress line, then the map, the count and the prompt.
t send-keys -t essai "cont 5000" Enter
attendre '^cont : pas [0-9]+ sur 5000 - [0-9]+,[0-9] pas/s - encore [0-9]+' "pas de ligne de progression"
t send-keys -t essai C-c
attendre '^cont interrompu : [0-9]+ pas joués sur 5000\.$' "Ctrl-C n'a pas arrete cont 5000"
attendre '^>$' "pas d'invite apres l'interruption"
ecran | grep -q '^Legende' || echec "pas de carte apres l'interruption"
ecran | grep -q '^cont : pas' && echec "la ligne de progression reste a l'ecran"
fait=$(ecran | sed -n 's/^cont interrompu : \([0-9]*\) pas.*/\1/p')
# The map is wider than the terminal: once a run, mini is suggested.
ecran | grep -qxF 'La carte fait 503 colonnes et le terminal 120 : mini la montre en 104 colonnes.' ||
  echec "pas de conseil pour mini sous une carte trop large"
t send-keys -t essai "affich" Enter
sleep 1
attendre '^>$' "pas d'invite apres affich"
attendre_egal "conseil donne une seule fois" "Le numéro à coté est le numéro de la tribu en présence" \
  "$(ecran | grep -v '^$' | tail -n 2 | head -n 1)"

# The program goes on: graine answers, then Ctrl-D ends it with status 0.
t send-keys -t essai "graine" Enter
attendre '^Graine de la partie : 77 ' "graine sans reponse apres l'interruption"
t send-keys -t essai C-d
attendre '^FIN-0$' "Ctrl-D n'a pas termine le programme"

# The debug log holds exactly the steps that ran, and ends with a complete closing record.
attendre_egal "pas dans debug.log" "$fait" "$(grep -c 'bcleprincip - Mise à jour de la carte' debug.log)"
attendre_egal "fin de debug.log" "main - Fermeture des fichiers de debug et d'erreur..." \
  "$(tail -n 1 debug.log | sed -E 's/^Debug - [0-9:]+ - //')"
grep -qvE '^(Debug - [0-9:]+ - |[^D]|$)' debug.log && echec "enregistrement coupe dans debug.log"

# Another terminal: the coloured map after "cont", and the arrow keys recalling earlier
# commands at the ">" prompt.
SESSION=couleurs
t new-session -d -s couleurs -x 220 -y 120 "cd '$TRAVAIL' && '$BIN' -a --seed 3; echo FIN-\$?; sleep 60"
attendre '^>' "pas d'invite au demarrage"

t send-keys -t couleurs "cont" Enter
attendre 'Legende : O = Ocean' "pas de carte apres cont"
t capture-pane -p -e -t couleurs > carte.txt
ESC=$(printf '\033')
grep -q "${ESC}\[30m${ESC}\[4[3467]m" carte.txt || echec "pas de couleurs de sol dans la carte"
grep -q "${ESC}\[2J" carte.txt && echec "le code d'effacement ne doit pas rester visible tel quel"
attendre '^>$' "pas d'invite apres la carte"

t send-keys -t couleurs "affich" Enter
sleep 0.5
attendre '^>$' "pas d'invite apres affich"
t send-keys -t couleurs Up
sleep 0.3
attendre_egal "premiere fleche haut" ">affich" "$(derniere_ligne)"
t send-keys -t couleurs Up
sleep 0.3
attendre_egal "seconde fleche haut" ">cont" "$(derniere_ligne)"

t send-keys -t couleurs C-u "quit" Enter
attendre '^FIN-0$' "quit n'a pas termine le programme avec le statut 0"

terminer
