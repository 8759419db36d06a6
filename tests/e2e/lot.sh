#!/usr/bin/env bash
# Headless runs through the real binary: a signal stops it between two steps with every CSV line
# of those steps. The runs that go to their end or are refused at start are recorded runs
# (parties_enregistrees.sh).
source "$(dirname "$0")/lib/commun.sh" "$@"

# SIGTERM: the run stops after a whole step, says so, ends with 1; the CSV has every line of
# every step played, the last one included.
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
