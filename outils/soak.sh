#!/usr/bin/env bash
# Long runs of the real program: seeds × map sizes, the fixed and the drawn tribes, many steps
# through "cont N", with help, affich and the debug log on the small maps. Built with SANITIZE=ON
# the program checks the whole world after every step and AddressSanitizer/UBSan stop it at the
# first fault: any status but 0, or any text on standard error, fails the soak.
# Usage: outils/soak.sh BINARY [court|long]      (court: a few minutes, run by test.sh)
set -u
bin=$(realpath "$1")
mode=${2:-court}
if [ "$mode" = long ]; then
  graines=(1 2 3 5 8 13 21 34)
  tranches=(1 49 150 300)
else
  graines=(1 7)
  tranches=(1 9 20)
fi
tailles=("1 1" "1 100" "100 1" "7 3" "30 20" "100 100")
sources=$(dirname "$(realpath "$0")")/..
dossier=$(mktemp -d)
trap 'rm -rf "$dossier"' EXIT
cd "$dossier" || exit 1
cp "$sources/aide.dat" .

entree=""
pas=0
for n in "${tranches[@]}"; do
  entree+="cont $n"$'\n'"help cont"$'\n'
  pas=$((pas + n))
done
entree+=$'affich\nquit\n'

parties=0
total=0
echecs=0
debut=$(date +%s)
for graine in "${graines[@]}"; do
  for taille in "${tailles[@]}"; do
    for tirage in "" --rand; do
      debug=""
      [ "$taille" = "7 3" ] && debug=-d
      # shellcheck disable=SC2086
      printf '%s' "$entree" | timeout 3600 "$bin" --seed "$graine" -i $taille $tirage $debug \
        > /dev/null 2> erreurs.txt
      statut=$?
      parties=$((parties + 1))
      total=$((total + pas))
      if [ "$statut" -ne 0 ] || [ -s erreurs.txt ]; then
        echecs=$((echecs + 1))
        echo "ECHEC soak : --seed $graine -i $taille $tirage $debug : statut $statut" >&2
        head -n 20 erreurs.txt >&2
      fi
    done
  done
done
echo "soak $mode : $parties parties, $total pas, $echecs échec(s), $(($(date +%s) - debut)) s"
[ "$echecs" -eq 0 ]
