#!/usr/bin/env bash
# Save and restore through the real binary: N steps, "sauver", a new process started with
# --charger, M steps, give the same standard output, debug and error logs, maps, CSV lines and
# chart as one run of N + M steps; refused saves leave the world as it was.
source "$(dirname "$0")/lib/commun.sh" "$@"

# Debug log records without their time and with addresses masked, from the line that reads the
# command given ($2) once a first step has been played ($3 = 1) or at its first reading ($3 = 0).
journal_depuis() {
  sed -E 's/^(Debug|Error) - [0-9:]+ - //; s/0x[0-9a-f]+/PTR/g' "$1" |
    awk -v m="console - trouver_param - Nouvelle ligne de commande : $2" -v apres_pas="$3" \
      '/^bcleprincip - Mise/ { pas = 1 } (pas || !apres_pas) && index($0, m) == 1 { vu = 1 } vu'
}
sans_heure() { sed -E 's/^(Debug|Error) - [0-9:]+ - //; s/0x[0-9a-f]+/PTR/g' "$1"; }

# graine, columns, rows, N, M, extra option
while read -r graine x y n m extra; do
  cas="graine $graine, $x x $y $extra, $n + $m pas"
  rm -rf entier avant apres && mkdir entier avant apres
  (cd entier && printf 'cont %d\ncont %d\ncourbe c.svg\nquit\n' "$n" "$m" |
    timeout 120 "$BIN" --seed "$graine" -d -i "$x" "$y" $extra --stats s.csv > sortie.txt 2> err.txt)
  attendre_egal "$cas: statut sans interruption" 0 $?
  (cd avant && printf 'cont %d\nsauver monde.json\nquit\n' "$n" |
    timeout 120 "$BIN" --seed "$graine" -d -i "$x" "$y" $extra --stats s.csv > sortie.txt 2> err.txt)
  attendre_egal "$cas: statut avant la sauvegarde" 0 $?
  grep -q "Monde sauvegardé dans monde.json (pas $n)" avant/sortie.txt || echec "$cas: pas de sauvegarde"
  # The restored run: another folder, no --seed, no --dim; the save says everything.
  cp avant/monde.json apres/
  (cd apres && printf 'cont %d\ncourbe c.svg\nquit\n' "$m" |
    timeout 120 "$BIN" -d --charger monde.json --stats s.csv > sortie.txt 2> err.txt)
  attendre_egal "$cas: statut apres reprise" 0 $?

  # Standard output: the uninterrupted run is the first run up to its save, then the second.
  prefixe=$(sed '/^>Monde sauvegardé dans/,$d' avant/sortie.txt | wc -c)
  # (the restored run starts with the text display's blank lines, as every run does)
  tail -c +"$((prefixe + 1))" entier/sortie.txt | cmp -s - <(sed -n '/[^[:space:]]/,$p' apres/sortie.txt) ||
    echec "$cas: sortie differente apres la reprise"
  [ -s entier/err.txt ] || [ -s apres/err.txt ] && echec "$cas: messages sur la sortie d'erreur"
  # Debug log from the command that plays the M steps; error log as the two halves.
  cmp -s <(journal_depuis entier/debug.log "cont $m" 1) <(journal_depuis apres/debug.log "cont $m" 0) ||
    echec "$cas: journal de debug different apres la reprise"
  [ "$(journal_depuis apres/debug.log "cont $m" 0 | wc -l)" -gt 100 ] || echec "$cas: journal trop court"
  cat <(sans_heure avant/error.log) <(sans_heure apres/error.log) | cmp -s - <(sans_heure entier/error.log) ||
    echec "$cas: journal d'erreurs different"
  # CSV: the first run's lines, then the restored run's lines after the restored step.
  cat avant/s.csv <(awk -F, -v n="$n" 'NR > 1 && $1 > n' apres/s.csv) | cmp -s - entier/s.csv ||
    echec "$cas: fichiers CSV differents"
  [ "$(wc -l < entier/s.csv)" -gt "$((n + m))" ] || echec "$cas: fichier CSV trop court"
  cmp -s entier/c.svg apres/c.svg || echec "$cas: courbes differentes"
done <<'CAS'
5 30 20 20 30
7 1 1 3 4
42 5 4 1 2
3 7 5 25 15 --rand
11 100 100 3 2 --rand
19 100 100 2 3
CAS

# Refused saves: damaged, empty, foreign, newer; the world in memory stays as it was.
printf 'cont 6\nsauver bon.json\nquit\n' | timeout 60 "$BIN" --seed 9 -i 12 8 > /dev/null
head -c 500 bon.json > tronque.json
: > vide.json
printf '{"nom": "autre"}\n' > etranger.json
sed 's/"version":1/"version":2/' bon.json > recente.json
sed 's/"pas":6/"pas":7/' bon.json > alteree.json
for f in tronque vide etranger recente alteree; do
  timeout 20 "$BIN" --charger $f.json --pas 1 > sortie.txt 2> err.txt
  attendre_egal "--charger $f.json: statut" 2 $?
  grep -q "sauvegarde refusée ($f.json)" err.txt || echec "--charger $f.json: pas de message"
  [ -s sortie.txt ] && echec "--charger $f.json: le programme a demarre"
done
grep -q "tronqué" <(timeout 20 "$BIN" --charger tronque.json 2>&1 < /dev/null) || echec "tronque: raison absente"
grep -q "version 2, plus récente" <(timeout 20 "$BIN" --charger recente.json 2>&1 < /dev/null) ||
  echec "recente: raison absente"
grep -q "modifiée ou abîmée" <(timeout 20 "$BIN" --charger alteree.json 2>&1 < /dev/null) ||
  echec "alteree: raison absente"
# In the console: the refusal is said, and the map after it is the map before it.
printf 'affich\nquit\n' | timeout 30 "$BIN" --seed 4 -i 12 8 > sans.txt
printf 'charger tronque.json\naffich\nquit\n' | timeout 30 "$BIN" --seed 4 -i 12 8 > refus.txt
attendre_egal "charger refuse: message" \
  ">Sauvegarde refusée : le fichier est tronqué : il s'arrête au milieu des données" "$(sed -n '/[^[:space:]]/{p;q}' refus.txt)"
grep -v "^>Sauvegarde refusée\|^Le monde en cours reste tel quel" refus.txt | cmp -s - <(cat sans.txt; echo) || echec "charger refuse: la carte a change"
# A save whose folder does not exist: said, and nothing written.
printf 'sauver absent/monde.json\nquit\n' | timeout 20 "$BIN" --seed 4 > sortie.txt
grep -q "Sauvegarde impossible : impossible d'écrire dans absent/monde.json" sortie.txt ||
  echec "sauver dans un dossier absent: pas de message"

terminer
