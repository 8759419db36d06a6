#!/usr/bin/env bash
# The model's parameters through the real binary: set at start or at the prompt, kept by saves,
# named at the head of the CSV file, refused with a message naming them.
source "$(dirname "$0")/lib/commun.sh" "$@"

# partie <name> <commands> <options...>: one run on the commands, its output in <name>.txt.
partie() {
  local nom=$1 commandes=$2
  shift 2
  printf "$commandes" | timeout 60 "$BIN" "$@" > "$nom.txt" 2>&1
}
bilan() { sed -n '/Pas joués/,/Guerres de la dernière phase/p' "$1"; }
M=(--seed 4 -i 12 9)
DEUX=(--param chance_epidemie=3000 --param besoin_vegetale=3)

# A parameter given its default value changes nothing, not even the CSV file.
partie a 'cont 5\nstats\nquit\n' "${M[@]}" --stats a.csv
partie b 'cont 5\nstats\nquit\n' "${M[@]}" --param besoin_eau=10 --stats b.csv
cmp -s a.txt b.txt && cmp -s a.csv b.csv || echec "valeur par défaut : sortie ou CSV différents"
head -n 1 a.csv | grep -q '^pas,' || echec "CSV sans paramètre : une tête est apparue"

# The same change at start, from a file with a --param over it, and with param before the first
# step: the same run, and the same save. The change matters: the default run is another one.
partie c 'cont 40\nstats\nsauver d.json\nquit\n' "${M[@]}" -q "${DEUX[@]}" --stats c.csv
printf '{"chance_epidemie": 3000, "besoin_vegetale": 7}' > bons.json
partie j 'cont 40\nsauver j.json\nquit\n' "${M[@]}" -q --params bons.json --param besoin_vegetale=3
partie e 'param chance_epidemie 3000\nparam besoin_vegetale 3\ncont 40\nstats\nsauver e.json\nquit\n' "${M[@]}" -q
cmp -s <(bilan c.txt) <(bilan e.txt) || echec "départ et param : statistiques différentes"
cmp -s d.json e.json || echec "départ et param : sauvegardes différentes"
cmp -s d.json j.json || echec "--params puis --param : pas la même partie que les deux --param"
grep -q 'chance_epidemie : 100 → 3000' e.txt || echec "param : pas de confirmation"
cmp -s <(bilan a.txt) <(bilan c.txt) && echec "chance_epidemie=3000 : rien n'a changé"
# The CSV file names the changed parameters before its header, as comment lines.
attendre_egal "tête du CSV" "# besoin_vegetale=3|# chance_epidemie=3000|pas,code,nom,unites,habitants,guerres_du_pas" \
  "$(head -n 3 c.csv | paste -sd'|')"

# A save keeps its parameters (version 2) and the run goes on exactly; a default run's save stays
# in version 1, and is read.
grep -q '"version":2' d.json && grep -q '"parametres":{' d.json || echec "sauvegarde avec paramètres : pas en version 2"
partie v1 'sauver v1.json\nquit\n' "${M[@]}" -q
grep -q '"version":1' v1.json && ! grep -q 'parametres' v1.json || echec "sauvegarde sans paramètre : pas en version 1"
partie f 'cont 20\nsauver f.json\nquit\n' --charger d.json -q
partie g 'cont 60\nsauver g.json\nquit\n' "${M[@]}" -q "${DEUX[@]}"
cmp -s f.json g.json || echec "reprise : la partie reprise n'est pas la partie d'une traite"
partie p 'param chance_epidemie\nquit\n' --charger d.json -q
grep -q '^>\?chance_epidemie 3000 (défaut 100, de 0 à 10000' p.txt || echec "reprise : paramètre perdu ($(cat p.txt))"
partie i 'cont 40\nsauver i.json\nquit\n' --charger v1.json -q
[ -s i.json ] || echec "une sauvegarde de version 1 ne se charge plus"

# Refusals at start: status 2, the parameter named, no file touched. A row: the text expected, the
# content of p.json (if any), the arguments.
while IFS='|' read -r texte json arguments; do
  [ -z "$json" ] || printf '%s' "$json" > p.json
  echo precieux > k.csv
  refus 2 "$texte" --seed 1 --pas 1 --stats k.csv $arguments
  attendre_egal "k.csv après $arguments" precieux "$(cat k.csv)"
done << 'FIN'
besoin_eau : valeur "0" refusée, entier de 1..100 attendu||--param besoin_eau=0
besoin_eau : valeur "abc" refusée, entier de 1..100 attendu||--param besoin_eau=abc
paramètre inconnu : besoin_sel||--param besoin_sel=3
"besoin_eau" : nom=valeur attendu||--param besoin_eau
croissance : donné deux fois||--param croissance=120 --param croissance=130
tribu3_comportement : valeur "0" refusée||--param tribu3_comportement=0
p.json : besoin_eau : paramètre donné deux fois|{"besoin_eau": 8, "besoin_eau": 9}|--params p.json
p.json : besoin_eau : un nombre entier est attendu, pas 8.5|{"besoin_eau": 8.5}|--params p.json
p.json : besoin_eau : un nombre entier est attendu, pas un objet|{"besoin_eau": {"a": 1}}|--params p.json
p.json : capacite_bas : valeur "100000" refusée, entier de 1..1000 attendu|{"capacite_bas": 100000}|--params p.json
p.json : paramètre inconnu : inconnu|{"inconnu": 1}|--params p.json
p.json : un objet {"nom": valeur, ...} est attendu|[1, 2]|--params p.json
p.json : JSON mal formé vers l'octet|{"besoin_eau": 8|--params p.json
impossible de lire absent.json||--params absent.json
--param et --params ne vont pas avec --charger||--charger d.json --param besoin_eau=8
FIN

# Refusals at the prompt: the value is kept, and said.
partie r 'param besoin_eau 0\nparam besoin_eau\nparam tribu2_regime 1\nparam nulle 3\nparam croissance 120 5\nquit\n' --seed 4 -q
for motif in 'Paramètre refusé : besoin_eau.*reste à 10' '^>\?besoin_eau 10 ' 'tribu2_regime se règle au départ' \
  'Paramètre inconnu : nulle' 'Syntaxe : param NOM VALEUR ; croissance reste à 150'; do
  grep -q "$motif" r.txt || echec "param à l'invite : « $motif » absent ($(cat r.txt))"
done
# Without argument: every parameter on its own line, name and value first.
partie l 'param\nquit\n' --seed 4 -q
attendre_egal "lignes de param" 70 "$(grep -c '^>\?[a-z0-9_]* -\?[0-9]* (défaut' l.txt)"

# Per-tribe parameters shape the start: two units of tribe 0, each of 40 inhabitants, carnivores.
partie t 'stats\nquit\n' --seed 4 -i 20 20 -q --param tribu0_unites=2 --param tribu0_habitants=40 --param tribu0_regime=2
grep 'CROC' t.txt | tr -s ' ' | grep -qx ' 0 CROC_SANGLANT_DES_PLAINES 2 80' || echec "tribu0 : deux unités de 40 attendues ($(grep CROC t.txt))"

terminer
