#!/usr/bin/env bash
# The real binary through pipes: a clock seed replayed, quiet steps against the same run, SIGTERM
# with both logs complete, the help file from another directory. Usage, refused options and the
# compact map are pinned by the recorded runs.
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

# SIGTERM during a long cont with -d: the current step ends, both logs are complete.
mkdir terme && cd terme
mkfifo entree
"$BIN" --seed 9 -d -i 60 60 < entree > sortie.txt 2> erreurs.txt &
pid=$!
exec 3> entree
printf 'cont 5000\n' >&3
for _ in $(seq 100); do grep -q 'civ ' sortie.txt 2> /dev/null && break; sleep 0.1; done
kill -TERM "$pid"
wait "$pid"
attendre_egal "statut apres SIGTERM" 0 $?
exec 3>&-
grep -qE '^cont interrompu : [0-9]+ pas joués sur 5000\.$' sortie.txt || echec "SIGTERM: pas de compte des pas"
grep -q '^Legende' sortie.txt && echec "SIGTERM: la carte a ete montree"
attendre_egal "fin de debug.log apres SIGTERM" "main - Fermeture des fichiers de debug et d'erreur..." \
  "$(tail -n 1 debug.log | sed -E 's/^Debug - [0-9:]+ - //')"
grep -qvE '^(Debug - [0-9:]+ - |[^D]|$)' debug.log && echec "SIGTERM: enregistrement coupe dans debug.log"
[ "$(tail -c 1 error.log | od -An -c | tr -d ' ')" = '\n' ] || [ ! -s error.log ] || echec "error.log coupe"
cd ..

# The help file from a directory without aide.dat: the copy next to the executable.
mkdir ailleurs && cd ailleurs
printf 'help cont\nquit\n' | timeout 20 "$BIN" --seed 1 > aide.txt
grep -q '^>Aide sur cont:$' aide.txt || echec "aide introuvable hors du repertoire du projet"
grep -q 'ne peut pas' aide.txt && echec "aide non ouverte hors du repertoire du projet"
cd ..

terminer
