#!/usr/bin/env bash
# Headless runs through the real binary: --pas runs its steps without prompt nor map and ends
# with 0; --stats writes the recorded CSV of a fixed seed; what cannot be done stops the run at
# start with status 2; a signal stops it between two steps with every CSV line of those steps.
source "$(dirname "$0")/lib/commun.sh" "$@"

# Standard output holds the steps' lines only, exactly those of "cont 10" at the prompt (the
# CSV itself is pinned by the recorded runs).
timeout 60 "$BIN" --seed 42 -i 5 4 --pas 10 --stats s.csv > lot.txt 2> err.txt < /dev/null
attendre_egal "statut de --pas 10" 0 $?
[ -s err.txt ] && echec "--pas: messages sur la sortie d'erreur"
grep -q '^>\|Legende' lot.txt && echec "--pas: invite ou carte sur la sortie"
printf 'cont 10\nquit\n' | timeout 60 "$BIN" --seed 42 -i 5 4 --stats invite.csv |
  sed -n '/[^[:space:]]/,$p' | sed '1s/^>//' > invite.txt
cmp -s -n "$(wc -c < lot.txt)" lot.txt invite.txt || echec "--pas et cont 10 ne jouent pas les memes lignes"
cmp -s s.csv invite.csv || echec "--pas et cont 10 n'ecrivent pas le meme CSV"
# -q: nothing at all on standard output; the same CSV.
timeout 60 "$BIN" --seed 42 -i 5 4 -q --pas 10 --stats calme.csv > calme.txt < /dev/null
[ -s calme.txt ] && echec "--pas -q: la sortie n'est pas vide"
cmp -s s.csv calme.csv || echec "-q change le CSV"
# --pas 0 writes the starting state only; --charger goes on from a save.
timeout 20 "$BIN" --seed 42 -i 5 4 --pas 0 --stats zero.csv > /dev/null < /dev/null
attendre_egal "--pas 0" "$(head -n 10 s.csv)" "$(cat zero.csv)"
printf 'cont 4\nsauver m.json\nquit\n' | timeout 20 "$BIN" --seed 42 -i 5 4 > /dev/null
timeout 20 "$BIN" --charger m.json -q --pas 6 --stats suite.csv < /dev/null
attendre_egal "statut de --charger --pas" 0 $?
cmp -s <(awk -F, 'NR > 1 && $1 >= 4' s.csv) <(tail -n +2 suite.csv) || echec "--charger --pas: CSV de la suite different"
# With --seed too, the run branches from the save: same restored step, other steps after it,
# and the same branch for the same seed.
for g in 1 2 1b; do
  timeout 20 "$BIN" --charger m.json --seed ${g%b} -q --pas 6 --stats branche$g.csv < /dev/null
done
cmp -s branche1.csv branche1b.csv || echec "--charger --seed: meme graine, suites differentes"
cmp -s <(grep '^4,' branche1.csv) <(grep '^4,' suite.csv) || echec "--charger --seed: pas restaure different"
cmp -s branche1.csv branche2.csv && echec "--charger --seed: deux graines, meme suite"
cmp -s branche1.csv suite.csv && echec "--charger --seed: la graine n'a rien change"

# Refused at start, status 2, nothing run.
while IFS='|' read -r options message; do
  timeout 20 "$BIN" $options > sortie.txt 2> err.txt < /dev/null
  attendre_egal "statut de [$options]" 2 $?
  grep -qF "$message" err.txt || echec "[$options]: message attendu [$message], obtenu [$(cat err.txt)]"
  [ -s sortie.txt ] && echec "[$options]: le programme a demarre"
done <<'CAS'
--pas 5 --stats absent/s.csv|pangaeolith : --stats : impossible d'écrire dans absent/s.csv : No such file or directory
--pas 5 --stats /dev/full|pangaeolith : --stats : impossible d'écrire dans /dev/full : No space left on device
--pas abc|pangaeolith : nombre de pas refusé (abc) : il faut un nombre entier positif ou nul.
--pas -3|pangaeolith : nombre de pas refusé (-3) : il faut un nombre entier positif ou nul.
--pas|pangaeolith : nombre de pas refusé (valeur absente)
--stats|pangaeolith : l'option --stats attend un nom de fichier CSV.
--charger|pangaeolith : l'option --charger attend le nom d'une sauvegarde.
--charger absent.json --pas 1|pangaeolith : sauvegarde refusée (absent.json) : impossible de lire absent.json : No such file or directory
CAS

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
