# Shared by the end-to-end scripts: arguments, a scratch directory, assertions, a terminal.
# Usage in a script: source "$(dirname "$0")/lib/commun.sh" "$@"
set -u
BIN=$(realpath "$1")
SOURCES=$(realpath "$2")
TRAVAIL=$(mktemp -d)
SOCKET="pangaeolith-e2e-$$"
trap 'tmux -L "$SOCKET" kill-server 2> /dev/null; rm -rf "$TRAVAIL"' EXIT
cd "$TRAVAIL"
cp "$SOURCES/aide.dat" .
ECHECS=0

echec() { echo "ECHEC: $*" >&2; ECHECS=$((ECHECS + 1)); }

# attendre_egal <description> <attendu> <obtenu>
attendre_egal() { [ "$2" = "$3" ] || echec "$1: attendu [$2], obtenu [$3]"; }

# refus <status> <text expected on standard error> <arguments...>: the program with these
# arguments (no input, at most a minute) ends with that status and says that text.
refus() {
  local statut=$1 texte=$2
  shift 2
  timeout -k 5 60 "$BIN" "$@" < /dev/null > sortie.txt 2> err.txt
  attendre_egal "$*: statut" "$statut" "$?"
  grep -qF -- "$texte" err.txt || echec "$*: attendu « $texte », obtenu « $(head -c 300 err.txt) »"
}

# journal_complet <name> <debug log>: the log ends with its closing record and no record is cut.
journal_complet() {
  attendre_egal "$1: fin de $2" "main - Fermeture des fichiers de debug et d'erreur..." \
    "$(tail -n 1 "$2" | sed -E 's/^Debug - [0-9:]+ - //')"
  ! grep -qvE '^(Debug - [0-9:]+ - |[^D]|$)' "$2" || echec "$1: enregistrement coupé dans $2"
}

# A real terminal through tmux: terminal <session> <columns> <lines> <command> opens it (the
# command run in the scratch directory, then "FIN-<status>"); ecran shows it; attendre
# <pattern> <failure> waits (twenty seconds at most) for a line matching the pattern (grep -E).
SESSION=
terminal() {
  SESSION=$1
  tmux -L "$SOCKET" new-session -d -s "$1" -x "$2" -y "$3" "cd '$TRAVAIL' && $4; echo FIN-\$?; sleep 60"
}
t() { tmux -L "$SOCKET" "$@"; }
ecran() { t capture-pane -p "$@" -t "$SESSION"; }
attendre() {
  for _ in $(seq 200); do
    ecran | grep -qE -- "$1" && return 0
    sleep 0.1
  done
  echec "$2"
  ecran >&2
  return 1
}

# taper <keys...> <pattern> <failure>: sends the keys to the terminal, then waits for the pattern.
taper() {
  t send-keys -t "$SESSION" "${@:1:$#-2}"
  attendre "${@: -2:1}" "${@: -1}"
}

terminer() { [ "$ECHECS" -eq 0 ] || { echo "$ECHECS echec(s)" >&2; exit 1; }; echo "ok"; }
