#!/usr/bin/env bash
# valgrind memcheck on the real program: 100 steps of a 30 × 20 world through "cont", the map,
# help and the two logs. Any memory error or any lost block (definite, indirect or possible)
# fails. Usage: outils/valgrind.sh BINARY
set -u
bin=$(realpath "$1")
sources=$(dirname "$(realpath "$0")")/..
dossier=$(mktemp -d)
trap 'rm -rf "$dossier"' EXIT
cd "$dossier" || exit 1
cp "$sources/aide.dat" .
printf 'cont 50\nhelp cont\ncont 50\naffich\nquit\n' |
  valgrind --leak-check=full --errors-for-leak-kinds=definite,indirect,possible \
    --show-leak-kinds=definite,indirect,possible --error-exitcode=99 \
    "$bin" --seed 3 -d -i 30 20 > /dev/null 2> valgrind.txt
statut=$?
grep -E 'ERROR SUMMARY|definitely|indirectly|possibly|in use at exit' valgrind.txt
if [ "$statut" -ne 0 ]; then
  echo "ECHEC valgrind : statut $statut" >&2
  exit 1
fi
echo "valgrind : 100 pas sur 30 × 20, aucune erreur, aucune fuite"
