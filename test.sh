#!/usr/bin/env bash
# Installs the missing Debian packages (as root), builds, and runs every test twice: in a normal
# build and in a sanitizer build (AddressSanitizer + UndefinedBehaviorSanitizer).
set -euo pipefail
cd "$(dirname "$0")"

paquets=(cmake make g++ libgtest-dev libgmock-dev libbenchmark-dev libreadline-dev tmux)
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
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release
cmake --build build -j"$cpus"
ctest --test-dir build --output-on-failure -j"$cpus"

cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DSANITIZE=ON
cmake --build build-sanitize -j"$cpus"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-sanitize --output-on-failure -j"$cpus"
