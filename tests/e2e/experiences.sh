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

# -j 1 and -j 2: the same files, byte for byte; 12 runs of 5 rows (steps 0, 10, 20, 30, 40).
"$BIN" --experience plan.json -j 1 --resultats r1 2> err1.txt
attendre_egal "statut -j 1" 0 $?
"$BIN" --experience plan.json -j 2 --resultats r2 2> /dev/null
attendre_egal "statut -j 2" 0 $?
cmp -s r1/mesures.csv r2/mesures.csv || echec "-j 1 et -j 2 : mesures.csv différents"
cmp -s r1/resume.csv r2/resume.csv || echec "-j 1 et -j 2 : resume.csv différents"
attendre_egal "lignes de mesures.csv" 61 "$(wc -l < r1/mesures.csv)"
attendre_egal "lignes de resume.csv" 13 "$(wc -l < r1/resume.csv)"
attendre_egal "essais dans l'ordre" "$(seq 12 | tr '\n' ' ')" \
  "$(tail -n +2 r1/resume.csv | cut -d, -f1 | tr '\n' ' ')"
grep -q "12 essais joués, 0 déjà faits" err1.txt || echec "bilan absent : $(cat err1.txt)"
# The results beside the plan when no folder is given.
"$BIN" --experience plan.json 2> /dev/null
cmp -s r1/mesures.csv plan.resultats/mesures.csv || echec "résultats à côté du plan différents"

# A run is the world `--seed S -i X Y --pas N` plays: its last row (tribes, units, inhabitants,
# wars of the step) is what --stats reports at the same step. Run 2: the defaults, seed 8.
attendre_egal "essai 2" "2,100,150,8" "$(sed -n 3p r1/resume.csv | cut -d, -f1-4)"
"$BIN" --seed 8 -i 15 12 -q --pas 40 --stats seul.csv > /dev/null
entete=$(head -n 1 r1/mesures.csv | tr ',' '\n')
colonne() { echo "$entete" | grep -nx "$1" | cut -d: -f1; }
ligne=$(grep '^2,100,150,8,40,' r1/mesures.csv)
for code in $(seq 0 8); do
  attendu=$(awk -F, -v c="$code" '$1 == 40 && $2 == c {print $4 "/" $5}' seul.csv)
  [ -n "$attendu" ] || attendu="0/0"
  obtenu="$(echo "$ligne" | cut -d, -f"$(colonne unites_$code)")/$(echo "$ligne" | cut -d, -f"$(colonne habitants_$code)")"
  attendre_egal "tribu $code : unités/habitants" "$attendu" "$obtenu"
done
attendre_egal "tribus vivantes" "$(awk -F, '$1 == 40 && $4 > 0' seul.csv | wc -l)" \
  "$(echo "$ligne" | cut -d, -f"$(colonne tribus_vivantes)")"
attendre_egal "guerres du pas" "$(awk -F, '$1 == 40 {print $6; exit}' seul.csv)" \
  "$(echo "$ligne" | cut -d, -f"$(colonne guerres)")"

# Three slices in one folder, merged: the whole plan's files.
for k in 1 2 3; do
  "$BIN" --experience plan.json --tache $k --taches 3 --resultats r3 2> /dev/null
  attendre_egal "statut tranche $k" 0 $?
done
"$BIN" --experience plan.json --fusionner --resultats r3 2> /dev/null
attendre_egal "statut fusion" 0 $?
cmp -s r1/mesures.csv r3/mesures.csv || echec "tranches fusionnées : mesures.csv différent"
cmp -s r1/resume.csv r3/resume.csv || echec "tranches fusionnées : resume.csv différent"
# A slice twice, or one missing, is refused with the run it is about.
mkdir r4 && cp r3/plan.json r3/*.tache-* r4/
cp r4/mesures.tache-2-sur-3.csv r4/mesures.tache-2-sur-3-copie.csv
"$BIN" --experience plan.json --fusionner --resultats r4 2> err.txt
attendre_egal "fusion d'un essai en double" 2 $?
grep -q "l'essai 2 est deux fois" err.txt || echec "double : $(cat err.txt)"
rm r4/mesures.tache-2-sur-3*.csv
"$BIN" --experience plan.json --fusionner --resultats r4 2> err.txt
attendre_egal "fusion d'une tranche absente" 2 $?
grep -q "4 essai(s) absent(s) des fichiers mesures.tache-\*.csv : 2, 5, 8, 11" err.txt ||
  echec "absents : $(cat err.txt)"

# Interrupted by SIGINT while runs are under way, then resumed: every run once.
cat > long.json <<'EOF'
{"facteurs": [{"parametre": "chance_contagion", "valeurs": [10, 50]}],
 "repetitions": {"graines": [1, 2, 3, 4, 5]},
 "carte": {"colonnes": 40, "lignes": 40}, "pas": 300, "mesures": ["habitants"]}
EOF
"$BIN" --experience long.json -j 2 2> int.txt &
pid=$!
for _ in $(seq 600); do
  [ "$(ls long.resultats/parties/ 2> /dev/null | grep -c 'resume.csv$')" -ge 2 ] && break
  sleep 0.1
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
"$BIN" --experience long.json -j 2 2> err.txt
attendre_egal "relance sans --reprendre" 2 $?
grep -q -- "--reprendre pour finir les autres" err.txt || echec "relance : $(cat err.txt)"
"$BIN" --experience long.json -j 2 --reprendre 2> rep.txt
attendre_egal "statut de la reprise" 0 $?
grep -q "$((10 - faits)) essais joués, $faits déjà faits" rep.txt || echec "reprise : $(cat rep.txt)"
apres=$(cd long.resultats/parties && stat -c '%n %Y %i' $(echo "$avant" | cut -d' ' -f1))
attendre_egal "parties déjà faites intactes" "$avant" "$apres"
attendre_egal "chaque essai une fois" "$(seq 10 | tr '\n' ' ')" \
  "$(tail -n +2 long.resultats/resume.csv | cut -d, -f1 | tr '\n' ' ')"

# Refused plans: the field named, status 2, no folder created.
refus() {  # <description> <plan> <text expected in the message>
  printf '%s' "$2" > mauvais.json
  "$BIN" --experience mauvais.json 2> err.txt
  attendre_egal "$1 : statut" 2 $?
  grep -qF -- "$3" err.txt || echec "$1 : attendu « $3 », obtenu « $(cat err.txt) »"
  [ -e mauvais.resultats ] && echec "$1 : dossier créé"
}
B='"repetitions": {"graines": [1]}, "carte": {"colonnes": 5, "lignes": 5}, "pas": 3'
F='"facteurs": [{"parametre": "croissance", "valeurs": [150]}]'
refus "JSON mal formé" "{$F, $B" "JSON mal formé vers l'octet"
refus "clé inconnue" "{$F, $B, \"graine\": 3}" "plan : clé inconnue « graine »"
refus "paramètre inconnu" "{\"facteurs\": [{\"parametre\": \"vitesse\", \"valeurs\": [1]}], $B}" \
  "facteurs[0].parametre : paramètre inconnu « vitesse »"
refus "hors plage" "{\"facteurs\": [{\"parametre\": \"croissance\", \"valeurs\": [150, 400]}], $B}" \
  "facteurs[0].valeurs[1] : croissance : valeur \"400\" refusée, entier de 100..300 attendu"
refus "facteur répété" "{\"facteurs\": [{\"parametre\": \"croissance\", \"valeurs\": [150]}, {\"parametre\": \"croissance\", \"de\": 1, \"a\": 2, \"pas\": 1}], $B}" \
  "facteurs[1].parametre : facteur « croissance » déjà donné"
refus "liste vide" "{\"facteurs\": [{\"parametre\": \"croissance\", \"valeurs\": []}], $B}" \
  "facteurs[0].valeurs : liste vide"
refus "sans facteur" "{\"facteurs\": [], $B}" "facteurs : liste vide"
refus "carte trop large" "{$F, \"repetitions\": {\"graines\": [1]}, \"carte\": {\"colonnes\": 101, \"lignes\": 5}, \"pas\": 3}" \
  "carte.colonnes : 101 hors de 1..100"
refus "carte vide" "{$F, \"repetitions\": {\"graines\": [1]}, \"carte\": {\"colonnes\": 5, \"lignes\": 0}, \"pas\": 3}" \
  "carte.lignes : 0 hors de 1..100"
refus "pas nuls" "{$F, \"repetitions\": {\"graines\": [1]}, \"carte\": {\"colonnes\": 5, \"lignes\": 5}, \"pas\": 0}" \
  "pas : 0 hors de 1..10000000"
refus "pas non entier" "{$F, \"repetitions\": {\"graines\": [1]}, \"carte\": {\"colonnes\": 5, \"lignes\": 5}, \"pas\": 2.5}" \
  "pas : nombre entier attendu"
refus "graine répétée" "{$F, \"repetitions\": {\"graines\": [1, 1]}, \"carte\": {\"colonnes\": 5, \"lignes\": 5}, \"pas\": 3}" \
  "repetitions.graines[1] : graine 1 répétée"
refus "clé répétée" "{$F, $B, \"pas\": 4}" "plan : clé « pas » répétée"
refus "mesure inconnue" "{$F, $B, \"mesures\": [\"morts\"]}" "mesures[0] : mesure inconnue"
refus "relevé trop espacé" "{$F, $B, \"releve\": {\"tous_les\": 4}}" "releve.tous_les : 4 hors de 1..3"
refus "imbrication" "{$F, $B, \"description\": $(printf '[%.0s' $(seq 50))$(printf ']%.0s' $(seq 50))}" "imbrication de plus de"
refus "trop d'essais" "{$F, \"repetitions\": {\"nombre\": 20000, \"premiere_graine\": 1}, \"carte\": {\"colonnes\": 5, \"lignes\": 5}, \"pas\": 3}" \
  "ajoutez --confirmer"
"$BIN" --experience absent.json 2> err.txt
attendre_egal "plan absent" 2 $?
"$BIN" --experience plan.json -j 0 2> err.txt
attendre_egal "-j 0" 2 $?
"$BIN" --experience plan.json --tache 2 2> err.txt
attendre_egal "--tache sans --taches" 2 $?
"$BIN" --reprendre 2> err.txt
attendre_egal "--reprendre sans plan" 2 $?

# The chart: per-tribe metric, one line per tribe; refusals name what the file holds.
"$BIN" --courbe-experience r1/mesures.csv habitants croissance hab.svg
attendre_egal "courbe" 0 $?
attendre_egal "lignes de la courbe" 18 "$(grep -c '<polyline' hab.svg)"
if command -v xmllint > /dev/null; then xmllint --noout hab.svg || echec "SVG mal formé"; fi
"$BIN" --courbe-experience r1/mesures.csv morts croissance x.svg 2> err.txt
attendre_egal "mesure absente" 2 $?
grep -q "mesure « morts » absente du fichier" err.txt || echec "courbe : $(cat err.txt)"
[ -e x.svg ] && echec "courbe refusée écrite"

terminer
