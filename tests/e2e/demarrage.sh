#!/usr/bin/env bash
# Start-up and end of the program: quit at the first prompt, end of input, both logs, the
# graphics fall-back.
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

# -d: both logs, the generation trace ending with its last line before the placement.
printf 'quit\n' | timeout 60 "$BIN" --seed 5 -d -i 30 20 > /dev/null
attendre_egal "statut avec -d" 0 $?
[ -f error.log ] || echec "error.log absent"
sed -E 's/^Debug - [0-9]{2}:[0-9]{2}:[0-9]{2}:[0-9]+ - //' debug.log > messages.txt
attendre_egal "premiere ligne du journal" "main - On crée la table des civilisations" "$(head -n 1 messages.txt)"
attendre_egal "derniere ligne du journal" "main - Fermeture des fichiers de debug et d'erreur..." "$(tail -n 1 messages.txt)"
avant=$(grep -B1 -xF 'main - On positionne les unités' messages.txt | head -n 1)
attendre_egal "fin de la generation" "creer_carte : termine" "$avant"
attendre_egal "init_carte couvre 600 cases" 600 "$(grep -c '^init_carte:en ' messages.txt)"
grep -qvE '^(Debug - [0-9:]+ - |[^D]|$)' debug.log && echec "enregistrement mal forme dans debug.log"

# A second run empties the logs.
printf 'quit\n' | timeout 60 "$BIN" --seed 6 -d -i 2 2 > /dev/null
attendre_egal "un seul debut par journal" 1 "$(grep -c 'main - On crée la table des civilisations' debug.log)"

# -g without an X display: the program says so and goes on in text mode.
printf 'quit\n' | env -u DISPLAY timeout 20 "$BIN" -g -d > sortie.txt 2> erreurs.txt
attendre_egal "statut de -g" 0 $?
grep -q 'Retour au mode texte' error.log || echec "-g: ligne de repli absente de error.log"
grep -q "init_opengl - Impossible de joindre l'affichage X" error.log || echec "-g: cause absente de error.log"
grep -q 'OpenGL' erreurs.txt || echec "-g: pas de message sur la sortie d'erreur"
[ "$(tail -c 1 sortie.txt)" = ">" ] || echec "-g: pas d'invite en mode texte"

# The shipped help file lists every command, four a line, and answers for each of them.
printf 'help\nhelp cont\nhelp pro_mode\nquit\n' | timeout 20 "$BIN" --seed 1 > aide.txt
sed -n '/^Autres commandes:$/,/^Fin de l.aide$/p' aide.txt > liste.txt
attendre_egal "liste de l'aide" "$(printf 'Autres commandes:\nansi\tcont\tbold\tquit\naffich\texit\trefresh\tclear\nhour\tinter\tpview\tshow\npro_mode\ttrace\tgraine\tmini\nstats\tcourbe\tsauver\tcharger\nhelp\nFin de l%saide' "'")" "$(cat liste.txt)"
grep -q 'Aide sur cont:$' aide.txt || echec "pas d'aide pour cont"
grep -qxF -- '------------------' aide.txt || echec "titre de pro_mode mal souligne"
grep -q 'Commande non trouv' aide.txt && echec "une commande manque dans aide.dat"

terminer
