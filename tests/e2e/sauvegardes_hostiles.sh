#!/usr/bin/env bash
# Hostile save files against the real program: a document nested beyond any recursion, files
# too large for the memory left, re-signed saves holding values no run reaches or names that
# would drive a terminal, a chart or a spreadsheet, and the fingerprint any FNV-1a tool checks.
# Every refusal is checked at the prompt (the message, status 0, the world before and after the
# same: its table and its save) and at start-up (--charger: status 2 and the message).
source "$(dirname "$0")/lib/commun.sh" "$@"

# sauvegarde.py ENTREE SORTIE BASE CODE: the save ENTREE with the Python statements CODE run on
# it (the document is d, its first tribe with units t, that tribe's first unit u), signed with
# the FNV-1a offset basis BASE (norme, or ancienne as older saves are), written to SORTIE.
# sauvegarde.py verifier FICHIER: status 0 when the fingerprint is FNV-1a of the canonical text.
cat > sauvegarde.py <<'FIN'
import json, sys
BASES = {"norme": 14695981039346656037, "ancienne": 1469598103934665603}
def empreinte(d, base):
    d = {k: v for k, v in d.items() if k != "empreinte"}
    texte = json.dumps(d, sort_keys=True, separators=(",", ":"), ensure_ascii=False)
    h = BASES[base]
    for octet in texte.encode("utf-8"):
        h = ((h ^ octet) * 1099511628211) % 2**64
    return "%016x" % h
if sys.argv[1] == "verifier":
    d = json.load(open(sys.argv[2], encoding="utf-8"))
    sys.exit(0 if d["empreinte"] == empreinte(d, "norme") else 1)
entree, sortie, base, code = sys.argv[1:5]
d = json.load(open(entree, encoding="utf-8"))
t = next(x for x in d["tribus"] if x["unites"])
u = t["unites"][0]
exec(code)
d["empreinte"] = empreinte(d, base)
with open(sortie, "w", encoding="utf-8") as f:
    json.dump(d, f, sort_keys=True, separators=(",", ":"), ensure_ascii=False)
FIN
alterer() { python3 sauvegarde.py base.json "$1" ancienne "$2"; }

# The world each prompt session starts from, and the save the altered ones are made of.
MONDE=(--seed 5 -q -i 6 5)
printf 'cont 15\nsauver base.json\nquit\n' | "$BIN" "${MONDE[@]}" > /dev/null 2>&1

statut_connu() { # <description> <status>: one of the documented statuses 0 to 4
  [ "$2" -le 4 ] || echec "$1: statut $2 hors de la table 0-4"
}

# table <file> <n>: the n-th table of "stats" in a session's output.
table() { awk -v n="$2" '/Pas joués/ { k++ } k == n' "$1" | sed '/^Guerres/q'; }

# refus_invite <name> <file> <message> [limit of virtual memory in kB]: "charger" at the prompt
# refuses the file with that message and the world stays exactly as it was.
refus_invite() {
  local nom=$1 fichier=$2 message=$3 limite=${4:-unlimited} statut
  mkdir "$nom"
  (cd "$nom" &&
    printf 'cont 3\nstats\nsauver avant.json\ncharger ../%s\nstats\nsauver apres.json\nquit\n' \
      "$fichier" | (ulimit -v "$limite"; exec timeout 60 "$BIN" "${MONDE[@]}") > sortie 2> erreurs)
  statut=$?
  statut_connu "$nom" "$statut"
  attendre_egal "$nom: statut" 0 "$statut"
  grep -aF "Sauvegarde refusée : " "$nom/sortie" | grep -qF "$message" ||
    echec "$nom: refus attendu [$message], obtenu [$(grep -a 'Sauvegarde\|Monde' "$nom/sortie" | head -2)]"
  cmp -s "$nom/avant.json" "$nom/apres.json" || echec "$nom: le monde a changé (sauvegarde)"
  [ -n "$(table "$nom/sortie" 1)" ] && [ "$(table "$nom/sortie" 1)" = "$(table "$nom/sortie" 2)" ] ||
    echec "$nom: le monde a changé (stats)"
}

# refus_demarrage <name> <file> <message> [limit]: --charger refuses it, status 2, nothing run.
refus_demarrage() {
  local nom=$1 fichier=$2 message=$3 limite=${4:-unlimited} statut
  (ulimit -v "$limite"; exec timeout 60 "$BIN" --charger "$fichier" --pas 1) > "$nom.sortie" \
    2> "$nom.erreurs"
  statut=$?
  statut_connu "$nom" "$statut"
  attendre_egal "$nom: statut" 2 "$statut"
  grep -aF "sauvegarde refusée ($fichier) : " "$nom.erreurs" | grep -qF "$message" ||
    echec "$nom: refus attendu [$message], obtenu [$(head -c 300 "$nom.erreurs")]"
}

# A document nested 100 000 levels deep (200 kB): refused without any recursion.
{ printf '{"format":"pangaeolith-sauvegarde","version":1,"empreinte":"0","z":'
  head -c 100000 /dev/zero | tr '\0' '['; head -c 100000 /dev/zero | tr '\0' ']'; printf '}'; } \
  > profond.json
refus_invite profond profond.json \
  "ce n'est pas une sauvegarde de Pangaeolith (données imbriquées sur plus de 6 niveaux)"
refus_demarrage profond_demarrage profond.json "données imbriquées sur plus de 6 niveaux"

# A number past any double, which escaped the parser's handling as another exception.
printf '{"format":"pangaeolith-sauvegarde","version":1,"alea":1e999}' > demesure.json
refus_invite demesure demesure.json "ce n'est pas du JSON valide (nombre démesuré à l'octet"
refus_demarrage demesure_demarrage demesure.json "nombre démesuré"

# Files too large for the memory left: a 6 MB array where no member has that name (which took
# 120 MB to refuse), and a sparse 1 GiB file, refused from its size before a byte is read. A sanitizer build cannot run under a limit of
# virtual memory; these cases are then skipped.
if bash -c 'ulimit -v 80000; "$0" --help; exit $?' "$BIN" > /dev/null 2>&1; then
  { printf '{"format":"pangaeolith-sauvegarde","version":1,"empreinte":"0","z":['
    yes 1, | head -n 2999999 | tr -d '\n'; printf '1]}'; } > gros.json
  refus_invite gros gros.json "champ « z » inconnu" 80000
  refus_demarrage gros_demarrage gros.json "champ « z » inconnu" 80000
  truncate -s 1G creux.json
  refus_invite creux creux.json "creux.json : fichier de plus de 268435456 octets" 200000
  rm -f creux.json gros.json
else
  echo "sans limite de mémoire virtuelle (build avec sanitizers) : cas de mémoire sautés"
fi

# Re-signed saves, signed the old way so that every version reaches their fields, with values
# no run reaches: each refused by the field's name.
alterer eau.json 'n = next(i for i, c in enumerate(d["carte"]["terrains"]) if c[0] != 0)
d["carte"]["terrains"][n][2] = 2147483000
open("n_eau", "w").write(str(n))'
refus_invite eau eau.json "« carte.terrains[$(cat n_eau)][2] » : entier de 0 à 7000 attendu"
alterer mer.json 'n = next(i for i, c in enumerate(d["carte"]["terrains"]) if c[0] == 0)
d["carte"]["terrains"][n][3] = 50
open("n_mer", "w").write(str(n))'
refus_invite mer mer.json \
  "« carte.terrains[$(cat n_mer)][3] » : 0 attendu : une case de mer ne porte que de l'eau"
alterer habitants.json 'u["nb_hab"] = 300000000'
refus_demarrage habitants habitants.json "unites[0].nb_hab » : entier de 0 à 750 attendu"
refus_invite habitants_invite habitants.json "unites[0].nb_hab » : entier de 0 à 750 attendu"
alterer code.json 't["code"] = 9
for v in t["unites"]: v["code"] = 9'
refus_invite code code.json "].code » : entier de 0 à 8 attendu"
alterer identifiant.json 'n = sum(len(x["unites"]) for x in d["tribus"]) + len(d["id_libres"])
d["id_libres"] += [u["id"]] + list(range(n + 1, 1000))
u["id"] = 1000'
refus_invite identifiant identifiant.json "unites[0].id » : entier de 1 à 30 attendu"
alterer tours.json 'u["nb_tours"] = 2147483647'
refus_invite tours tours.json "unites[0].nb_tours » : entier de 0 à 15 attendu"
alterer pas.json 'e = 2**63 - 4 - d["pas"]
d["pas"] += e; d["statistiques"]["dernier_echantillon"] += e
for s in d["statistiques"]["tribus"]:
    s["premier_pas"] += e
    if s["pas_extinction"] >= 0: s["pas_extinction"] += e'
refus_invite pas pas.json "« pas » : entier de 0 à 1000000000000000 attendu"
alterer echantillon.json 'd["statistiques"]["dernier_echantillon"] -= 1
for s in d["statistiques"]["tribus"]:
    if s["pas_extinction"] < 0: s["habitants"].pop()'
refus_invite echantillon echantillon.json "« statistiques.dernier_echantillon » : 15 attendu"

# Names the program never gives: escape sequences that clear the screen and retitle the
# terminal, a character XML excludes, a spreadsheet formula. None of them reaches the terminal,
# the chart or the CSV file.
alterer ansi.json 'n = "\x1b[2J\x1b]0;pris\x07"
for s in d["statistiques"]["tribus"]:
    if s["code"] == d["tribus"][0]["code"]: s["nom"] = n
d["tribus"][0]["nom"] = n'
refus_invite ansi ansi.json "« tribus[0].nom » : ce n'est pas un nom que le programme donne"
if grep -q $'\x1b' ansi/sortie; then echec "ansi: un octet ESC est arrivé au terminal"; fi
alterer xml.json 'd["statistiques"]["tribus"][-1]["nom"] = "X\ufffe"'
mkdir xml && (cd xml && printf 'charger ../xml.json\ncourbe c.svg\nquit\n' |
  timeout 60 "$BIN" "${MONDE[@]}" > sortie 2>&1)
grep -qF "Sauvegarde refusée : « statistiques.tribus[" xml/sortie || echec "xml: nom accepté"
xmllint --noout xml/c.svg 2> /dev/null || echec "xml: courbe mal formée"
alterer formule.json 'n = "=HYPERLINK(\"http://x\")"
for s in d["statistiques"]["tribus"]:
    if s["code"] == d["tribus"][0]["code"]: s["nom"] = n
d["tribus"][0]["nom"] = n'
refus_demarrage formule formule.json "« tribus[0].nom » : ce n'est pas un nom"
(timeout 60 "$BIN" --charger formule.json -q --pas 1 --stats formule.csv > /dev/null 2>&1)
if [ -f formule.csv ] && grep -q '^[^,]*,[^,]*,"\?[=+@-]' formule.csv; then
  echec "formule: une cellule du CSV commence par une formule"
fi

# The fingerprint: the program signs with the standard FNV-1a, which any tool checks; a save
# signed so is read, and so is one signed the old way.
python3 sauvegarde.py verifier base.json || echec "empreinte: ce n'est pas FNV-1a 64"
python3 sauvegarde.py base.json norme.json norme 'pass'
python3 sauvegarde.py base.json ancienne.json ancienne 'pass'
for f in norme ancienne; do
  printf 'charger %s.json\nquit\n' "$f" | "$BIN" "${MONDE[@]}" > "$f.sortie" 2>&1
  grep -qF "Monde chargé depuis $f.json : pas 15" "$f.sortie" || echec "empreinte $f: refusée"
done

# The most inhabitants a unit reaches between steps, 750, in a save the program writes: read back.
printf 'cont 92\nsauver s750.json\ncharger s750.json\nquit\n' |
  "$BIN" --seed 12 -q -i 30 20 --rand > s750.sortie 2>&1
grep -q '"nb_hab":750' s750.json || echec "750: aucune unité à 750 habitants"
grep -qF "Monde chargé depuis s750.json : pas 92" s750.sortie || echec "750: sauvegarde refusée"

terminer
