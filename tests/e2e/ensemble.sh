#!/usr/bin/env bash
# The ensemble recipe of docs/ensembles.md: GNU parallel runs headless runs over several seeds,
# the CSV files are merged with the seed as first column, and the merged file holds exactly the
# lines of the same runs made one by one (its header and each run's own lines are recorded runs).
source "$(dirname "$0")/lib/commun.sh" "$@"
command -v parallel > /dev/null || { echec "GNU parallel absent (paquet Debian parallel)"; terminer; }
export PATH="$(dirname "$BIN"):$PATH"

parallel --will-cite --jobs 2 'pangaeolith --seed {} -q -i 20 15 --pas 60 --stats graine_{}.csv' ::: $(seq 1 4) ||
  echec "statut de parallel : $?"
{ echo "graine,$(head -n 1 graine_1.csv)"
  for f in graine_*.csv; do
    g=${f#graine_}; g=${g%.csv}
    tail -n +2 "$f" | sed "s/^/$g,/"
  done; } > ensemble.csv
for g in 1 2 3 4; do
  pangaeolith --seed $g -q -i 20 15 --pas 60 --stats seul.csv < /dev/null
  cmp -s <(sed "s/^/$g,/" seul.csv | tail -n +2) <(grep "^$g," ensemble.csv) ||
    echec "graine $g: lignes fusionnees differentes de la partie seule"
done

terminer
