#!/usr/bin/env bash
# Recorded whole runs: fixed-seed runs of the real program whose standard output, error output,
# status, logs (times and addresses masked) and written files must equal, line by line, the
# files recorded under attendu/parties/. Together they go through every rule family: world
# generation, map update, placement, feeding, milieu, deployment, epidemics, colonisation,
# behaviour, war, both tribe tables, both maps in plain and ANSI mode, the commands, the CSV, the
# chart and a save, and what a run refuses or keeps of the files it is given. ENREGISTRER=1
# rewrites the recordings (after a deliberate change only); ENREGISTRER=<pattern> records the
# runs whose names match it, to add new ones.
source "$(dirname "$0")/lib/commun.sh" "$@"
ATTENDU=$SOURCES/tests/e2e/attendu/parties

# partie <name> <commands> <arguments...>: one run in a fresh folder, then its files compared;
# recordings of more than 200 kB are kept compressed. PREP=<shell commands> sets the folder up
# first; what is left in it that is not a plain file (link, FIFO, device, folder) is listed in a
# file "autres", compared as well.
partie() {
  local nom=$1 commandes=$2 f base attendu
  shift 2
  mkdir "$nom" && cp aide.dat "$nom/" && { [ ! -f a_charger.json ] || mv a_charger.json "$nom/"; }
  (cd "$nom" && eval "${PREP:-}" && printf '%b' "$commandes" | timeout 120 "$BIN" "$@" > sortie 2> erreurs
    echo "statut $?" >> erreurs)
  rm -rf "$nom/aide.dat" "$nom/a_charger.json"
  find "$nom" -mindepth 1 ! -type f -printf '%y %P %l\n' | sort > autres
  [ ! -s autres ] || mv autres "$nom/autres"
  for f in "$nom"/*; do
    [ -f "$f" ] && [ ! -L "$f" ] || continue
    base=${f##*/} attendu=$ATTENDU/$nom.${f##*/}
    # A chart is a well-formed SVG document with one line per tribe.
    [[ $base != *.svg ]] || { xmllint --noout "$f" && [ "$(grep -c '<polyline id="tribu-' "$f")" -eq 9 ]; } ||
      echec "$nom: $base n'est pas du XML à neuf courbes"
    sed -E 's/[0-9]{2}:[0-9]{2}:[0-9]{2}:[0-9]+/HH:MM:SS:ms/g; s/0x[0-9a-f]+/0xADR/g' "$f" > "$f.masque"
    if [[ ${ENREGISTRER:-} == 1 || $nom == ${ENREGISTRER:-/} ]]; then
      rm -f "$attendu" "$attendu.gz"
      if [ "$(wc -c < "$f.masque")" -gt 200000 ]; then gzip -9nc "$f.masque" > "$attendu.gz"
      else cp "$f.masque" "$attendu"; fi
    elif [ ! -f "$attendu" ] && [ ! -f "$attendu.gz" ]; then
      echec "$nom: fichier $base produit mais non enregistre"
    elif ! { [ -f "$attendu.gz" ] && gzip -dc "$attendu.gz" || cat "$attendu"; } | diff -u - "$f.masque" > ecart; then
      echec "$nom: $base differe de l'enregistrement :"$'\n'"$(head -n 12 ecart)"
    fi
  done
  for attendu in "$ATTENDU/$nom".*; do
    attendu=${attendu%.gz}
    [ -e "$nom/${attendu#"$ATTENDU/$nom".}" ] || echec "$nom: ${attendu##*/} n'a pas ete produit"
  done
}

partie graine5_30x20 'cont 25\naffich\nmini\nstats\nshow all\npview cam_pos\ngraine\ntrace\ntrace 0\ncont 2\ntrace\ntrace 1\nhelp cont\nhelp\ncourbe c.svg\nsauver s.json\nquit\n' \
  --seed 5 -d -i 30 20
partie graine5_30x20_80 'cont 80\naffich\nquit\n' --seed 5 -d -i 30 20
# The save of graine5_30x20 (step 27) restored by another process, no --seed nor --dim.
cp "$ATTENDU/graine5_30x20.s.json" a_charger.json
partie reprise 'cont 30\ncourbe c.svg\nquit\n' -d --charger a_charger.json --stats s.csv
partie graine5_30x20_rand 'cont 25\naffich\nstats\nquit\n' --seed 5 -d -i 30 20 --rand
partie graine11_100x100 'cont 3\nmini\nquit\n' --seed 11 -i 100 100
partie graine3_1x1 'cont 20\naffich\nmini\nstats\nquit\n' --seed 3 -d -i 1 1
partie graine7_7x3_ansi 'cont 40\naffich\nmini\nbold\naffich\nansi\nmini\nquit\n' --seed 7 -d -a -i 7 3
partie cont_plafond 'cont 10000\ncont 10001\nquit\n' --seed 3 -q -i 1 1
# Headless runs: --pas plays the lines of "cont 10" at the prompt and the same CSV, -q prints
# nothing, --pas 0 writes the start only; a save goes on with --pas, or branches with --seed.
partie lot_42 '' --seed 42 -i 5 4 --pas 10 --stats s.csv
partie lot_42_invite 'cont 10\nquit\n' --seed 42 -i 5 4 --stats s.csv
partie lot_42_q '' --seed 42 -i 5 4 -q --pas 10 --stats s.csv
partie lot_42_zero '' --seed 42 -i 5 4 --pas 0 --stats s.csv
for g in '' 1 2; do
  cp "$ATTENDU/graine5_30x20.s.json" a_charger.json
  partie "lot_reprise$g" '' --charger a_charger.json ${g:+--seed $g} -q --pas 6 --stats s.csv
done
# Refused at start with status 2, nothing run.
partie refus_stats_absent '' --pas 5 --stats absent/s.csv
partie refus_stats_plein '' --pas 5 --stats /dev/full
partie refus_pas_abc '' --pas abc
partie refus_pas_negatif '' --pas -3
partie refus_pas_absent '' --pas
partie refus_stats_sans_nom '' --stats
partie refus_charger_sans_nom '' --charger
partie refus_charger_absent '' --charger absent.json --pas 1
partie graine9_lot '' --seed 9 -q -i 20 15 --pas 80 --stats s.csv
partie commandes 'ANSI 1\nansi\nansi abc\nbold 1\nbold\nB 1\naffich\nbold 0\nshow inconnu\nshow cam_pos\nsh all\nr\nclear\nCLEAR\nhour 0\nhour\ninter 0.5\ni\npro\nan\nex\nexi\nco\nho 5\npro_\nshow\nhe\nH\nh\n\nxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx\nyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyy\nzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzz\ncont\nc 1\nc 0\nC -4\ncont abc\na\n\0377bold 1\ne\n' --seed 2 -d -i 3 2
partie options_refusees 'quit\n' --seed 4294967295 -i 0 7 --pas -3 -z 5 -x extra --seed
partie options_inconnues 'graine\ntrace\nmini\nquit\n' --seed 12 -x --ansi -ansi 30 -z -a -5 --dim 101 5 -q -i 30
partie options_aide '' -a --help --seed x
partie graines_refusees '' --seed 4294967296 --seed -1 --seed +5 --seed 12abc --seed '' --seed 99999999999999999999 --seed
partie octets_et_aide_longue "co\0nt\nhelp\0\nhelp $(printf 'a%.0s' $(seq 505))\n\377\377cont\377\nquit\n" --seed 2 -i 5 5
partie quit_seul 'quit\n' --seed 1
partie entree_fermee '' --seed 1
partie derniere_ligne_sans_fin 'affich' --seed 1
partie graine_007 'graine\nquit\n' --seed 007 -i 2 2
partie graine_0 'graine\nquit\n' --seed 0 -i 2 2
partie options_100x1 'cont 2\nmini\nquit\n' --seed 0 -i 100 1

# What a run refuses or keeps of the files it is given, the folder set up by PREP: logs that are
# folders, full or FIFOs; help files, saves and outputs that are FIFOs, devices, folders, links or
# private files; an output that is another output of the run; a refused start that writes nothing.
O=(--seed 4 -i 12 9)
E='cont\nhelp cont\ncont 3\nquit\n'
PREP='mkdir debug.log' partie debug_repertoire "$E" "${O[@]}" -d
PREP='mkdir debug.log error.log' partie deux_repertoires "$E" "${O[@]}" -d
PREP='ln -s /dev/full debug.log' partie debug_plein "$E" "${O[@]}" -d
PREP='mkfifo debug.log' partie debug_fifo 'cont\nquit\n' "${O[@]}" -d
while IFS='|' read -r genre prep; do PREP=$prep partie "aide_$genre" 'help cont\nquit\n' "${O[@]}"; done << 'FIN'
lecture_seule|chmod 444 aide.dat
fifo|rm aide.dat; mkfifo aide.dat
zero|rm aide.dat; ln -s /dev/zero aide.dat
dossier|rm aide.dat; mkdir aide.dat
enorme|{ echo @cont; printf "%3000000s\n" x; } > aide.dat
FIN
while IFS='|' read -r genre prep; do
  PREP=$prep partie "charger_$genre" '' "${O[@]}" --charger cible --pas 1
  PREP=$prep partie "invite_charger_$genre" 'charger cible\ncont\nquit\n' "${O[@]}"
done << 'FIN'
fifo|mkfifo cible
zero|ln -s /dev/zero cible
dossier|mkdir cible
FIN
for sortie in sauver courbe stats; do
  while IFS='|' read -r genre prep; do
    [ "$genre" = nul ] && [ "$(id -u)" -ne 0 ] && continue # mknod needs root
    if [ $sortie = stats ]; then PREP=$prep partie "stats_$genre" '' "${O[@]}" --stats cible --pas 2
    else PREP=$prep partie "${sortie}_$genre" "$sortie cible\nquit\n" "${O[@]}"; fi
  done << 'FIN'
lien|echo ancien > vraie; ln -s vraie cible
fifo|mkfifo cible
nul|mknod cible c 1 3
prive|echo ancien > cible; chmod 600 cible
FIN
done
PREP='echo précieux > k.csv' partie depart_refuse '' "${O[@]}" -d --stats k.csv --charger absent.json --pas 2
PREP='mkfifo tube' partie csv_refuse '' "${O[@]}" -d --stats tube --pas 2
PREP='echo ancien > debug.log' partie stats_sur_debug '' "${O[@]}" -d --stats debug.log --pas 2
partie stats_sur_sortie '' "${O[@]}" --stats sortie --pas 2
partie sorties_sur_journaux 'courbe debug.log\nsauver error.log\ncont\nquit\n' "${O[@]}" -d
partie gras_tube 'bold 1\nquit\n' "${O[@]}" -a

# The model's parameters: a default value changes nothing; set at start, from a file with a
# --param over it, or at the prompt, the same run; kept by a save (version 2, version 1 for a
# default run) and resumed; named at the head of the CSV file; refused naming them, no file touched.
DEUX=(--param chance_epidemie=3000 --param besoin_vegetale=3)
partie param_defaut 'cont 5\nstats\nquit\n' "${O[@]}" --param besoin_eau=10 --stats b.csv
partie param_depart 'cont 40\nstats\nsauver d.json\nquit\n' "${O[@]}" -q "${DEUX[@]}" --stats c.csv
PREP="echo '{\"chance_epidemie\": 3000, \"besoin_vegetale\": 7}' > bons.json" partie param_fichier \
  'cont 40\nsauver j.json\nquit\n' "${O[@]}" -q --params bons.json --param besoin_vegetale=3
partie param_invite 'param chance_epidemie 3000\nparam besoin_vegetale 3\ncont 40\nstats\nsauver e.json\nquit\n' "${O[@]}" -q
partie param_v1 'sauver v1.json\nquit\n' "${O[@]}" -q
PREP='cp ../param_depart/d.json .' partie param_reprise 'param chance_epidemie\ncont 20\nsauver f.json\nquit\n' --charger d.json -q
PREP='cp ../param_v1/v1.json .' partie param_reprise_v1 'cont 40\nsauver i.json\nquit\n' --charger v1.json -q
partie param_invite_refus 'param besoin_eau 0\nparam besoin_eau\nparam tribu2_regime 1\nparam nulle 3\nparam croissance 120 5\nparam\nquit\n' --seed 4 -q
partie param_tribu0 'stats\nquit\n' --seed 4 -i 20 20 -q --param tribu0_unites=2 --param tribu0_habitants=40 --param tribu0_regime=2
while IFS='|' read -r nom json arguments; do
  PREP="echo precieux > k.csv; ${json:+echo '$json' > p.json}" partie "param_refus_$nom" '' --seed 1 --pas 1 --stats k.csv $arguments
done << 'FIN'
zero||--param besoin_eau=0
abc||--param besoin_eau=abc
inconnu||--param besoin_sel=3
sans_valeur||--param besoin_eau
deux_fois||--param croissance=120 --param croissance=130
comportement||--param tribu3_comportement=0
json_deux_fois|{"besoin_eau": 8, "besoin_eau": 9}|--params p.json
json_reel|{"besoin_eau": 8.5}|--params p.json
json_objet|{"besoin_eau": {"a": 1}}|--params p.json
json_hors|{"capacite_bas": 100000}|--params p.json
json_inconnu|{"inconnu": 1}|--params p.json
json_liste|[1, 2]|--params p.json
json_coupe|{"besoin_eau": 8|--params p.json
json_absent||--params absent.json
charger||--charger d.json --param besoin_eau=8
FIN

terminer
