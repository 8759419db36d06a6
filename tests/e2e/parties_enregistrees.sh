#!/usr/bin/env bash
# Recorded whole runs: fixed-seed runs of the real program whose standard output, error output,
# status, logs (times and addresses masked) and written files must equal, line by line, the
# files recorded under attendu/parties/. Together they go through every rule family: world
# generation, map update, placement, feeding, milieu, deployment, epidemics, colonisation,
# behaviour, war, both tribe tables, both maps in plain and ANSI mode, the commands, the CSV, the
# chart and a save. ENREGISTRER=1 rewrites the recordings (after a deliberate change only).
source "$(dirname "$0")/lib/commun.sh" "$@"
ATTENDU=$SOURCES/tests/e2e/attendu/parties

# partie <name> <commands> <arguments...>: one run in a fresh folder, then its files compared;
# recordings of more than 200 kB are kept compressed.
partie() {
  local nom=$1 commandes=$2 f base attendu
  shift 2
  mkdir "$nom" && cp aide.dat "$nom/" && { [ ! -f a_charger.json ] || mv a_charger.json "$nom/"; }
  (cd "$nom" && printf '%b' "$commandes" | timeout 120 "$BIN" "$@" > sortie 2> erreurs
    echo "statut $?" >> erreurs)
  rm -f "$nom/aide.dat" "$nom/a_charger.json"
  for f in "$nom"/*; do
    base=${f##*/} attendu=$ATTENDU/$nom.${f##*/}
    # A chart is a well-formed SVG document with one line per tribe.
    [[ $base != *.svg ]] || { xmllint --noout "$f" && [ "$(grep -c '<polyline id="tribu-' "$f")" -eq 9 ]; } ||
      echec "$nom: $base n'est pas du XML à neuf courbes"
    sed -E 's/[0-9]{2}:[0-9]{2}:[0-9]{2}:[0-9]+/HH:MM:SS:ms/g; s/0x[0-9a-f]+/0xADR/g' "$f" > "$f.masque"
    if [ -n "${ENREGISTRER:-}" ]; then
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

terminer
