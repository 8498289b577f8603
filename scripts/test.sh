#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer and runs the whole
# test suite; the last lines are ctest's own summary.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh --tests
cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTOLVOS_SANITIZE=ON >/dev/null \
  || { echo "test: cmake configure failed" >&2; exit 1; }
cmake --build build/test || { echo "test: build failed" >&2; exit 1; }
cd build/test
exec ctest --output-on-failure --no-label-summary --timeout 900
