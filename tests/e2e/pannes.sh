#!/usr/bin/env bash
# What the file system and the standard streams refuse: logs that cannot be opened or written,
# standard output full, closed early or closed at start, help files that are not plain files, a
# run killed at the prompt. Each case: exit status, standard error, what is kept.
source "$(dirname "$0")/lib/commun.sh" "$@"

printf 'cont\nhelp cont\ncont 3\nquit\n' > entree.txt
"$BIN" --seed 4 -i 12 9 < entree.txt > reference.txt
OUV="Erreur à l'ouverture du fichier de debug !!"
NOUV="ne peut pas être ouvert"
INCOMPLET="la trace est incomplète."

# P <options>: the program, its status kept in rc.txt.
P() {
  timeout -k 5 60 "$BIN" --seed 4 -i 12 9 "$@"
  echo $? > rc.txt
}

# cas <name> <status> <exact standard error> <commands run in an empty folder>
cas() {
  rm -rf c && mkdir c && cp aide.dat c/ && cd c || exit 1
  eval "$4" < "$TRAVAIL/entree.txt" 2> err.txt
  attendre_egal "$1: statut" "$2" "$(cat rc.txt)"
  attendre_egal "$1: erreurs" "$3" "$(cat err.txt)"
  cd "$TRAVAIL" || exit 1
}
# garde <name> <file of c/> <expected content file>
garde() { cmp -s "c/$2" "$3" || echec "$1: c/$2 differe de $3"; }

cas sortie_pleine 3 "pangaeolith : la sortie standard n'a pas pu être écrite (No space left on device)." \
  'P -d > /dev/full'
grep -q "Erreur à l'affichage de la carte" c/error.log || echec "sortie_pleine: error.log"
cas aide_sortie_pleine 3 "pangaeolith : la sortie standard n'a pas pu être écrite (No space left on device)." \
  'P --help > /dev/full'
# A reader that went away (maps larger than a pipe holds): a normal end, both logs closed whole.
cas lecteur_parti 0 "" 'P -d -i 60 60 | head -c 100 > /dev/null'
attendre_egal "lecteur_parti: fin de debug.log" "main - Fermeture des fichiers de debug et d'erreur..." \
  "$(tail -n 1 c/debug.log | sed -E 's/^Debug - [0-9:]+ - //')"
# ... and a long cont stops at the step in which its reader left, not at the end of its steps.
cas cont_lecteur_parti 0 "" 'printf "cont 10000\nquit\n" | P -d -i 30 20 | head -c 100 > /dev/null'
pas=$(grep -c 'bcleprincip - On va jouer la guerre' c/debug.log)
[ "$pas" -lt 100 ] || echec "cont_lecteur_parti: $pas pas joués après le départ du lecteur"
cas lot_lecteur_parti 0 "" 'P --pas 100000000 | head -c 100 > /dev/null'

# Logs that cannot be opened: the message, no pause on a piped input (cont stays cont).
cas debug_repertoire 4 "pangaeolith : debug.log $NOUV (Is a directory) : $INCOMPLET" \
  'mkdir debug.log; P -d > sortie.txt'
{ echo "$OUV"; cat reference.txt; } > attendu.txt
garde debug_repertoire sortie.txt attendu.txt
[ -s c/error.log ] || echec "debug_repertoire: error.log vide"
cas deux_repertoires 4 "pangaeolith : debug.log $NOUV (Is a directory) : $INCOMPLET
pangaeolith : error.log $NOUV (Is a directory) : $INCOMPLET" \
  'mkdir debug.log error.log; P -d > sortie.txt'
{ echo "$OUV"; echo "$OUV"; cat reference.txt; } > attendu.txt
garde deux_repertoires sortie.txt attendu.txt
if [ "$(id -u)" -ne 0 ]; then
  cas lecture_seule 4 "pangaeolith : debug.log $NOUV (Permission denied) : $INCOMPLET
pangaeolith : error.log $NOUV (Permission denied) : $INCOMPLET" \
    'chmod 555 .; P -d > ../sortie.txt; chmod 755 .'
else
  echo "cas lecture_seule sauté : root écrit dans un répertoire en lecture seule"
fi
# A log that fills up: said once, the rest of the run unchanged.
cas debug_plein 4 "pangaeolith : debug.log n'a pas pu être écrit (No space left on device) : $INCOMPLET" \
  'ln -s /dev/full debug.log; P -d > sortie.txt'
garde debug_plein sortie.txt reference.txt

# Closed standard streams: /dev/null takes their place, never a log.
cas sorties_fermees 0 "" 'DISPLAY= P -d -g >&- 2>&-'
attendre_egal "sorties_fermees: carte ou erreurs dans debug.log" 0 \
  "$(grep -c -e Legende -e 'Affichage OpenGL indisponible' c/debug.log)"
cas entree_fermee 0 "" 'P <&- > sortie.txt'
attendre_egal "entree_fermee: invite" ">" "$(tail -c 1 c/sortie.txt)"
cas erreur_fermee 0 "" 'P 2>&- > sortie.txt'
garde erreur_fermee sortie.txt reference.txt

# Help files: read-only is read; a FIFO, a device, a folder are refused at once; a huge entry is cut.
printf 'help cont\nquit\n' > entree.txt
for genre in lecture_seule fifo zero dossier enorme; do
  case $genre in
    lecture_seule) prep='chmod 444 aide.dat'; motif='Aide sur cont:$' ;;
    fifo) prep='rm aide.dat; mkfifo aide.dat'; motif="$NOUV" ;;
    zero) prep='rm aide.dat; ln -s /dev/zero aide.dat'; motif="$NOUV" ;;
    dossier) prep='rm aide.dat; mkdir aide.dat'; motif="$NOUV" ;;
    enorme) prep="{ echo @cont; head -c 3000000 /dev/zero | tr '\\0' x; } > aide.dat"
      motif="^L'aide est coupée : le fichier d'aide est lu sur 1 Mio au plus.$" ;;
  esac
  cas "aide_$genre" 0 "" "$prep; P > sortie.txt"
  grep -q -- "$motif" c/sortie.txt || echec "aide_$genre: [$motif] absent"
done

# Killed at the prompt: the trace of every command already run is on disk.
rm -rf c && mkdir c && cd c && mkfifo entree || exit 1
"$BIN" -d -i 5 5 < entree > /dev/null &
programme=$!
exec 3> entree
printf 'cont 2\n' >&3
sleep 2
{
  kill -KILL "$programme"
  wait "$programme"
} 2> /dev/null
exec 3>&-
attendre_egal "tue: dernier enregistrement" "console - trouver_param - Nouvelle ligne de commande : cont 2" \
  "$(grep 'trouver_param' debug.log | tail -n 1 | sed -E 's/^Debug - [0-9:]+ - //')"
grep -q "bcle_princip - on affiche le prompt" <(tail -n 1 debug.log) || echec "tue: invite absente"
cd "$TRAVAIL" || exit 1

terminer
