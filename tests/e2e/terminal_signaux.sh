#!/usr/bin/env bash
# A real terminal through tmux: the start-up line, Ctrl-C at the prompt and during a long cont,
# the progress line, Ctrl-D; then the coloured map and the arrow keys recalling commands.
source "$(dirname "$0")/lib/commun.sh" "$@"
command -v tmux > /dev/null || { echo "tmux absent" >&2; exit 1; }
derniere_ligne() { ecran | grep -v '^$' | tail -n 1; }

terminal essai 120 40 "'$BIN' -d -q --seed 77 -i 100 100"
attendre '^Pangaeolith - graine 77 - help pour l.aide, quit pour sortir$' "pas de ligne de demarrage"
attendre '^>$' "pas d'invite au demarrage"

# Ctrl-C at the prompt: the typed line is abandoned, a new prompt comes, nothing is run.
taper "cont 3" '^>cont 3$' "ligne tapee non affichee"
taper C-c '^>cont 3\^C$' "Ctrl-C non affiche"
sleep 0.3
attendre_egal "invite apres Ctrl-C" ">" "$(derniere_ligne)"
t send-keys -t essai Enter
sleep 0.3
ecran | grep -q 'Legende' && echec "la ligne abandonnee a ete executee"

# Ctrl-C during cont 5000: the progress line, then the map, the count and the prompt.
taper "cont 5000" Enter '^cont : pas [0-9]+ sur 5000 - [0-9]+,[0-9] pas/s - encore [0-9]+' "pas de ligne de progression"
taper C-c '^cont interrompu : [0-9]+ pas joués sur 5000\.$' "Ctrl-C n'a pas arrete cont 5000"
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

# The program goes on: graine answers, then Ctrl-D ends it with status 0; the debug log holds
# exactly the steps that ran, and ends with a complete closing record.
taper "graine" Enter '^Graine de la partie : 77 ' "graine sans reponse apres l'interruption"
taper C-d '^FIN-0$' "Ctrl-D n'a pas termine le programme"
attendre_egal "pas dans debug.log" "$fait" "$(grep -c 'bcleprincip - Mise à jour de la carte' debug.log)"
journal_complet "Ctrl-C" debug.log

# Another terminal: the coloured map after "cont", and the arrow keys recalling earlier
# commands at the ">" prompt.
terminal couleurs 220 120 "'$BIN' -a --seed 3"
attendre '^>' "pas d'invite au demarrage"
taper "cont" Enter 'Legende : O = Ocean' "pas de carte apres cont"
ESC=$(printf '\033')
ecran -e | grep -q "${ESC}\[30m${ESC}\[4[3467]m" || echec "pas de couleurs de sol dans la carte"
ecran -e | grep -q "${ESC}\[2J" && echec "le code d'effacement ne doit pas rester visible tel quel"
attendre '^>$' "pas d'invite apres la carte"
t send-keys -t couleurs "affich" Enter
sleep 0.5
attendre '^>$' "pas d'invite apres affich"
for attendu in ">affich" ">cont"; do
  t send-keys -t couleurs Up
  sleep 0.3
  attendre_egal "fleche haut" "$attendu" "$(derniere_ligne)"
done
taper C-u "quit" Enter '^FIN-0$' "quit n'a pas termine le programme avec le statut 0"

terminer
