#!/usr/bin/env bash
# A fixed-seed run long enough for wars, colonisation, epidemics and five tribes dying out gives
# exactly the standard output, error output and both logs (less times and addresses) recorded
# from the program before its step was made faster.
source "$(dirname "$0")/lib/commun.sh" "$@"

printf 'cont 80\naffich\nquit\n' | timeout 120 "$BIN" --seed 5 -d -i 30 20 > sortie.txt 2> erreurs.txt
attendre_egal "statut" 0 $?
attendre_egal "tribus disparues" 5 "$(grep -c 'a ete supprimee$' debug.log)"
for f in sortie.txt erreurs.txt debug.log error.log; do
  empreinte=$(sed -E 's/^(Debug|Error) - [0-9:]+ - //; s/0x[0-9a-f]+/PTR/g' "$f" | md5sum | cut -c1-32)
  attendre_egal "empreinte de $f" "$(grep " $f\$" "$SOURCES/tests/e2e/attendu/graine5_30x20_80_pas.empreintes" | cut -c1-32)" "$empreinte"
done

terminer
