# Shared by the end-to-end scripts: arguments, a scratch directory, assertions.
# Usage in a script: source "$(dirname "$0")/lib/commun.sh" "$@"
set -u
BIN=$(realpath "$1")
SOURCES=$(realpath "$2")
TRAVAIL=$(mktemp -d)
trap 'rm -rf "$TRAVAIL"' EXIT
cd "$TRAVAIL"
cp "$SOURCES/aide.dat" .
ECHECS=0

echec() {
  echo "ECHEC: $*" >&2
  ECHECS=$((ECHECS + 1))
}

# attendre_egal <description> <attendu> <obtenu>
attendre_egal() {
  if [ "$2" != "$3" ]; then
    echec "$1: attendu [$2], obtenu [$3]"
  fi
}

terminer() {
  if [ "$ECHECS" -ne 0 ]; then
    echo "$ECHECS echec(s)" >&2
    exit 1
  fi
  echo "ok"
}
