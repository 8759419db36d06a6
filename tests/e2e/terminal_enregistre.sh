#!/usr/bin/env bash
# A piped fixed-seed run that uses none of the terminal additions (no --help, -q, trace, mini,
# graine, signal) gives exactly the output and logs recorded before they existed: drawn tribes,
# war and victory lines, both maps, and the two logs less their times and addresses.
source "$(dirname "$0")/lib/commun.sh" "$@"

printf 'cont 6\naffich\nquit\n' | timeout 60 "$BIN" --seed 4 -d -i 8 6 --rand > sortie.txt 2> erreurs.txt
attendre_egal "statut" 0 $?
cmp -s sortie.txt "$SOURCES/tests/e2e/attendu/graine4_8x6_rand_six_pas.txt" ||
  echec "la sortie differe de la sortie enregistree"
[ -s erreurs.txt ] && echec "la sortie d'erreur n'est pas vide"
grep -q '^a_gagne: ' sortie.txt || echec "le scenario enregistre n'a plus de victoire"
for journal in debug.log error.log; do
  sed -E 's/^(Debug|Error) - [0-9:]+ - //; s/0x[0-9a-f]+/PTR/g' "$journal" > "$journal.sans_heures"
done
for journal in debug.log error.log; do
  attendu=$(grep " $journal\$" "$SOURCES/tests/e2e/attendu/graine4_8x6_rand_six_pas.journaux" | cut -c1-32)
  attendre_egal "empreinte de $journal" "$attendu" "$(md5sum < "$journal.sans_heures" | cut -c1-32)"
done

terminer
