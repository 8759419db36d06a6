#!/usr/bin/env bash
# Builds Pangaeolith (Release) if needed, then starts it in text mode in the current directory:
# the logs of -d are written where you are. The help file is found next to the executable when
# the current directory has no aide.dat. Arguments are passed through: ./run.sh --seed 5 -a -i 30 20
set -euo pipefail
racine=$(cd "$(dirname "$0")" && pwd)
if [ ! -x "$racine/build/pangaeolith" ] ||
  [ -n "$(find "$racine/src" "$racine/CMakeLists.txt" "$racine/aide.dat" -newer "$racine/build/pangaeolith" -print -quit)" ]; then
  echo "Construction de Pangaeolith ($racine/build, Release)..." >&2
  # The program alone needs neither GoogleTest nor Google Benchmark; test.sh turns them on.
  [ -f "$racine/build/CMakeCache.txt" ] ||
    cmake -S "$racine" -B "$racine/build" -DCMAKE_BUILD_TYPE=Release -DPANGAEOLITH_TESTS=OFF \
      -DPANGAEOLITH_BENCH=OFF >/dev/null
  cmake --build "$racine/build" --target pangaeolith -j"$(nproc)" >/dev/null
fi
exec "$racine/build/pangaeolith" "$@"
