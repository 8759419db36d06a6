#!/usr/bin/env bash
# The long sweep of hostile saves under limits of memory: every kind of hostile file (nested
# deep, huge numbers, huge arrays stored or not, long strings, sparse files made with truncate)
# at sizes from 1 kB to 1 GiB, loaded under ulimit -v limits of 100 MB, 400 MB and 1.5 GB, at
# the prompt and with --charger. Every status must be one of the table (0 to 4), every refusal
# must leave the world as it was (its table and its save before and after). Then a valid save
# just under the largest size read: its peak memory when read (/usr/bin/time -v), and "sauver"
# refusing it once a few more steps have made it too large.
# Usage: outils/sauvegardes_memoire.sh BUILD/pangaeolith (a Release build: the sweep reads
# gigabytes; a sanitizer build cannot run under ulimit -v). Takes a few minutes; writes
# nothing to the project tree.
set -u
BIN=$(realpath "$1")
SOURCES=$(cd "$(dirname "$0")/.." && pwd)
TRAVAIL=$(mktemp -d)
trap 'rm -rf "$TRAVAIL"' EXIT
cd "$TRAVAIL"
cp "$SOURCES/aide.dat" .
ECHECS=0
CAS=0
echec() {
  echo "ECHEC: $*" >&2
  ECHECS=$((ECHECS + 1))
}

MONDE=(--seed 5 -q -i 6 5)
TETE='{"format":"pangaeolith-sauvegarde","version":1,"empreinte":"0",'

# remplir <file> <size in bytes> <prefix> <repeated piece> <suffix>: the prefix, the piece as
# many times as fits, the suffix (up to 300 MB of content; a larger size is a sparse tail).
remplir() {
  local f=$1 taille=$2
  python3 - "$f" "$taille" "$3" "$4" "$5" <<'FIN'
import sys
f, taille, avant, motif, apres = sys.argv[1], int(sys.argv[2]), *sys.argv[3:6]
reel = min(taille, 300 * 2**20)
n = max(0, (reel - len(avant) - len(apres)) // len(motif))
with open(f, "w") as s:
    s.write(avant)
    bloc = motif * max(1, min(n, 2**20 // len(motif)))
    ecrit = 0
    while ecrit + len(bloc) // len(motif) <= n:
        s.write(bloc)
        ecrit += len(bloc) // len(motif)
    s.write(motif * (n - ecrit))
    s.write(apres)
FIN
  [ "$taille" -le $((300 * 1024 * 1024)) ] || truncate -s "$taille" "$f"
}

# A save of the program, whose prefix makes the "stored array" kind reach its history.
printf 'cont 15\nsauver base.json\nquit\n' | "$BIN" "${MONDE[@]}" > /dev/null 2>&1
HISTOIRE=$(python3 -c 'import sys; t = open("base.json").read(); i = t.index("\"habitants\":[") + 13; sys.stdout.write(t[:i])')

fabriquer() { # <kind> <file> <size>
  case $1 in
    profond) remplir "$2" "$3" "${TETE}\"z\":" '[' '' ;;
    nombre) remplir "$2" "$3" '{"format":"pangaeolith-sauvegarde","version":1,"alea":' '9' '}' ;;
    tableau) remplir "$2" "$3" "${TETE}\"z\":[" '1,' '1]}' ;;
    historique) remplir "$2" "$3" "$HISTOIRE" '7,' '7]}]}}' ;;
    texte) remplir "$2" "$3" '{"format":"pangaeolith-sauvegarde","version":1,"tribus":[{"nom":"' 'A' '"}]}' ;;
    creux) truncate -s "$3" "$2" ;;
  esac
}

table() { awk -v n="$2" '/Pas joués/ { k++ } k == n' "$1" | sed '/^Guerres/q'; }

essayer() { # <file> <limit in kB>
  local f=$1 limite=$2 statut
  rm -rf s && mkdir s
  (cd s && printf 'cont 2\nstats\nsauver avant.json\ncharger ../%s\nstats\nsauver apres.json\nquit\n' "$f" |
    (ulimit -v "$limite"; exec timeout 300 "$BIN" "${MONDE[@]}") > sortie 2> erreurs)
  statut=$?
  CAS=$((CAS + 1))
  local refus
  refus=$(grep -a 'Sauvegarde refusée' s/sortie | head -1)
  [ "$statut" -le 4 ] || echec "$f sous $limite kB : statut $statut"
  [ -n "$refus" ] || echec "$f sous $limite kB : pas de refus"
  cmp -s s/avant.json s/apres.json || echec "$f sous $limite kB : le monde a changé (sauvegarde)"
  [ "$(table s/sortie 1)" = "$(table s/sortie 2)" ] || echec "$f sous $limite kB : stats changées"
  (ulimit -v "$limite"; exec timeout 300 "$BIN" --charger "$f" --pas 1) > /dev/null 2> e
  statut=$?
  CAS=$((CAS + 1))
  [ "$statut" -eq 2 ] || echec "$f --charger sous $limite kB : statut $statut"
  printf '%-10s %10s  %8s kB  %s\n' "${f%.json}" "$(stat -c %s "$f")" "$limite" "${refus#>}"
}

for taille in 1000 1000000 64000000 267000000 1073741824; do
  for sorte in profond nombre tableau historique texte creux; do
    fabriquer "$sorte" "$sorte.json" "$taille"
    for limite in 100000 400000 1500000; do essayer "$sorte.json" "$limite"; done
    rm -f "$sorte.json"
  done
done

# A valid save just under the bound: a 6 × 5 world whose living tribes have a history of
# millions of steps. Its fingerprint is computed by a few lines of C, Python being too slow.
cc -O2 -x c -o fnv - <<'FIN'
#include <stdint.h>
#include <stdio.h>
int main(void) {
  uint64_t h = 14695981039346656037ull;
  int c;
  while ((c = getchar()) != EOF) h = (h ^ (unsigned char)c) * 1099511628211ull;
  printf("%016llx\n", (unsigned long long)h);
  return 0;
}
FIN
python3 - <<'FIN'
import json
d = json.load(open("base.json"))
vivantes = [s for s in d["statistiques"]["tribus"] if s["pas_extinction"] < 0]
d.pop("empreinte")
for s in vivantes:
    s["habitants"] = "@H@"
texte = json.dumps(d, sort_keys=True, separators=(",", ":"))
fixe = len(texte) - len(vivantes) * len('"@H@"') + len(',"empreinte":"0123456789abcdef"') + 1
# Each living tribe's history is [123,123,...]: 4 bytes a step; the save ends 1000 bytes short
# of the bound, with the step counter's own digits counted twice.
pas = (256 * 2**20 - 1000 - fixe - 40 - 5 * len(vivantes)) // (4 * len(vivantes))
texte = texte.replace('"pas":15', '"pas":%d' % pas)
texte = texte.replace('"dernier_echantillon":15', '"dernier_echantillon":%d' % pas)
morceaux = texte.split('"@H@"')
avant = texte.split(',"format"')[0]
with open("canonique", "w") as f:
    f.write(morceaux[0])
    for m in morceaux[1:]:
        f.write("[" + "123," * pas + "123]")
        f.write(m)
open("coupure", "w").write(str(len(avant)))
FIN
EMPREINTE=$(./fnv < canonique)
COUPURE=$(cat coupure)
{ head -c "$COUPURE" canonique; printf ',"empreinte":"%s"' "$EMPREINTE"; tail -c +$((COUPURE + 1)) canonique; echo; } > grande.json
rm -f canonique
echo "sauvegarde valide de $(stat -c %s grande.json) octets :"
/usr/bin/time -v "$BIN" --charger grande.json --pas 0 > /dev/null 2> temps
grep -E 'Maximum resident|Elapsed|Exit status' temps
printf 'charger grande.json\nsauver pareille.json\ncont 2000\nsauver encore.json\nquit\n' |
  "$BIN" "${MONDE[@]}" 2>&1 | grep -a 'Monde\|Sauvegarde' | cut -c1-200
cmp -s grande.json pareille.json || echec "la grande sauvegarde n'est pas réécrite à l'identique"
[ ! -e encore.json ] || echec "une sauvegarde plus grande que la borne a été écrite"

echo "$CAS cas, $ECHECS échec(s)"
[ "$ECHECS" -eq 0 ]
