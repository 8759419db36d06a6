#!/usr/bin/env bash
# What the file system and the standard streams refuse: a log that cannot be opened, standard
# output closed early or closed at start, a save too large for the memory left, a private file
# written over, signals (a closed terminal, a run stuck on a pipe nobody reads), a run killed at
# the prompt. Each case: exit status, standard error, what is kept. Logs, help files, saves and
# outputs that are folders, FIFOs, devices, links, a full device or another output of the run
# are recorded runs (parties_enregistrees.sh).
source "$(dirname "$0")/lib/commun.sh" "$@"

printf 'cont\nhelp cont\ncont 3\nquit\n' > entree.txt
"$BIN" --seed 4 -i 12 9 < entree.txt > reference.txt
INCOMPLET="la trace est incomplète."
journal_refuse() { echo "pangaeolith : $1 ne peut pas être ouvert ($2) : $INCOMPLET"; }

# P <options>: the program within a minute (a hang fails the case instead of holding the test),
# its memory bounded when the build starts under a bound (a sanitizer build does not): a read
# without end fails the case instead of filling the machine. Its status in rc.txt.
LIMITE=
(ulimit -v 1000000 && "$BIN" --help > /dev/null 2>&1) && LIMITE=1000000
P() {
  (
    [ -z "$LIMITE" ] || ulimit -v "$LIMITE"
    exec timeout -k 5 60 "$BIN" --seed 4 -i 12 9 "$@"
  )
  echo $? > rc.txt
}

# cas <name> <status> <exact standard error> <commands> [check]: the commands run in an empty
# folder c with entree.txt as input, then the check (a shell test) in that folder.
cas() {
  rm -rf c && mkdir c && cp aide.dat c/ && cd c || exit 1
  eval "$4" < "$TRAVAIL/entree.txt" 2> err.txt
  attendre_egal "$1: statut" "$2" "$(cat rc.txt)"
  attendre_egal "$1: erreurs" "$3" "$(cat err.txt)"
  [ -z "${5:-}" ] || eval "$5" || echec "$1: [$5] faux"
  cd "$TRAVAIL" || exit 1
}

# A reader that went away (maps larger than a pipe holds): a normal end, both logs closed whole;
# a long cont stops at the step in which its reader left, not at the end of its steps.
cas lecteur_parti 0 "" 'P -d -i 60 60 | head -c 100 > /dev/null' 'journal_complet lecteur_parti debug.log'
cas cont_lecteur_parti 0 "" 'printf "cont 10000\nquit\n" | P -d -i 30 20 | head -c 100 > /dev/null' \
  '[ "$(grep -c "bcleprincip - On va jouer la guerre" debug.log)" -lt 100 ]'
cas lot_lecteur_parti 0 "" 'P --pas 100000000 | head -c 100 > /dev/null'

# A log that cannot be opened: said, no pause on a piped input, the rest of the run unchanged.
if [ "$(id -u)" -ne 0 ]; then
  cas lecture_seule 4 "$(journal_refuse debug.log 'Permission denied')
$(journal_refuse error.log 'Permission denied')" 'chmod 555 .; P -d > ../sortie.txt; chmod 755 .'
fi

# Closed standard streams: /dev/null takes their place, never a log.
cas sorties_fermees 0 "" 'DISPLAY= P -d -g >&- 2>&-' '! grep -q -e Legende -e "Affichage OpenGL indisponible" debug.log'
cas entree_fermee 0 "" 'P <&- > sortie.txt' '[ "$(tail -c 1 sortie.txt)" = ">" ]'
cas erreur_fermee 0 "" 'P 2>&- > sortie.txt' 'cmp -s sortie.txt ../reference.txt'

# A save larger than the memory left: refused with the reason, not a crash.
printf 'cont\nquit\n' > entree.txt
[ -z "$LIMITE" ] || LIMITE=200000 cas charger_trop_gros 2 \
  "pangaeolith : sauvegarde refusée (gros.json) : impossible de lire gros.json : mémoire insuffisante pour ses 262144000 octets" \
  'truncate -s 250M gros.json; P --charger gros.json --pas 1'

# A private file written over stays private.
for sortie in sauver courbe stats; do
  printf '%s cible\nquit\n' $sortie > entree.txt
  cas "prive_$sortie" 0 "" "echo ancien > cible; chmod 600 cible; P \$([ $sortie != stats ] || echo --stats cible --pas 2) > sortie.txt" \
    '[ "$(stat -c %a cible)" = 600 ] && ! grep -q ancien cible'
done

# signal_pendant <signal> <commands> <wait> <options...>: in a fresh folder c, the program reads
# its commands from a FIFO held open; once the wait (shell commands) is over it gets the signal.
signal_pendant() {
  local signal=$1 commandes=$2 attente=$3
  shift 3
  rm -rf c && mkdir c && cd c && mkfifo entree || exit 1
  "$BIN" "$@" < entree > sortie.txt 2> erreurs.txt &
  local pid=$!
  exec 3> entree
  printf "$commandes" >&3
  eval "$attente"
  kill -"$signal" "$pid"
  wait "$pid" 2> /dev/null
  echo $? > rc.txt
  exec 3>&-
  cd "$TRAVAIL" || exit 1
}
# Killed at the prompt: the trace of every command already run is on disk.
signal_pendant KILL 'cont 2\n' 'sleep 2' -d -i 5 5
attendre_egal "tue: dernier enregistrement" "console - trouver_param - Nouvelle ligne de commande : cont 2" \
  "$(grep 'trouver_param' c/debug.log | tail -n 1 | sed -E 's/^Debug - [0-9:]+ - //')"
tail -n 1 c/debug.log | grep -q "bcle_princip - on affiche le prompt" || echec "tue: invite absente"
# SIGHUP (a closed terminal, a dropped connection) or SIGTERM during a long cont: the current
# step ends, the count is said, no map; status 0, both logs complete.
for signal in HUP TERM; do
  signal_pendant $signal 'cont 5000\n' 'for _ in $(seq 100); do grep -q "civ " sortie.txt && break; sleep 0.1; done' \
    --seed 9 -d -i 60 60
  attendre_egal "$signal: statut" 0 "$(cat c/rc.txt)"
  grep -qE '^cont interrompu : [0-9]+ pas joués sur 5000\.$' c/sortie.txt || echec "$signal: pas de compte des pas"
  ! grep -q '^Legende' c/sortie.txt || echec "$signal: la carte a été montrée"
  journal_complet "$signal" c/debug.log
  [ -z "$(tail -c 1 c/error.log)" ] || echec "$signal: error.log coupé"
done

# A run stuck writing to a pipe that nobody reads: SIGTERM is noted, a second one ends the
# process at once (status of a process killed by SIGTERM).
rm -rf c && mkdir c && mkfifo c/tube || exit 1
sleep 60 < c/tube &
lecteur=$!
"$BIN" --seed 4 -i 100 100 --pas 100000 > c/tube &
programme=$!
sleep 2
kill -TERM "$programme"
sleep 0.5
kill -TERM "$programme"
for _ in $(seq 50); do kill -0 "$programme" 2> /dev/null && sleep 0.1; done
kill -0 "$programme" 2> /dev/null && echec "deux_sigterm: le programme bloqué tourne encore" && kill -KILL "$programme"
wait "$programme" 2> /dev/null
attendre_egal "deux_sigterm: statut" 143 "$?"
kill "$lecteur" 2> /dev/null
wait "$lecteur" 2> /dev/null

# bold left on: reset before the end on a terminal (the shell's next line is not bold).
if command -v tmux > /dev/null; then
  terminal gras 100 30 "'$BIN' -a --seed 3 -i 3 3"
  attendre '^>' "gras_terminal: pas d'invite"
  taper "bold 1" Enter 'Passage au mode lumineux' "gras_terminal: bold sans réponse"
  taper "quit" Enter '^FIN-0' "gras_terminal: pas de fin avec le statut 0"
  # With its attributes on, a line that follows a bold one without an escape is bold as well.
  ! ecran -e | tr -d '\n' | grep -qa "$(printf '\033')\[1m[^$(printf '\033')]*FIN-" ||
    echec "gras_terminal: le terminal reste en gras après quit"
fi

terminer
