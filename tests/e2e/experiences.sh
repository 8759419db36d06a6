#!/usr/bin/env bash
# Experiments through the real binary: the same CSV files whatever the number of processes or
# the slicing, an interrupted plan finished with no run played twice, a run that is the world of
# the same seed played by --pas, refused plans that touch no file, the chart.
source "$(dirname "$0")/lib/commun.sh" "$@"

# Two factors × three seeds; the run (chance_epidemie 100, croissance 150) has the defaults.
cat > plan.json <<'EOF'
{"facteurs": [{"parametre": "chance_epidemie", "valeurs": [100, 300]},
              {"parametre": "croissance", "de": 150, "a": 200, "pas": 50}],
 "repetitions": {"nombre": 3, "premiere_graine": 7},
 "carte": {"colonnes": 15, "lignes": 12}, "pas": 40, "releve": {"tous_les": 10}}
EOF

# -j 1 and -j 2: the same files, byte for byte; 12 runs of 5 rows (steps 0, 10, 20, 30, 40);
# the same again beside the plan when no folder is given, and from three slices merged.
"$BIN" --experience plan.json -j 1 --resultats r1 2> err1.txt || echec "statut -j 1 : $?"
"$BIN" --experience plan.json -j 2 --resultats r2 2> /dev/null || echec "statut -j 2 : $?"
"$BIN" --experience plan.json 2> /dev/null || echec "statut sans --resultats : $?"
for k in 1 2 3; do
  "$BIN" --experience plan.json --tache $k --taches 3 --resultats r3 2> /dev/null || echec "statut tranche $k"
done
"$BIN" --experience plan.json --fusionner --resultats r3 2> /dev/null || echec "statut fusion : $?"
for r in r2 plan.resultats r3; do
  for f in mesures resume; do cmp -s r1/$f.csv $r/$f.csv || echec "$r/$f.csv différent de -j 1"; done
done
attendre_egal "lignes de mesures.csv" 61 "$(wc -l < r1/mesures.csv)"
attendre_egal "essais dans l'ordre" "$(seq 12 | tr '\n' ' ')" "$(tail -n +2 r1/resume.csv | cut -d, -f1 | tr '\n' ' ')"
grep -q "12 essais joués, 0 déjà faits" err1.txt || echec "bilan absent : $(cat err1.txt)"

# A run is the world `--seed S -i X Y --pas N` plays: its last row (tribes, units, inhabitants,
# wars of the step) is what --stats reports at the same step. Run 2: the defaults, seed 8.
attendre_egal "essai 2" "2,100,150,8" "$(sed -n 3p r1/resume.csv | cut -d, -f1-4)"
"$BIN" --seed 8 -i 15 12 -q --pas 40 --stats seul.csv > /dev/null
ligne=$(grep '^2,100,150,8,40,' r1/mesures.csv)
valeur() { echo "$ligne" | cut -d, -f"$(head -n 1 r1/mesures.csv | tr ',' '\n' | grep -nx "$1" | cut -d: -f1)"; }
for code in $(seq 0 8); do
  attendu=$(awk -F, -v c="$code" '$1 == 40 && $2 == c {print $4 "/" $5}' seul.csv)
  attendre_egal "tribu $code : unités/habitants" "${attendu:-0/0}" "$(valeur unites_$code)/$(valeur habitants_$code)"
done
attendre_egal "tribus vivantes" "$(awk -F, '$1 == 40 && $4 > 0' seul.csv | wc -l)" "$(valeur tribus_vivantes)"
attendre_egal "guerres du pas" "$(awk -F, '$1 == 40 {print $6; exit}' seul.csv)" "$(valeur guerres)"

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
grep -q -- "--experience long.json --reprendre" int.txt || echec "reprise non dite : $(cat int.txt)"
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
# expected, the plan (nothing: the arguments alone).
B='"repetitions": {"graines": [1]}, "carte": {"colonnes": 5, "lignes": 5}, "pas": 3'
F='"facteurs": [{"parametre": "croissance", "valeurs": [150]}]'
R='"repetitions": {"graines": [1]}'
C() { echo "\"carte\": {\"colonnes\": $1, \"lignes\": $2}"; }
while IFS='|' read -r texte plan arguments; do
  [ -z "$plan" ] || printf '%s' "$plan" > mauvais.json
  refus 2 "$texte" ${arguments:---experience mauvais.json}
  [ -e mauvais.resultats ] && echec "$texte : dossier créé"
done << FIN
JSON mal formé vers l'octet|{$F, $B|
plan : clé inconnue « graine »|{$F, $B, "graine": 3}|
facteurs[0].parametre : paramètre inconnu « vitesse »|{"facteurs": [{"parametre": "vitesse", "valeurs": [1]}], $B}|
facteurs[0].valeurs[1] : croissance : valeur "400" refusée, entier de 100..300 attendu|{"facteurs": [{"parametre": "croissance", "valeurs": [150, 400]}], $B}|
facteurs[1].parametre : facteur « croissance » déjà donné|{"facteurs": [{"parametre": "croissance", "valeurs": [150]}, {"parametre": "croissance", "de": 1, "a": 2, "pas": 1}], $B}|
facteurs[0].valeurs : liste vide|{"facteurs": [{"parametre": "croissance", "valeurs": []}], $B}|
facteurs : liste vide|{"facteurs": [], $B}|
carte.colonnes : 101 hors de 1..100|{$F, $R, $(C 101 5), "pas": 3}|
carte.lignes : 0 hors de 1..100|{$F, $R, $(C 5 0), "pas": 3}|
pas : 0 hors de 1..10000000|{$F, $R, $(C 5 5), "pas": 0}|
pas : nombre entier attendu|{$F, $R, $(C 5 5), "pas": 2.5}|
repetitions.graines[1] : graine 1 répétée|{$F, "repetitions": {"graines": [1, 1]}, $(C 5 5), "pas": 3}|
plan : clé « pas » répétée|{$F, $B, "pas": 4}|
mesures[0] : mesure inconnue|{$F, $B, "mesures": ["morts"]}|
releve.tous_les : 4 hors de 1..3|{$F, $B, "releve": {"tous_les": 4}}|
imbrication de plus de|{$F, $B, "description": $(printf '[%.0s' $(seq 50))$(printf ']%.0s' $(seq 50))}|
ajoutez --confirmer|{$F, "repetitions": {"nombre": 20000, "premiere_graine": 1}, $(C 5 5), "pas": 3}|
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
