#!/usr/bin/env bash
# Start-up and end of the program: quit at the first prompt, end of input, logs emptied by a
# second run, the graphics fall-back. The logs' contents and the help are pinned by the recorded
# runs.
source "$(dirname "$0")/lib/commun.sh" "$@"

# "quit" at the first prompt: thirty blank lines from the text display, one prompt, status 0.
printf 'quit\n' | timeout 20 "$BIN" --seed 1 > sortie.txt
attendre_egal "statut de quit" 0 $?
{ printf '\n%.0s' $(seq 30); printf '>'; } > attendu.txt
cmp -s sortie.txt attendu.txt || echec "sortie de quit differente de trente lignes vides et >"
[ -e debug.log ] && echec "debug.log cree sans -d"

# A closed standard input ends the run as if "quit" had been typed.
timeout 20 "$BIN" --seed 1 < /dev/null > sortie.txt
attendre_egal "statut sur entree fermee" 0 $?
cmp -s sortie.txt attendu.txt || echec "entree fermee: sortie inattendue"

# A last line without a line feed is still executed.
printf 'affich' | timeout 20 "$BIN" --seed 1 > sortie.txt
attendre_egal "statut derniere ligne sans fin" 0 $?
grep -q '^Legende : O = Ocean , P = Plaine , C = Colline , M = Montagne$' sortie.txt ||
  echec "la derniere ligne sans fin de ligne n'a pas ete executee"

# A second run empties the logs.
printf 'quit\n' | timeout 60 "$BIN" --seed 6 -d -i 2 2 > /dev/null
attendre_egal "un seul debut par journal" 1 "$(grep -c 'main - On crée la table des civilisations' debug.log)"

# -g without a reachable X display (none named, empty, nobody listening): the program says so
# and goes on in text mode.
for affichage in -u '' :4242; do
  if [ "$affichage" = -u ]; then env=(-u DISPLAY); else env=("DISPLAY=$affichage"); fi
  printf 'quit\n' | env "${env[@]}" timeout 20 "$BIN" -g -d > sortie.txt 2> erreurs.txt
  attendre_egal "statut de -g [$affichage]" 0 $?
  grep -q 'Retour au mode texte' error.log || echec "-g [$affichage]: ligne de repli absente de error.log"
  grep -q "init_opengl - Impossible de joindre l'affichage X" error.log || echec "-g [$affichage]: cause absente"
  grep -q 'OpenGL' erreurs.txt || echec "-g [$affichage]: pas de message sur la sortie d'erreur"
  [ "$(tail -c 1 sortie.txt)" = ">" ] || echec "-g [$affichage]: pas d'invite en mode texte"
done

terminer
