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

# What a run refuses or keeps of the files and streams it is given, parameters, plans: one run a
# row, name|set-up of its folder (PREP)|commands|arguments; "#" rows are comments, mknod needs root.
while IFS='|' read -r nom prep commandes arguments; do
  [[ $nom != \#* && ( $prep != mknod* || $(id -u) == 0 ) ]] && PREP=$prep partie "$nom" "$commandes" $arguments
done << 'FIN'
# Logs that are folders, full, FIFOs or standard output: said (status 4), the run goes on.
deux_repertoires|mkdir debug.log error.log|cont\nhelp cont\ncont 3\nquit\n|--seed 4 -i 12 9 -d
debug_plein|ln -s /dev/full debug.log|cont\nhelp cont\ncont 3\nquit\n|--seed 4 -i 12 9 -d
debug_fifo|mkfifo debug.log|cont\nquit\n|--seed 4 -i 12 9 -d
debug_sortie|ln -s sortie debug.log|cont\nquit\n|--seed 4 -i 12 9 -d
# Standard output full (it is a link to /dev/full): status 3, the logs say it.
sortie_pleine|ln -s /dev/full sortie|cont\nhelp cont\ncont 3\nquit\n|--seed 4 -i 12 9 -d
aide_sortie_pleine|ln -s /dev/full sortie||--seed 4 -i 12 9 --help
# Help files: read-only is read; a FIFO, a device, a folder are refused at once; a huge entry is cut.
aide_lecture_seule|chmod 444 aide.dat|help cont\nquit\n|--seed 4 -i 12 9
aide_fifo|rm aide.dat; mkfifo aide.dat|help cont\nquit\n|--seed 4 -i 12 9
aide_zero|rm aide.dat; ln -s /dev/zero aide.dat|help cont\nquit\n|--seed 4 -i 12 9
aide_dossier|rm aide.dat; mkdir aide.dat|help cont\nquit\n|--seed 4 -i 12 9
aide_enorme|{ echo @cont; printf "%3000000s\n" x; } > aide.dat|help cont\nquit\n|--seed 4 -i 12 9
# Saves that are not plain files, at start and at the prompt: refused by what they are; the world stays.
charger_fifo|mkfifo cible||--seed 4 -i 12 9 --charger cible --pas 1
invite_charger_fifo|mkfifo cible|charger cible\ncont\nquit\n|--seed 4 -i 12 9
invite_charger_zero|ln -s /dev/zero cible|charger cible\ncont\nquit\n|--seed 4 -i 12 9
invite_charger_dossier|mkdir cible|charger cible\ncont\nquit\n|--seed 4 -i 12 9
# Outputs: a link is followed and kept, the target written; a FIFO or a device is refused and stays.
sauver_lien|echo ancien > vraie; ln -s vraie cible|sauver cible\nquit\n|--seed 4 -i 12 9
courbe_lien|echo ancien > vraie; ln -s vraie cible|courbe cible\nquit\n|--seed 4 -i 12 9
stats_lien|echo ancien > vraie; ln -s vraie cible||--seed 4 -i 12 9 --stats cible --pas 2
sauver_fifo|mkfifo cible|sauver cible\nquit\n|--seed 4 -i 12 9
courbe_fifo|mkfifo cible|courbe cible\nquit\n|--seed 4 -i 12 9
stats_fifo|mkfifo cible||--seed 4 -i 12 9 --stats cible --pas 2
sauver_nul|mknod cible c 1 3|sauver cible\nquit\n|--seed 4 -i 12 9
stats_nul|mknod cible c 1 3||--seed 4 -i 12 9 --stats cible --pas 2
# A refused start writes nothing; an output that is another output of the run is refused.
depart_refuse|echo précieux > k.csv||--seed 4 -i 12 9 -d --stats k.csv --charger absent.json --pas 2
csv_refuse|mkfifo tube||--seed 4 -i 12 9 -d --stats tube --pas 2
stats_sur_debug|echo ancien > debug.log||--seed 4 -i 12 9 -d --stats debug.log --pas 2
stats_sur_sortie|||--seed 4 -i 12 9 --stats sortie --pas 2
sorties_sur_journaux||courbe debug.log\nsauver error.log\ncont\nquit\n|--seed 4 -i 12 9 -d
gras_tube||bold 1\nquit\n|--seed 4 -i 12 9 -a
# -q at the prompt and headless with drawn tribes: no turn, war or victory line, the same debug log.
calme_invite||cont 5\naffich\nquit\n|--seed 5 -d -i 30 20 -q
calme_rand|||--seed 4 -i 12 9 -d --rand -q --pas 5
# -g without a reachable display (none, empty, unreachable): the text display, the reason said.
repli_sans_display|unset DISPLAY|quit\n|--seed 1 -g -d
repli_display_vide|export DISPLAY=|quit\n|--seed 1 -g -d
repli_display_4242|export DISPLAY=:4242|quit\n|--seed 1 -g -d
# Parameters: a default value changes nothing; set at start, from a file with a --param over it,
# or at the prompt, the same run; kept by a save (version 2, version 1 for a default run) and
# resumed; named at the head of the CSV file; refused naming them, no file touched (a value's
# own refusals are unit tests of the model, test_modele.cpp).
param_defaut||cont 5\nstats\nquit\n|--seed 4 -i 12 9 --param besoin_eau=10 --stats b.csv
param_depart||cont 40\nstats\nsauver d.json\nquit\n|--seed 4 -i 12 9 -q --param chance_epidemie=3000 --param besoin_vegetale=3 --stats c.csv
param_fichier|echo '{"chance_epidemie": 3000, "besoin_vegetale": 7}' > bons.json|cont 40\nsauver j.json\nquit\n|--seed 4 -i 12 9 -q --params bons.json --param besoin_vegetale=3
param_invite||param chance_epidemie 3000\nparam besoin_vegetale 3\ncont 40\nstats\nsauver e.json\nquit\n|--seed 4 -i 12 9 -q
param_v1||sauver v1.json\ncharger v1.json\ncont 40\nsauver i.json\nquit\n|--seed 4 -i 12 9 -q
param_reprise|cp ../param_depart/d.json .|param chance_epidemie\ncont 20\nsauver f.json\nquit\n|--charger d.json -q
param_invite_refus||param besoin_eau 0\nparam besoin_eau\nparam tribu2_regime 1\nparam nulle 3\nparam croissance 120 5\nparam\nquit\n|--seed 4 -q
param_tribu0||stats\nquit\n|--seed 4 -i 20 20 -q --param tribu0_unites=2 --param tribu0_habitants=40 --param tribu0_regime=2
param_refus_deux_fois|echo precieux > k.csv||--seed 1 --pas 1 --stats k.csv --param croissance=120 --param croissance=130
param_refus_json_deux_fois|echo precieux > k.csv; echo '{"besoin_eau": 8, "besoin_eau": 9}' > p.json||--seed 1 --pas 1 --stats k.csv --params p.json
param_refus_json_reel|echo precieux > k.csv; echo '{"besoin_eau": 8.5}' > p.json||--seed 1 --pas 1 --stats k.csv --params p.json
param_refus_json_hors|echo precieux > k.csv; echo '{"capacite_bas": 100000}' > p.json||--seed 1 --pas 1 --stats k.csv --params p.json
param_refus_json_inconnu|echo precieux > k.csv; echo '{"inconnu": 1}' > p.json||--seed 1 --pas 1 --stats k.csv --params p.json
param_refus_json_liste|echo precieux > k.csv; echo '[1, 2]' > p.json||--seed 1 --pas 1 --stats k.csv --params p.json
param_refus_json_coupe|echo precieux > k.csv; echo '{"besoin_eau": 8' > p.json||--seed 1 --pas 1 --stats k.csv --params p.json
param_refus_json_absent|echo precieux > k.csv||--seed 1 --pas 1 --stats k.csv --params absent.json
param_refus_charger|echo precieux > k.csv||--seed 1 --pas 1 --stats k.csv --charger d.json --param besoin_eau=8
# A plan of two factors × three seeds played by one process: its measures and summary.
experience_plan|cp "$SOURCES/tests/e2e/lib/plan.json" ../plan_essais.json||--experience ../plan_essais.json -j 1 --resultats .
# The most inhabitants a unit reaches between steps, 750, in a save the program writes: read back.
sauvegarde_750||cont 92\nsauver s750.json\ncharger s750.json\nquit\n|--seed 12 -q -i 30 20 --rand
FIN

terminer
