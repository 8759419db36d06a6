#!/usr/bin/env bash
# The model's parameters through the real binary: set at start or at the prompt, kept by saves,
# named at the head of the CSV file, refused with a message naming them.
source "$(dirname "$0")/lib/commun.sh" "$@"

# A parameter given its default value changes nothing, not even the CSV file.
printf 'cont 5\nstats\nquit\n' | "$BIN" --seed 4 -i 12 9 --stats a.csv > a.txt 2>&1
printf 'cont 5\nstats\nquit\n' | "$BIN" --seed 4 -i 12 9 --param besoin_eau=10 --stats b.csv > b.txt 2>&1
cmp -s a.txt b.txt || echec "valeur par défaut : sortie différente"
cmp -s a.csv b.csv || echec "valeur par défaut : CSV différent"

# The same change at start and with param before the first step: the same run, and the same save.
printf 'cont 40\nstats\nsauver d.json\nquit\n' |
  "$BIN" --seed 4 -i 12 9 -q --param chance_epidemie=3000 --param besoin_vegetale=3 --stats c.csv > c.txt 2>&1
printf 'param chance_epidemie 3000\nparam besoin_vegetale 3\ncont 40\nstats\nsauver e.json\nquit\n' |
  "$BIN" --seed 4 -i 12 9 -q > e.txt 2>&1
bilan() { sed -n '/Pas joués/,/Guerres de la dernière phase/p' "$1"; }
diff <(bilan c.txt) <(bilan e.txt) > /dev/null ||
  echec "départ et param : statistiques différentes"
cmp -s d.json e.json || echec "départ et param : sauvegardes différentes"
grep -q 'chance_epidemie : 100 → 3000' e.txt || echec "param : pas de confirmation ($(grep chance e.txt))"
# The change matters: the default run is another one.
diff <(bilan a.txt) <(bilan c.txt) > /dev/null &&
  echec "chance_epidemie=3000 : rien n'a changé"
# The CSV file names the changed parameters before its header, as comment lines.
attendre_egal "tête du CSV" "# besoin_vegetale=3|# chance_epidemie=3000|pas,code,nom,unites,habitants,guerres_du_pas" \
  "$(head -n 3 c.csv | paste -sd'|')"
head -n 1 a.csv | grep -q '^pas,' || echec "CSV sans paramètre : une tête est apparue"

# A save keeps its parameters (version 2) and the run goes on exactly; a default run's save stays
# in version 1.
grep -q '"version":2' d.json || echec "sauvegarde avec paramètres : pas en version 2"
grep -q '"parametres":{' d.json || echec "sauvegarde avec paramètres : paramètres absents"
printf 'sauver v1.json\nquit\n' | "$BIN" --seed 4 -i 12 9 -q > /dev/null 2>&1
grep -q '"version":1' v1.json || echec "sauvegarde sans paramètre : pas en version 1"
grep -q 'parametres' v1.json && echec "sauvegarde sans paramètre : paramètres écrits"
printf 'cont 20\nsauver f.json\nquit\n' | "$BIN" --charger d.json -q > /dev/null 2>&1
printf 'cont 60\nsauver g.json\nquit\n' |
  "$BIN" --seed 4 -i 12 9 -q --param chance_epidemie=3000 --param besoin_vegetale=3 > /dev/null 2>&1
cmp -s f.json g.json || echec "reprise : la partie reprise n'est pas la partie d'une traite"
printf 'param chance_epidemie\nquit\n' | "$BIN" --charger d.json -q > p.txt 2>&1
grep -q '^>\?chance_epidemie 3000 (défaut 100, de 0 à 10000' p.txt || echec "reprise : paramètre perdu ($(cat p.txt))"
printf 'cont 40\nsauver i.json\nquit\n' | "$BIN" --charger v1.json -q > /dev/null 2>&1
[ -s i.json ] || echec "une sauvegarde de version 1 ne se charge plus"

# Refusals at start: status 2, the parameter named, no file touched.
refus() {  # refus <motif attendu> <arguments...>
  local motif=$1
  shift
  printf 'precieux\n' > k.csv
  "$BIN" --seed 1 --pas 1 --stats k.csv "$@" > sortie.txt 2> erreur.txt < /dev/null
  local statut=$?
  attendre_egal "statut de $*" 2 "$statut"
  grep -q -- "$motif" erreur.txt || echec "$*: message sans « $motif » ($(cat erreur.txt))"
  attendre_egal "k.csv après $*" precieux "$(cat k.csv)"
}
refus 'besoin_eau' --param besoin_eau=0
refus 'besoin_eau.*1\.\.100' --param besoin_eau=abc
refus 'besoin_sel' --param besoin_sel=3
refus 'nom=valeur' --param besoin_eau
refus 'croissance : donné deux fois' --param croissance=120 --param croissance=130
refus 'tribu3_comportement' --param tribu3_comportement=0
printf '{"besoin_eau": 8, "besoin_eau": 9}' > double.json
refus 'besoin_eau.*deux fois' --params double.json
printf '{"besoin_eau": 8.5}' > flottant.json
refus 'besoin_eau.*entier' --params flottant.json
printf '{"besoin_eau": {"a": 1}}' > imbrique.json
refus 'besoin_eau.*objet' --params imbrique.json
printf '{"capacite_bas": 100000}' > plage.json
refus 'capacite_bas.*1\.\.1000' --params plage.json
printf '{"inconnu": 1}' > inconnu.json
refus 'inconnu' --params inconnu.json
printf '[1, 2]' > liste.json
refus 'objet' --params liste.json
printf '{"besoin_eau": 8' > tronque.json
refus 'JSON' --params tronque.json
refus 'absent.json' --params absent.json
refus 'vont pas avec --charger' --charger d.json --param besoin_eau=8
# A file of parameters, with a --param over it.
printf '{"chance_epidemie": 3000, "besoin_vegetale": 7}' > bons.json
printf 'cont 40\nsauver j.json\nquit\n' |
  "$BIN" --seed 4 -i 12 9 -q --params bons.json --param besoin_vegetale=3 > /dev/null 2>&1
cmp -s d.json j.json || echec "--params puis --param : pas la même partie que les deux --param"

# Refusals at the prompt: the value is kept, and said.
printf 'param besoin_eau 0\nparam besoin_eau\nparam tribu2_regime 1\nparam nulle 3\nparam croissance 120 5\nquit\n' |
  "$BIN" --seed 4 -q > r.txt 2>&1
grep -q 'Paramètre refusé : besoin_eau.*reste à 10' r.txt || echec "param hors plage : $(cat r.txt)"
grep -q '^>\?besoin_eau 10 ' r.txt || echec "param hors plage : valeur changée"
grep -q 'tribu2_regime se règle au départ' r.txt || echec "param de tribu à l'invite : $(cat r.txt)"
grep -q 'Paramètre inconnu : nulle' r.txt || echec "param inconnu : $(cat r.txt)"
grep -q 'Syntaxe : param NOM VALEUR ; croissance reste à 150' r.txt || echec "param de trop : $(cat r.txt)"
# Without argument: every parameter on its own line, name and value first.
printf 'param\nquit\n' | "$BIN" --seed 4 -q > l.txt 2>&1
attendre_egal "lignes de param" 70 "$(grep -c '^>\?[a-z0-9_]* -\?[0-9]* (défaut' l.txt)"

# Per-tribe parameters shape the start: two units of tribe 0, each of 40 inhabitants, carnivores.
printf 'stats\nquit\n' | "$BIN" --seed 4 -i 20 20 -q --param tribu0_unites=2 --param tribu0_habitants=40 \
  --param tribu0_regime=2 > t.txt 2>&1
grep -q '2 *| *80' <(grep 'CROC' t.txt | tr -s ' ') || grep -q ' 2 .* 80' <(grep 'CROC' t.txt) ||
  echec "tribu0 : deux unités de 40 attendues ($(grep CROC t.txt))"

terminer
