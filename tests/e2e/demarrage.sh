#!/usr/bin/env bash
# The graphics fall-back: -g without a reachable display starts the text display, says why on
# standard error and in error.log, and ends with status 0. Quitting at the first prompt, an input
# that ends at once or without a last line feed, and the logs of one run are recorded runs.
source "$(dirname "$0")/lib/commun.sh" "$@"

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
