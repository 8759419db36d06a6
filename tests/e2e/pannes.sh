#!/usr/bin/env bash
# What the file system and the standard streams refuse: logs that cannot be opened or written,
# standard output full, closed early or closed at start, help files and saves that are not plain
# files, outputs aimed at links, FIFOs, devices or another output of the run, signals (a closed
# terminal, a run stuck on a pipe nobody reads), a run killed at the prompt. Each case: exit
# status, standard error, what is kept.
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

# R <options>: the program within ten seconds (a hang fails the case instead of holding the
# test), its memory bounded when the build starts under a bound (a sanitizer build does not): a
# read without end fails the case instead of filling the machine.
LIMITE=
(ulimit -v 1000000 && "$BIN" --help > /dev/null 2>&1) && LIMITE=1000000
R() {
  (
    [ -z "$LIMITE" ] || ulimit -v "$LIMITE"
    exec timeout -k 1 10 "$BIN" --seed 4 -i 12 9 "$@"
  )
  echo $? > rc.txt
}
PAS_ORDINAIRE="pas un fichier ordinaire"

# Saves that are not regular files, at start and at the prompt: refused at once by what they are,
# never an open that waits for a writer nor a read without end; at the prompt the world stays.
printf 'charger cible\ncont\nquit\n' > entree.txt
for genre in fifo zero dossier; do
  case $genre in
    fifo) prep='mkfifo cible'; nature='un tube nommé (FIFO)' ;;
    zero) prep='ln -s /dev/zero cible'; nature='un périphérique' ;;
    dossier) prep='mkdir cible'; nature='un dossier' ;;
  esac
  refus="impossible de lire cible : c'est $nature, $PAS_ORDINAIRE"
  cas "charger_$genre" 2 "pangaeolith : sauvegarde refusée (cible) : $refus" "$prep; R --charger cible --pas 1"
  cas "invite_charger_$genre" 0 "" "$prep; R > sortie.txt"
  grep -qF ">Sauvegarde refusée : $refus" c/sortie.txt || echec "invite_charger_$genre: refus absent"
  grep -q '^Legende' c/sortie.txt || echec "invite_charger_$genre: pas de carte après le refus"
done
# A save larger than the memory left: refused with the reason, not a crash.
if [ -n "$LIMITE" ]; then
  LIMITE=200000 cas charger_trop_gros 2 \
    "pangaeolith : sauvegarde refusée (gros.json) : impossible de lire gros.json : mémoire insuffisante pour ses 262144000 octets" \
    'truncate -s 250M gros.json; R --charger gros.json --pas 1'
else
  echo "cas charger_trop_gros sauté : cette construction ne démarre pas sous une limite de mémoire"
fi

# A refused start writes nothing: the CSV file it names stays byte for byte, no log is created.
printf 'précieux\n' > precieux.csv
cas depart_refuse 2 \
  "pangaeolith : sauvegarde refusée (absent.json) : impossible de lire absent.json : No such file or directory" \
  "cp ../precieux.csv k.csv; P -d --stats k.csv --charger absent.json --pas 2"
garde depart_refuse k.csv precieux.csv
[ -e c/debug.log ] || [ -e c/error.log ] && echec "depart_refuse: journal créé par un départ refusé"
cas csv_refuse 2 "pangaeolith : --stats : impossible d'écrire dans tube : c'est un tube nommé (FIFO), $PAS_ORDINAIRE" \
  'mkfifo tube; R -d --stats tube --pas 2'
[ -e c/debug.log ] && echec "csv_refuse: debug.log créé par un départ refusé"

# Outputs aimed at what is not a plain file: a link is followed and kept, the target written; a
# FIFO or a copy of /dev/null is refused and stays; a private file stays private. For sauver and
# courbe at the prompt, and for the CSV of --stats (a FIFO nobody reads refused at once).
for sortie in sauver courbe stats; do
  for genre in lien fifo nul prive; do
    nom="${sortie}_$genre"
    case $genre in
      lien) prep='echo ancien > vraie; ln -s vraie cible' ;;
      fifo) prep='mkfifo cible' ;;
      nul) [ "$(id -u)" -eq 0 ] || { echo "cas $nom sauté : mknod demande root"; continue; }
        prep='mknod cible c 1 3' ;;
      prive) prep='echo ancien > cible; chmod 600 cible' ;;
    esac
    case $genre in
      fifo) nature='un tube nommé (FIFO)' ;;
      nul) nature='un périphérique' ;;
      *) nature= ;;
    esac
    refus=
    [ -z "$nature" ] || refus="impossible d'écrire dans cible : c'est $nature, $PAS_ORDINAIRE"
    if [ "$sortie" = stats ]; then
      cas "$nom" "$([ -n "$refus" ] && echo 2 || echo 0)" "${refus:+pangaeolith : --stats : $refus}" \
        "$prep; R --stats cible --pas 2 > sortie.txt"
    else
      printf '%s cible\nquit\n' "$sortie" > entree.txt
      cas "$nom" 0 "" "$prep; R > sortie.txt"
      if [ -n "$refus" ]; then
        grep -qF "$refus" c/sortie.txt || echec "$nom: refus absent"
      else
        grep -qE '^>(Monde sauvegardé|Courbe des habitants écrite) dans cible' c/sortie.txt ||
          echec "$nom: pas écrit"
      fi
    fi
    case $genre in
      lien) [ -L c/cible ] || echec "$nom: le lien a été remplacé"
        grep -q -e pangaeolith-sauvegarde -e '<svg' -e '^pas,code' c/vraie || echec "$nom: cible du lien non écrite" ;;
      fifo) [ -p c/cible ] || echec "$nom: le tube a été remplacé" ;;
      nul) [ -c c/cible ] || echec "$nom: le périphérique a été remplacé" ;;
      prive) attendre_egal "$nom: droits" 600 "$(stat -c %a c/cible)"
        grep -q ancien c/cible && echec "$nom: fichier non écrit" ;;
    esac
    [ -z "$(find c -name '*.tmp-*')" ] || echec "$nom: fichier temporaire laissé"
  done
done

# An output that is another output of the run is refused, the other one kept whole: the CSV on
# the debug log or on standard output sent to a file, a chart on the debug log, a save on the
# error log.
cas stats_sur_debug 2 "pangaeolith : --stats : impossible d'écrire dans debug.log : c'est déjà le journal de debug de cette partie" \
  'echo ancien > debug.log; P -d --stats debug.log --pas 2'
attendre_egal "stats_sur_debug: debug.log" ancien "$(cat c/debug.log)"
cas stats_sur_sortie 2 "pangaeolith : --stats : impossible d'écrire dans sortie.txt : c'est déjà la sortie standard de cette partie" \
  'P --stats sortie.txt --pas 2 > sortie.txt'
# A log that is standard output sent to it, or a FIFO that nobody reads: that log is not opened
# (status 4), never emptied nor waited on; the run goes on.
printf 'cont\nquit\n' > entree.txt
cas debug_sortie 4 "pangaeolith : debug.log $NOUV (c'est déjà la sortie standard de cette partie) : $INCOMPLET" \
  'R -d > debug.log'
grep -q '^Legende' c/debug.log || echec "debug_sortie: la carte manque à la sortie standard"
grep -q '^Debug - ' c/debug.log && echec "debug_sortie: journal écrit dans la sortie standard"
cas debug_fifo 4 "pangaeolith : debug.log $NOUV (c'est un tube nommé (FIFO) que personne ne lit) : $INCOMPLET" \
  'mkfifo debug.log; R -d > sortie.txt'
[ -p c/debug.log ] || echec "debug_fifo: le tube a été remplacé"
printf 'courbe debug.log\nsauver error.log\ncont\nquit\n' > entree.txt
cas sorties_sur_journaux 0 "" 'P -d > sortie.txt'
grep -qF ">Courbe non écrite : impossible d'écrire dans debug.log : c'est déjà le journal de debug de cette partie" \
  c/sortie.txt || echec "sorties_sur_journaux: courbe non refusée"
grep -qF ">Sauvegarde impossible : impossible d'écrire dans error.log : c'est déjà le journal d'erreurs de cette partie" \
  c/sortie.txt || echec "sorties_sur_journaux: sauvegarde non refusée"
attendre_egal "sorties_sur_journaux: fin de debug.log" "main - Fermeture des fichiers de debug et d'erreur..." \
  "$(tail -n 1 c/debug.log | sed -E 's/^Debug - [0-9:]+ - //')"
attendre_egal "sorties_sur_journaux: error.log" "interpret - sauver - impossible d'écrire dans error.log : c'est déjà le journal d'erreurs de cette partie" \
  "$(tail -n 1 c/error.log | sed -E 's/^Error - [0-9:]+ - //')"

# SIGHUP (a closed terminal, a dropped connection) during a long cont: the run ends as on
# SIGTERM, both logs closed whole.
rm -rf c && mkdir c && cd c && mkfifo entree || exit 1
timeout -k 1 60 "$BIN" -d --seed 4 -i 30 30 < entree > sortie.txt &
programme=$!
exec 3> entree
printf 'cont 5000\n' >&3
sleep 1
kill -HUP "$programme"
wait "$programme"
attendre_egal "raccrochage: statut" 0 "$?"
exec 3>&-
attendre_egal "raccrochage: fin de debug.log" "main - Fermeture des fichiers de debug et d'erreur..." \
  "$(tail -n 1 debug.log | sed -E 's/^Debug - [0-9:]+ - //')"
grep -qvE '^(Debug - [0-9:]+ - |[^D]|$)' debug.log && echec "raccrochage: enregistrement coupé"
grep -q '^cont interrompu : [0-9]* pas joués sur 5000\.$' sortie.txt || echec "raccrochage: cont non arrêté"
cd "$TRAVAIL" || exit 1

# A run stuck writing to a pipe that nobody reads: SIGTERM is noted, a second one ends the
# process at once (status of a process killed by SIGTERM).
rm -rf c && mkdir c && cd c && mkfifo tube || exit 1
sleep 60 < tube &
lecteur=$!
"$BIN" --seed 4 -i 100 100 --pas 100000 > tube &
programme=$!
sleep 2
kill -TERM "$programme"
sleep 0.5
kill -TERM "$programme"
for _ in $(seq 50); do
  kill -0 "$programme" 2> /dev/null || break
  sleep 0.1
done
if kill -0 "$programme" 2> /dev/null; then
  echec "deux_sigterm: le programme bloqué tourne encore"
  kill -KILL "$programme"
fi
wait "$programme" 2> /dev/null
attendre_egal "deux_sigterm: statut" 143 "$?"
kill "$lecteur" 2> /dev/null
wait "$lecteur" 2> /dev/null
cd "$TRAVAIL" || exit 1

# -q with drawn tribes: nothing at all on standard output, the debug log as without -q.
cas rand_calme 0 "" 'P -d --rand -q --pas 5 > sortie.txt; mv debug.log calme.log; P -d --rand --pas 5 > /dev/null'
[ -s c/sortie.txt ] && echec "rand_calme: $(wc -l < c/sortie.txt) lignes écrites malgré -q"
masquer() { sed -E 's/[0-9]{2}:[0-9]{2}:[0-9]{2}:[0-9]+/HH/; s/0x[0-9a-f]+/0xADR/g' "$1"; }
cmp -s <(masquer c/calme.log) <(masquer c/debug.log) || echec "rand_calme: debug.log change avec -q"

# bold left on: reset before the end on a terminal (the shell's next line is not bold), nothing
# added to a pipe (the output ends with the last prompt).
printf 'bold 1\nquit\n' > entree.txt
cas gras_tube 0 "" 'P -a > sortie.txt'
attendre_egal "gras_tube: fin de la sortie" "$(printf '\033[1m>')" "$(tail -c 5 c/sortie.txt)"
if command -v tmux > /dev/null; then
  SOCKET="pangaeolith-pannes-$$"
  tmux -L "$SOCKET" new-session -d -s gras -x 100 -y 30 \
    "cd '$TRAVAIL' && '$BIN' -a --seed 3 -i 3 3; echo FIN-\$?; sleep 60"
  ecran() { tmux -L "$SOCKET" capture-pane -p -e -t gras; }
  for _ in $(seq 100); do ecran | grep -q '^>' && break; sleep 0.1; done
  tmux -L "$SOCKET" send-keys -t gras "bold 1" Enter
  for _ in $(seq 100); do ecran | grep -q 'Passage au mode lumineux' && break; sleep 0.1; done
  tmux -L "$SOCKET" send-keys -t gras "quit" Enter
  for _ in $(seq 100); do ecran | grep -q 'FIN-' && break; sleep 0.1; done
  ecran | grep -q 'FIN-0' || echec "gras_terminal: pas de fin avec le statut 0"
  # With its attributes on, a line that follows a bold one without an escape is bold as well.
  ecran | tr -d '\n' | grep -qa "$(printf '\033')\[1m[^$(printf '\033')]*FIN-" &&
    echec "gras_terminal: le terminal reste en gras après quit"
  tmux -L "$SOCKET" kill-server
else
  echo "cas gras_terminal sauté : tmux absent"
fi

terminer
