#!/usr/bin/env bash
# Input that must neither crash nor hang the program: an over-long line, NUL and 0xFF bytes,
# a binary file.
source "$(dirname "$0")/lib/commun.sh" "$@"

essayer() {
  local nom=$1
  timeout 60 "$BIN" --seed 2 -i 5 5 < "$nom" > sortie.txt 2> erreurs.txt
  local statut=$?
  attendre_egal "statut pour $nom" 0 "$statut"
}

# 2000 characters: cut at 511 with the message, the rest read as following lines.
{ head -c 2000 /dev/zero | tr '\0' 'x'; printf '\nquit\n'; } > longue.txt
essayer longue.txt
attendre_egal "messages de ligne trop longue" 3 \
  "$(grep -o 'Vous ne pouvez pas entrer plus de 511 caractères' sortie.txt | wc -l)"

printf 'co\0nt\n\377\377cont\377\nhelp\0\nquit\n' > octets.txt
essayer octets.txt

head -c 300000 "$BIN" > binaire.dat
essayer binaire.dat

# A help topic as long as a line can be, through the help command.
{ printf 'help '; head -c 505 /dev/zero | tr '\0' 'a'; printf '\nquit\n'; } > aide_longue.txt
essayer aide_longue.txt

terminer
