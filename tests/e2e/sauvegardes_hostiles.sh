#!/usr/bin/env bash
# Hostile save files against the real program: a document nested beyond any recursion, files
# too large for the memory left, a re-signed save holding a value no run reaches, and the
# fingerprint any FNV-1a tool checks. Each field's bound and each name refused are unit tests of
# the save reader (test_sauvegarde.cpp); the most inhabitants a unit reaches is a recorded run.
source "$(dirname "$0")/lib/commun.sh" "$@"

S="$SOURCES/tests/e2e/lib/sauvegarde.py" # re-signs an altered save (see its head)
# The world each prompt session starts from, and the save the altered one is made of.
MONDE=(--seed 5 -q -i 6 5)
printf 'cont 15\nsauver base.json\nquit\n' | "$BIN" "${MONDE[@]}" > /dev/null 2>&1

# refuse <name> <file> <message> [limit of virtual memory in kB]: "charger" at the prompt refuses
# the file with that message, status 0, the world exactly as it was before (its save);
# --charger refuses it with the same message, status 2, nothing run.
refuse() {
  local nom=$1 fichier=$2 message=$3 limite=${4:-unlimited}
  mkdir "$nom" && cd "$nom" || exit 1
  printf 'cont 3\nsauver avant.json\ncharger ../%s\nsauver apres.json\nquit\n' "$fichier" |
    (ulimit -v "$limite"; exec timeout 60 "$BIN" "${MONDE[@]}") > sortie 2> erreurs
  attendre_egal "$nom: statut" 0 "$?"
  grep -aF "Sauvegarde refusée : " sortie | grep -qF "$message" ||
    echec "$nom: refus attendu [$message], obtenu [$(grep -a 'Sauvegarde\|Monde' sortie | head -2)]"
  cmp -s avant.json apres.json || echec "$nom: le monde a changé (sauvegarde)"
  (ulimit -v "$limite"; exec timeout 60 "$BIN" --charger "../$fichier" --pas 1) > sortie 2> erreurs
  attendre_egal "$nom: statut au départ" 2 "$?"
  grep -aF "sauvegarde refusée (../$fichier) : " erreurs | grep -qF "$message" ||
    echec "$nom: au départ, refus attendu [$message], obtenu [$(head -c 300 erreurs)]"
  cd "$TRAVAIL" || exit 1
}

# A document nested 100 000 levels deep (200 kB): refused without any recursion.
{ printf '{"format":"pangaeolith-sauvegarde","version":1,"empreinte":"0","z":'
  head -c 100000 /dev/zero | tr '\0' '['; head -c 100000 /dev/zero | tr '\0' ']'; printf '}'; } \
  > profond.json
refuse profond profond.json "ce n'est pas une sauvegarde de Pangaeolith (données imbriquées sur plus de 6 niveaux)"
# Files too large for the memory left: a 6 MB array where no member has that name (which took
# 120 MB to refuse), and a sparse 1 GiB file, refused from its size before a byte is read. A
# sanitizer build cannot run under a limit of virtual memory; these cases are then skipped.
if bash -c 'ulimit -v 80000; "$0" --help; exit $?' "$BIN" > /dev/null 2>&1; then
  { printf '{"format":"pangaeolith-sauvegarde","version":1,"empreinte":"0","z":['
    yes 1, | head -n 2999999 | tr -d '\n'; printf '1]}'; } > gros.json
  refuse gros gros.json "champ « z » inconnu" 80000
  truncate -s 1G creux.json
  refuse creux creux.json "creux.json : fichier de plus de 268435456 octets" 200000
  rm -f creux.json gros.json
else
  echo "sans limite de mémoire virtuelle (build avec sanitizers) : cas de mémoire sautés"
fi

# A value no run reaches, in a save re-signed the old way (every version reaches its fields),
# refused once the whole document is read: the world stays as it was.
python3 "$S" base.json tours.json ancienne 'u["nb_tours"] = 2147483647'
refuse tours tours.json "unites[0].nb_tours » : entier de 0 à 15 attendu"

# The fingerprint: the program signs with the standard FNV-1a, which any tool checks; a save
# signed so is read, and so is one signed the old way.
for f in norme ancienne; do
  python3 "$S" base.json $f.json $f 'pass'
  printf 'charger %s.json\nquit\n' "$f" | "$BIN" "${MONDE[@]}" > "$f.sortie" 2>&1
  grep -qF "Monde chargé depuis $f.json : pas 15" "$f.sortie" || echec "empreinte $f: refusée"
done
e=$(grep -o '"empreinte":"[0-9a-f]\{16\}"' base.json)
[ -n "$e" ] && grep -qF "$e" norme.json || echec "empreinte: ce n'est pas FNV-1a 64 ($e)"

terminer
