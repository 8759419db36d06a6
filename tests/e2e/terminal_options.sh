#!/usr/bin/env bash
# The real binary through pipes: a clock seed replayed, quiet steps against the same run, the
# help file from another directory, the graphics fall-back, its own binary as input, a headless
# run stopped by a signal. Usage, refused options, the compact map, quitting at once and the runs
# that go to their end are recorded runs; a signal during a long cont is in pannes.sh.
source "$(dirname "$0")/lib/commun.sh" "$@"

# graine after a clock-seeded run gives the seed that replays the same map.
printf 'cont 3\ngraine\nquit\n' | timeout 30 "$BIN" -i 12 8 > horloge.txt
graine=$(sed -n 's/.*Graine de la partie : \([0-9]*\) .*/\1/p' horloge.txt)
[ -n "$graine" ] || echec "graine n'a rien affiche"
printf 'cont 3\ngraine\nquit\n' | timeout 30 "$BIN" -i 12 8 --seed "$graine" > rejoue.txt
cmp -s horloge.txt rejoue.txt || echec "--seed $graine ne rejoue pas la partie"

# -q: the same run without its turn, war and victory lines (prompts put on lines of their own,
# blank lines set aside); the map, every other line and the debug log unchanged.
for q in "" -q; do mkdir "c$q" && (cd "c$q" && printf 'cont 5\naffich\nquit\n' | timeout 30 "$BIN" --seed 5 -d -i 30 20 $q |
  sed -E 's/^>/>\n/' | grep -v '^$' > sortie.txt && sed -E 's/[0-9:]+ - //; s/0x[0-9a-f]+//g' debug.log > debug.txt); done
grep -vE "^(civ [0-9]+ nom:|  jouer_tour: |X=[0-9]+ Y=|nb=|x1=|unite_en_cours: |guerre: |a_gagne: )" c/sortie.txt |
  cmp -s - c-q/sortie.txt || echec "-q ne retire pas exactement les lignes des pas"
cmp -s c/debug.txt c-q/debug.txt || echec "-q change le journal de debug"
[ "$(wc -l < c/sortie.txt)" -gt "$(wc -l < c-q/sortie.txt)" ] || echec "-q ne retire rien"

# The help file from a directory without aide.dat: the copy next to the executable.
mkdir ailleurs && (cd ailleurs && printf 'help cont\nquit\n' | timeout 20 "$BIN" --seed 1 > aide.txt)
grep -q '^>Aide sur cont:$' ailleurs/aide.txt || echec "aide introuvable hors du repertoire du projet"

# -g without a reachable display starts the text display, says why on standard error and in
# error.log, and ends with status 0.
for affichage in -u '' :4242; do
  if [ "$affichage" = -u ]; then env=(-u DISPLAY); else env=("DISPLAY=$affichage"); fi
  rm -f error.log
  printf 'quit\n' | env "${env[@]}" timeout 20 "$BIN" -g -d > sortie.txt 2> erreurs.txt
  attendre_egal "statut de -g [$affichage]" 0 $?
  grep -q 'Retour au mode texte' error.log || echec "-g [$affichage]: ligne de repli absente de error.log"
  grep -q "init_opengl - Impossible de joindre l'affichage X" error.log || echec "-g [$affichage]: cause absente"
  grep -q 'OpenGL' erreurs.txt || echec "-g [$affichage]: pas de message sur la sortie d'erreur"
  [ "$(tail -c 1 sortie.txt)" = ">" ] || echec "-g [$affichage]: pas d'invite en mode texte"
done

# Input that must neither crash nor hang the program: its own binary read as typed lines.
head -c 300000 "$BIN" > binaire.dat
timeout 60 "$BIN" --seed 2 -i 5 5 < binaire.dat > sortie.txt 2> erreurs.txt
attendre_egal "statut pour une entree binaire" 0 $?

# SIGTERM on a headless run: it stops after a whole step, says so, ends with 1; the CSV has every
# line of every step played, the last one included.
timeout 120 "$BIN" --seed 3 -i 100 100 -q --pas 100000 --stats long.csv > /dev/null 2> err.txt < /dev/null &
pid=$!
for _ in $(seq 100); do [ -f long.csv ] && [ "$(wc -l < long.csv)" -gt 40 ] && break; sleep 0.2; done
kill -TERM $pid
wait $pid
attendre_egal "statut apres SIGTERM" 1 $?
joues=$(sed -n 's/^pangaeolith : arrêt demandé après \([0-9]*\) pas sur 100000\.$/\1/p' err.txt)
[ -n "$joues" ] || echec "SIGTERM: message absent ($(cat err.txt))"
attendre_egal "dernier pas du CSV" "$joues" "$(tail -n 1 long.csv | cut -d, -f1)"
timeout 60 "$BIN" --seed 3 -i 100 100 -q --pas "$joues" --stats court.csv < /dev/null
cmp -s long.csv court.csv || echec "SIGTERM: le CSV n'est pas celui de $joues pas"

terminer
