#!/usr/bin/env bash
# Builds the game (release) and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
# The game alone: no tests or benchmarks, so none of their packages are needed.
cmake -S . -B build/game -G Ninja -DCMAKE_BUILD_TYPE=Release -DTOLVOS_TESTS=OFF >/dev/null \
  || { echo "run: cmake configure failed" >&2; exit 1; }
cmake --build build/game --target tolvos || { echo "run: build failed" >&2; exit 1; }
exec build/game/tolvos "$@"
