#!/usr/bin/env bash
# Experiments through the real binary: the same CSV files whatever the number of processes or
# the slicing, an interrupted plan finished with no run played twice, refused plans that touch
# no file, the chart.
source "$(dirname "$0")/lib/commun.sh" "$@"

# Two factors × three seeds (what one process makes of it is a recorded run).
cp "$SOURCES/tests/e2e/lib/plan.json" .

# -j 1 and -j 2: the same files, byte for byte; the same again beside the plan when no folder is
# given, and from three slices merged.
"$BIN" --experience plan.json -j 1 --resultats r1 2> /dev/null || echec "statut -j 1 : $?"
"$BIN" --experience plan.json -j 2 --resultats r2 2> /dev/null || echec "statut -j 2 : $?"
"$BIN" --experience plan.json 2> /dev/null || echec "statut sans --resultats : $?"
for k in 1 2 3; do
  "$BIN" --experience plan.json --tache $k --taches 3 --resultats r3 2> /dev/null || echec "statut tranche $k"
done
"$BIN" --experience plan.json --fusionner --resultats r3 2> /dev/null || echec "statut fusion : $?"
for r in r2 plan.resultats r3; do
  for f in mesures resume; do cmp -s r1/$f.csv $r/$f.csv || echec "$r/$f.csv différent de -j 1"; done
done

# A slice twice, or one missing, is refused with the run it is about.
mkdir r4 && cp r3/plan.json r3/*.tache-* r4/
cp r4/mesures.tache-2-sur-3.csv r4/mesures.tache-2-sur-3-copie.csv
refus 2 "l'essai 2 est deux fois" --experience plan.json --fusionner --resultats r4
rm r4/mesures.tache-2-sur-3*.csv
refus 2 "4 essai(s) absent(s) des fichiers mesures.tache-*.csv : 2, 5, 8, 11" --experience plan.json --fusionner --resultats r4

# Interrupted by SIGINT while runs are under way, then resumed: every run once.
cat > long.json <<'EOF'
{"facteurs": [{"parametre": "chance_contagion", "valeurs": [10, 50]}],
 "repetitions": {"graines": [1, 2, 3, 4, 5]},
 "carte": {"colonnes": 40, "lignes": 40}, "pas": 300, "mesures": ["habitants"]}
EOF
"$BIN" --experience long.json -j 2 2> int.txt &
pid=$!
for _ in $(seq 600); do
  [ "$(ls long.resultats/parties/ 2> /dev/null | grep -c 'resume.csv$')" -ge 2 ] && break || sleep 0.1
done
kill -INT $pid
wait $pid
attendre_egal "statut après SIGINT" 1 $?
faits=$(ls long.resultats/parties/ | grep -c 'resume.csv$')
grep -q "expérience arrêtée : $faits essais sur 10 faits" int.txt || echec "arrêt : $(cat int.txt)"
[ "$faits" -lt 10 ] || echec "SIGINT arrivé après la fin des essais"
ls long.resultats/parties/ | grep -q tmp && echec "fichiers temporaires laissés"
[ -e long.resultats/mesures.csv ] && echec "mesures.csv écrit par une expérience arrêtée"
avant=$(cd long.resultats/parties && stat -c '%n %Y %i' *.resume.csv)
refus 2 "--reprendre pour finir les autres" --experience long.json -j 2
"$BIN" --experience long.json -j 2 --reprendre 2> rep.txt || echec "statut de la reprise : $?"
grep -q "$((10 - faits)) essais joués, $faits déjà faits" rep.txt || echec "reprise : $(cat rep.txt)"
apres=$(cd long.resultats/parties && stat -c '%n %Y %i' $(echo "$avant" | cut -d' ' -f1))
attendre_egal "parties déjà faites intactes" "$avant" "$apres"
attendre_egal "chaque essai une fois" "$(seq 10 | tr '\n' ' ')" \
  "$(tail -n +2 long.resultats/resume.csv | cut -d, -f1 | tr '\n' ' ')"

# Refused plans and options: status 2, the field named, no folder created. A row: the text
# expected, the plan (nothing: the arguments alone). The plan reader's other refusals (malformed
# JSON, unknown keys, bounds, repeated seeds) are its unit tests (test_plan_experience.cpp).
B='"repetitions": {"graines": [1]}, "carte": {"colonnes": 5, "lignes": 5}, "pas": 3'
F='"facteurs": [{"parametre": "croissance", "valeurs": [150]}]'
while IFS='|' read -r texte plan arguments; do
  [ -z "$plan" ] || printf '%s' "$plan" > mauvais.json
  refus 2 "$texte" ${arguments:---experience mauvais.json}
  [ -e mauvais.resultats ] && echec "$texte : dossier créé"
done << FIN
facteurs[1].parametre : facteur « croissance » déjà donné|{"facteurs": [{"parametre": "croissance", "valeurs": [150]}, {"parametre": "croissance", "de": 1, "a": 2, "pas": 1}], $B}|
facteurs : liste vide|{"facteurs": [], $B}|
plan : clé « pas » répétée|{$F, $B, "pas": 4}|
mesures[0] : mesure inconnue|{$F, $B, "mesures": ["morts"]}|
imbrication de plus de|{$F, $B, "description": $(printf '[%.0s' $(seq 50))$(printf ']%.0s' $(seq 50))}|
ajoutez --confirmer|{$F, "repetitions": {"nombre": 20000, "premiere_graine": 1}, "carte": {"colonnes": 5, "lignes": 5}, "pas": 3}|
plan refusé (absent.json) : impossible de lire absent.json||--experience absent.json
nombre de processus refusé (0) : de 1 à 256.||--experience plan.json -j 0
--tache K et --taches M se donnent ensemble.||--experience plan.json --tache 2
ne servent qu'avec --experience PLAN.json.||--reprendre
FIN

# The chart: per-tribe metric, one line per tribe; refusals name what the file holds.
"$BIN" --courbe-experience r1/mesures.csv habitants croissance hab.svg || echec "courbe : statut $?"
attendre_egal "lignes de la courbe" 18 "$(grep -c '<polyline' hab.svg)"
xmllint --noout hab.svg || echec "SVG mal formé"
refus 2 "mesure « morts » absente du fichier" --courbe-experience r1/mesures.csv morts croissance x.svg
[ -e x.svg ] && echec "courbe refusée écrite"

terminer
