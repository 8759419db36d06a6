#!/usr/bin/env bash
# Mutation pass: applies each deliberate fault of a table to one source file, rebuilds
# incrementally, runs the whole suite (unit tests first, then the recorded runs and terminal
# scripts, then the real-window tests) until a test fails, and restores the file.
#
#   outils/mutations.sh [-b BUILD] [-o RESULTS] [-t TABLE] [ID...]
#
# BUILD is a configured build folder with the tests (default build-mutations, created in
# Release if missing); RESULTS gets one line per fault: id, CAUGHT / NOT CAUGHT / NO BUILD /
# NOT APPLIED, then the failing tests. With IDs, only those faults run. The sources under src/
# must be committed: the script refuses to start on a modified src/, and puts every file back
# (also when interrupted).
set -u
racine=$(cd "$(dirname "$0")/.." && pwd)
build=$racine/build-mutations
resultats=$racine/mutations.resultats
table=$racine/outils/mutations.tsv
while getopts "b:o:t:" opt; do
  case $opt in
    b) build=$(realpath -m "$OPTARG") ;;
    o) resultats=$(realpath -m "$OPTARG") ;;
    t) table=$(realpath "$OPTARG") ;;
    *) exit 2 ;;
  esac
done
shift $((OPTIND - 1))
cd "$racine"
if ! git diff --quiet HEAD -- src; then
  echo "mutations.sh : src/ a des modifications non validees ; validez-les d'abord." >&2
  exit 2
fi
if [ ! -f "$build/CTestTestfile.cmake" ]; then
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DPANGAEOLITH_TESTS=ON \
    -DPANGAEOLITH_BENCH=OFF > /dev/null || exit 2
fi
cibles=(pangaeolith test_socle test_monde test_population test_regles test_observation test_console
  test_graphique test_controle)
construire() { nice cmake --build "$build" -j2 --target "${cibles[@]}" > "$build/mutation.log" 2>&1; }
construire || { echo "mutations.sh : la version saine ne se construit pas." >&2; exit 2; }

fichier=""
restaurer() { [ -n "$fichier" ] && git checkout -q -- "$fichier"; fichier=""; }
trap 'restaurer; exit 130' INT TERM
trap restaurer EXIT

: > "$resultats"
while IFS=$'\t' read -r id famille fichier_faute script description; do
  case "$id" in '' | \#*) continue ;; esac
  if [ $# -gt 0 ] && ! printf '%s\n' "$@" | grep -qxF "$id"; then continue; fi
  fichier=$fichier_faute
  sed -i -e "$script" "$fichier"
  if git diff --quiet -- "$fichier"; then
    statut="NOT APPLIED"; pris=""
  elif ! construire; then
    statut="NO BUILD"; pris=""
  else
    # No cost data: ctest then runs the tests in their declared order, fast unit tests first.
    rm -f "$build/Testing/Temporary/CTestCostData.txt" "$build/Testing/Temporary/LastTestsFailed.log"
    nice ctest --test-dir "$build" -j2 --stop-on-failure --timeout 300 > "$build/ctest.log" 2>&1
    pris=$(sed -E 's/^[0-9]+://' "$build/Testing/Temporary/LastTestsFailed.log" 2>/dev/null |
      tr '\n' ' ')
    if [ -n "$pris" ]; then statut=CAUGHT; else statut="NOT CAUGHT"; fi
  fi
  restaurer
  printf '%s\t%s\t%s\t%s\t%s\n' "$id" "$famille" "$statut" "$pris" "$description" |
    tee -a "$resultats"
done < "$table"
# The sound sources back in the build, so the folder is ready for the next pass.
construire
