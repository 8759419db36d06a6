#!/usr/bin/env bash
# Builds Pangaeolith (Release) if needed, then starts it in text mode from the project root,
# where aide.dat lives. Arguments are passed through: ./run.sh --seed 5 -a -i 30 20
set -euo pipefail
cd "$(dirname "$0")"
if [ ! -x build/pangaeolith ] || [ -n "$(find src CMakeLists.txt -newer build/pangaeolith -print -quit)" ]; then
  echo "Construction de Pangaeolith (build/, Release)..." >&2
  # The program alone needs neither GoogleTest nor Google Benchmark; test.sh turns them on.
  [ -f build/CMakeCache.txt ] ||
    cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DPANGAEOLITH_TESTS=OFF -DPANGAEOLITH_BENCH=OFF >/dev/null
  cmake --build build --target pangaeolith -j"$(nproc)" >/dev/null
fi
exec build/pangaeolith "$@"
