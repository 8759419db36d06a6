#!/usr/bin/env bash
# A seeded scenario of several steps: the exact output (maps, turn and war lines) is pinned, the
# run is reproducible, and the lines of each step keep their shape.
source "$(dirname "$0")/lib/commun.sh" "$@"

# The recorded output of two steps on a 5 by 4 world for seed 42.
printf 'cont\ncont\nquit\n' | timeout 30 "$BIN" --seed 42 -i 5 4 > sortie.txt
attendre_egal "statut" 0 $?
cmp -s sortie.txt "$SOURCES/tests/e2e/attendu/graine42_5x4_deux_pas.txt" ||
  echec "la sortie differe de la sortie enregistree (diff sortie.txt attendu)"

# Same arguments, same run; another seed, another run.
printf 'cont 5\naffich\nquit\n' | timeout 60 "$BIN" --seed 7 -i 30 20 --rand > premier.txt
printf 'cont 5\naffich\nquit\n' | timeout 60 "$BIN" --seed 7 -i 30 20 --rand > second.txt
cmp -s premier.txt second.txt || echec "deux executions de meme graine different"
printf 'cont 5\naffich\nquit\n' | timeout 60 "$BIN" --seed 8 -i 30 20 --rand > autre.txt
cmp -s premier.txt autre.txt && echec "deux graines differentes donnent la meme execution"

# Random tribes: nine lines at creation, before the first prompt.
attendre_egal "lignes des tribus tirees" 9 "$(sed -n '1,/^>/p' premier.txt | grep -c '^civ [0-8] nom:[a-u] ')"
# Five steps: five war phases on a 30 by 20 map, two maps (after cont 5 and affich).
# (the first war line follows the prompt on its line)
attendre_egal "phases de guerre" 5 "$(grep -c 'X=30 Y=20$' premier.txt)"
attendre_egal "cartes" 2 "$(grep -c '^Legende : O = Ocean' premier.txt)"
# Every "debut" turn line is followed at once by the "fin" line of the same cell.
awk '/^  jouer_tour: debut/ { attendu = "  jouer_tour: fin   " $3; next_line = 1; next }
     next_line { if (index($0, attendu) != 1) { print "ligne inattendue: " $0; exit 1 } next_line = 0 }' \
  premier.txt || echec "lignes de tour mal appariees"
# Each map has 20 rows, each with two lines labelled by the digits of the row number.
attendre_egal "lignes numerotees des deux cartes" 80 "$(grep -cE '^[0-9]\|' premier.txt)"

terminer
