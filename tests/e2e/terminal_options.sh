#!/usr/bin/env bash
# The real binary through pipes: a clock seed replayed, a headless run stopped by a signal.
# Bytes no keyboard types, NUL and over-long lines, usage, refused options, the compact map, quiet
# runs, quitting at once, the graphics fall-back and the runs that go to their end are recorded
# runs; a signal during a long cont is in pannes.sh; the help file beside the executable is a
# unit test (FichierAide).
source "$(dirname "$0")/lib/commun.sh" "$@"

# graine after a clock-seeded run gives the seed that replays the same map.
printf 'cont 3\ngraine\nquit\n' | timeout 30 "$BIN" -i 12 8 > horloge.txt
graine=$(sed -n 's/.*Graine de la partie : \([0-9]*\) .*/\1/p' horloge.txt)
[ -n "$graine" ] || echec "graine n'a rien affiche"
printf 'cont 3\ngraine\nquit\n' | timeout 30 "$BIN" -i 12 8 --seed "$graine" > rejoue.txt
cmp -s horloge.txt rejoue.txt || echec "--seed $graine ne rejoue pas la partie"

# SIGTERM on a headless run: it stops after a whole step, says so, ends with 1; the CSV has every
# line of every step played, the last one included.
timeout 120 "$BIN" --seed 3 -i 100 100 -q --pas 100000 --stats long.csv > /dev/null 2> err.txt < /dev/null &
pid=$!
for _ in $(seq 100); do [ -f long.csv ] && [ "$(wc -l < long.csv)" -gt 40 ] && break; sleep 0.2; done
kill -TERM $pid
wait $pid
attendre_egal "statut apres SIGTERM" 1 $?
joues=$(sed -n 's/^pangaeolith : arrêt demandé après \([0-9]*\) pas sur 100000\.$/\1/p' err.txt)
[ -n "$joues" ] || echec "SIGTERM: message absent ($(cat err.txt))"
attendre_egal "dernier pas du CSV" "$joues" "$(tail -n 1 long.csv | cut -d, -f1)"
timeout 60 "$BIN" --seed 3 -i 100 100 -q --pas "$joues" --stats court.csv < /dev/null
cmp -s long.csv court.csv || echec "SIGTERM: le CSV n'est pas celui de $joues pas"

terminer
