#!/usr/bin/env bash
# Installs the missing Debian packages (as root), builds, and runs every test twice: in a normal
# build and in a sanitizer build (AddressSanitizer + UndefinedBehaviorSanitizer). Then each
# libFuzzer target runs for a short while on arbitrary input.
set -euo pipefail
cd "$(dirname "$0")"

paquets=(cmake make g++ clang libclang-rt-14-dev libgtest-dev libgmock-dev libbenchmark-dev
  libreadline-dev tmux freeglut3-dev libglu1-mesa-dev libx11-dev xvfb xdotool imagemagick
  x11-utils nlohmann-json3-dev libxml2-utils file dpkg-dev parallel libspdlog-dev)
manquants=()
for p in "${paquets[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || manquants+=("$p")
done
if [ ${#manquants[@]} -gt 0 ]; then
  if [ "$(id -u)" -eq 0 ]; then
    apt-get update
    DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${manquants[@]}"
  else
    echo "Paquets manquants. Lancez : sudo apt-get install -y ${manquants[*]}" >&2
    exit 1
  fi
fi

cpus=$(nproc)
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DPANGAEOLITH_TESTS=ON -DPANGAEOLITH_BENCH=ON
cmake --build build -j"$cpus"
ctest --test-dir build --output-on-failure -j"$cpus"
# Each benchmark once, briefly: they build and run (their figures are in docs/performance.md).
build/bench_pangaeolith --benchmark_min_time=0.001 > /dev/null
# The Debian package of the Release build, unpacked and run in a scratch root.
bash tests/paquet.sh build

cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DSANITIZE=ON -DPANGAEOLITH_TESTS=ON
cmake --build build-sanitize -j"$cpus"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-sanitize --output-on-failure -j"$cpus"

CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=Debug -DPANGAEOLITH_FUZZ=ON \
  -DPANGAEOLITH_TESTS=OFF -DPANGAEOLITH_BENCH=OFF
cmake --build build-fuzz -j"$cpus"
for cible in build-fuzz/fuzz_*; do
  [ -x "$cible" ] || continue
  corpus=$(mktemp -d)
  "$cible" -max_total_time="${FUZZ_SECONDES:-20}" -print_final_stats=0 "$corpus" 2>&1 | tail -n 1
  rm -rf "$corpus"
done
