#!/usr/bin/env bash
# Hostile save files against the real program: a document nested beyond any recursion, files
# too large for the memory left, re-signed saves holding values no run reaches or names that
# would drive a terminal, a chart or a spreadsheet, and the fingerprint any FNV-1a tool checks.
source "$(dirname "$0")/lib/commun.sh" "$@"

# sauvegarde.py ENTREE SORTIE BASE CODE: the save ENTREE with the Python statements CODE run on
# it (the document is d, its first tribe with units t, that tribe's first unit u), signed with
# FNV-1a 64 of its canonical text from the offset basis BASE (norme, or ancienne as older saves
# are), written to SORTIE.
cat > sauvegarde.py << 'FIN'
import json, sys
entree, sortie, base, code = sys.argv[1:5]
d = json.load(open(entree, encoding="utf-8"))
t = next(x for x in d["tribus"] if x["unites"])
u = t["unites"][0]
def nommer(n):  # the first tribe's name, in the tribe table and in the statistics
    for s in d["statistiques"]["tribus"]:
        if s["code"] == d["tribus"][0]["code"]: s["nom"] = n
    d["tribus"][0]["nom"] = n
exec(code)
canonique = lambda x: json.dumps(x, sort_keys=True, separators=(",", ":"), ensure_ascii=False)
h = {"norme": 14695981039346656037, "ancienne": 1469598103934665603}[base]
for octet in canonique({k: v for k, v in d.items() if k != "empreinte"}).encode("utf-8"):
    h = ((h ^ octet) * 1099511628211) % 2**64
d["empreinte"] = "%016x" % h
open(sortie, "w", encoding="utf-8").write(canonique(d))
FIN
# The world each prompt session starts from, and the save the altered ones are made of.
MONDE=(--seed 5 -q -i 6 5)
printf 'cont 15\nsauver base.json\nquit\n' | "$BIN" "${MONDE[@]}" > /dev/null 2>&1

# table <file> <n>: the n-th table of "stats" in a session's output.
table() { awk -v n="$2" '/Pas joués/ { k++ } k == n' "$1" | sed '/^Guerres/q'; }

# refuse <name> <file> <message> [limit of virtual memory in kB]: "charger" at the prompt refuses
# the file with that message, status 0, the world exactly as it was before (its table and its
# save); --charger refuses it with the same message, status 2, nothing run.
refuse() {
  local nom=$1 fichier=$2 message=$3 limite=${4:-unlimited}
  mkdir "$nom" && cd "$nom" || exit 1
  printf 'cont 3\nstats\nsauver avant.json\ncharger ../%s\nstats\nsauver apres.json\nquit\n' "$fichier" |
    (ulimit -v "$limite"; exec timeout 60 "$BIN" "${MONDE[@]}") > sortie 2> erreurs
  attendre_egal "$nom: statut" 0 "$?"
  grep -aF "Sauvegarde refusée : " sortie | grep -qF "$message" ||
    echec "$nom: refus attendu [$message], obtenu [$(grep -a 'Sauvegarde\|Monde' sortie | head -2)]"
  cmp -s avant.json apres.json || echec "$nom: le monde a changé (sauvegarde)"
  [ -n "$(table sortie 1)" ] && [ "$(table sortie 1)" = "$(table sortie 2)" ] ||
    echec "$nom: le monde a changé (stats)"
  (ulimit -v "$limite"; exec timeout 60 "$BIN" --charger "../$fichier" --pas 1) > sortie 2> erreurs
  attendre_egal "$nom: statut au départ" 2 "$?"
  grep -aF "sauvegarde refusée (../$fichier) : " erreurs | grep -qF "$message" ||
    echec "$nom: au départ, refus attendu [$message], obtenu [$(head -c 300 erreurs)]"
  cd "$TRAVAIL" || exit 1
}
# altere <name> <message> <Python code>: the base save with the code run on it, signed the old
# way so that every version reaches its fields, refused with the message ("@" stands for what
# the code printed).
altere() {
  local n
  n=$(python3 sauvegarde.py base.json "$1.json" ancienne "$3")
  refuse "$1" "$1.json" "${2//@/$n}"
}

# A document nested 100 000 levels deep (200 kB): refused without any recursion.
{ printf '{"format":"pangaeolith-sauvegarde","version":1,"empreinte":"0","z":'
  head -c 100000 /dev/zero | tr '\0' '['; head -c 100000 /dev/zero | tr '\0' ']'; printf '}'; } \
  > profond.json
refuse profond profond.json "ce n'est pas une sauvegarde de Pangaeolith (données imbriquées sur plus de 6 niveaux)"
# A number past any double, which escaped the parser's handling as another exception.
printf '{"format":"pangaeolith-sauvegarde","version":1,"alea":1e999}' > demesure.json
refuse demesure demesure.json "ce n'est pas du JSON valide (nombre démesuré à l'octet"

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

# Values no run reaches: each refused by the field's name.
altere eau "« carte.terrains[@][2] » : entier de 0 à 7000 attendu" \
  'n = next(i for i, c in enumerate(d["carte"]["terrains"]) if c[0] != 0); d["carte"]["terrains"][n][2] = 2147483000; print(n)'
altere mer "« carte.terrains[@][3] » : 0 attendu : une case de mer ne porte que de l'eau" \
  'n = next(i for i, c in enumerate(d["carte"]["terrains"]) if c[0] == 0); d["carte"]["terrains"][n][3] = 50; print(n)'
altere habitants "unites[0].nb_hab » : entier de 0 à 750 attendu" 'u["nb_hab"] = 300000000'
altere code "].code » : entier de 0 à 8 attendu" 't["code"] = 9; [v.update(code=9) for v in t["unites"]]'
altere identifiant "unites[0].id » : entier de 1 à 30 attendu" \
  'n = sum(len(x["unites"]) for x in d["tribus"]) + len(d["id_libres"])
d["id_libres"] += [u["id"]] + list(range(n + 1, 1000)); u["id"] = 1000'
altere tours "unites[0].nb_tours » : entier de 0 à 15 attendu" 'u["nb_tours"] = 2147483647'
altere pas "« pas » : entier de 0 à 1000000000000000 attendu" 'e = 2**63 - 4 - d["pas"]
d["pas"] += e; d["statistiques"]["dernier_echantillon"] += e
for s in d["statistiques"]["tribus"]:
    s["premier_pas"] += e
    if s["pas_extinction"] >= 0: s["pas_extinction"] += e'
altere echantillon "« statistiques.dernier_echantillon » : 15 attendu" 'd["statistiques"]["dernier_echantillon"] -= 1
for s in d["statistiques"]["tribus"]:
    if s["pas_extinction"] < 0: s["habitants"].pop()'
# Names the program never gives, which would drive a terminal, break the chart's XML or be a
# spreadsheet formula in the CSV file.
altere ansi "« tribus[0].nom » : ce n'est pas un nom que le programme donne" 'nommer("\x1b[2J\x1b]0;pris\x07")'
altere formule "« tribus[0].nom » : ce n'est pas un nom" 'nommer("=HYPERLINK(\"http://x\")")'
altere xml "« statistiques.tribus[" 'd["statistiques"]["tribus"][-1]["nom"] = "X\ufffe"'

# The fingerprint: the program signs with the standard FNV-1a, which any tool checks; a save
# signed so is read, and so is one signed the old way.
for f in norme ancienne; do
  python3 sauvegarde.py base.json $f.json $f 'pass'
  printf 'charger %s.json\nquit\n' "$f" | "$BIN" "${MONDE[@]}" > "$f.sortie" 2>&1
  grep -qF "Monde chargé depuis $f.json : pas 15" "$f.sortie" || echec "empreinte $f: refusée"
done
e=$(grep -o '"empreinte":"[0-9a-f]\{16\}"' base.json)
[ -n "$e" ] && grep -qF "$e" norme.json || echec "empreinte: ce n'est pas FNV-1a 64 ($e)"

# The most inhabitants a unit reaches between steps, 750, in a save the program writes: read back.
printf 'cont 92\nsauver s750.json\ncharger s750.json\nquit\n' |
  "$BIN" --seed 12 -q -i 30 20 --rand > s750.sortie 2>&1
grep -q '"nb_hab":750' s750.json || echec "750: aucune unité à 750 habitants"
grep -qF "Monde chargé depuis s750.json : pas 92" s750.sortie || echec "750: sauvegarde refusée"

terminer
