#!/usr/bin/env bash
# Input that must neither crash nor hang the program: its own binary read as typed lines.
# Over-long lines, NUL and 0xFF bytes and a help topic as long as a line are recorded runs.
source "$(dirname "$0")/lib/commun.sh" "$@"

head -c 300000 "$BIN" > binaire.dat
timeout 60 "$BIN" --seed 2 -i 5 5 < binaire.dat > sortie.txt 2> erreurs.txt
attendre_egal "statut pour une entree binaire" 0 $?

terminer
