#!/usr/bin/env bash
# Builds the game (release) and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null \
  || { echo "run: cmake configure failed" >&2; exit 1; }
cmake --build build/release --target tolvos || { echo "run: build failed" >&2; exit 1; }
exec build/release/tolvos "$@"
