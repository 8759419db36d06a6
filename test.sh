#!/usr/bin/env bash
# Installs the missing Debian packages (as root), builds, and runs every test twice: in a normal
# build and in a sanitizer build (AddressSanitizer + UndefinedBehaviorSanitizer), with a short
# soak of the real program and a valgrind run. Then each libFuzzer target runs for a short while
# from its seed corpus.
set -euo pipefail
cd "$(dirname "$0")"

paquets=(cmake make g++ clang libclang-rt-14-dev libgtest-dev libgmock-dev libbenchmark-dev
  libreadline-dev tmux freeglut3-dev libglu1-mesa-dev libx11-dev xvfb xdotool imagemagick
  x11-utils nlohmann-json3-dev libxml2-utils file dpkg-dev parallel valgrind libspdlog-dev python3)
manquants=()
for p in "${paquets[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || manquants+=("$p")
done
# The package manager may be busy: an automatic update at a new machine's first boot, another
# apt. Each apt-get waits while one of its locks is held, ten minutes at most in all, saying who
# holds it, instead of failing at once; any other failure stops here as before.
VERROUS_APT='^/var/lib/dpkg/lock(-frontend)?$|^/var/lib/apt/lists/lock$|^/var/cache/apt/archives/lock$'
fin_attente_apt=$((SECONDS + 600))
verrou_apt() { lslocks -n -r -o COMMAND,PID,PATH 2> /dev/null | awk -v m="$VERROUS_APT" '$3 ~ m'; }
apt_patient() {
  local statut detenteur
  while :; do
    while detenteur=$(verrou_apt) && [ -n "$detenteur" ]; do
      if [ "$SECONDS" -ge "$fin_attente_apt" ]; then
        echo "Le gestionnaire de paquets est encore occupé après 10 minutes d'attente : abandon." >&2
        return 100
      fi
      echo "Le gestionnaire de paquets est occupé ($(echo "$detenteur" | awk '{print $1 " " $2}' | sort -u | paste -sd, -)) : nouvel essai dans 10 s." >&2
      sleep 10
    done
    statut=0
    apt-get -o DPkg::Lock::Timeout=60 "$@" || statut=$?
    # Failed while another program took a lock in between: wait for it again.
    if [ "$statut" -eq 0 ] || [ -z "$(verrou_apt)" ] || [ "$SECONDS" -ge "$fin_attente_apt" ]; then
      return "$statut"
    fi
  done
}
if [ ${#manquants[@]} -gt 0 ]; then
  if [ "$(id -u)" -eq 0 ]; then
    apt_patient update
    DEBIAN_FRONTEND=noninteractive apt_patient install -y --no-install-recommends "${manquants[@]}"
  else
    echo "Paquets manquants. Lancez : sudo apt-get install -y ${manquants[*]}" >&2
    exit 1
  fi
fi

cpus=$(nproc)
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DPANGAEOLITH_TESTS=ON -DPANGAEOLITH_BENCH=ON
cmake --build build -j"$cpus"
ctest --test-dir build --output-on-failure -j"$cpus"
# valgrind memcheck on a 100-step 30 × 20 run: no leak, no error.
outils/valgrind.sh build/pangaeolith
# Each benchmark once, briefly: they build and run (their figures are in docs/performance.md).
build/bench_pangaeolith --benchmark_min_time=0.001 > /dev/null
# The Debian package of the Release build, unpacked and run in a scratch root.
bash tests/paquet.sh build

cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DSANITIZE=ON -DPANGAEOLITH_TESTS=ON
cmake --build build-sanitize -j"$cpus"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-sanitize --output-on-failure -j"$cpus"
# The real program over seeds and map sizes, the world checked after every step.
ASAN_OPTIONS=detect_leaks=1 outils/soak.sh build-sanitize/pangaeolith court

CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=Debug -DPANGAEOLITH_FUZZ=ON \
  -DPANGAEOLITH_TESTS=OFF -DPANGAEOLITH_BENCH=OFF
cmake --build build-fuzz -j"$cpus"
# Each target starts from its seed corpus (fuzz/corpus/<target>, read only) and stops at the first
# fault, which fails the run. The targets run side by side, one a core: each still has its whole
# time, and the run waits for the longest instead of their sum.
fuzzer() {
  local cible=$1 nom corpus statut=0
  nom=$(basename "$cible")
  corpus=$(mktemp -d)
  local graines=()
  [ -d "fuzz/corpus/$nom" ] && graines=("fuzz/corpus/$nom")
  "$cible" -max_total_time="${FUZZ_SECONDES:-20}" -print_final_stats=0 "$corpus" \
    "${graines[@]}" > "$corpus.log" 2>&1 || statut=$?
  {
    echo "== $nom ($(ls "fuzz/corpus/$nom" 2> /dev/null | wc -l) entrées de départ, ${FUZZ_SECONDES:-20} s)"
    if [ "$statut" -eq 0 ]; then grep -E '^#[0-9]+' "$corpus.log" | tail -n 1; else tail -n 40 "$corpus.log"; fi
  } > "$corpus.resume"
  cat "$corpus.resume"
  rm -rf "$corpus" "$corpus.log" "$corpus.resume"
  return "$statut"
}
echec_fuzz=0
en_cours=()
for cible in build-fuzz/fuzz_*; do
  [ -x "$cible" ] || continue
  fuzzer "$cible" &
  en_cours+=($!)
  if [ ${#en_cours[@]} -ge "$cpus" ]; then
    wait "${en_cours[0]}" || echec_fuzz=1
    en_cours=("${en_cours[@]:1}")
  fi
done
for pid in "${en_cours[@]}"; do wait "$pid" || echec_fuzz=1; done
exit "$echec_fuzz"
