#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer and runs the whole
# test suite; then the Windows program's, cross-built and run under Wine. The last lines are
# the Linux ctest's own summary, and a line more when the Windows tests failed.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh --tests
cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTOLVOS_SANITIZE=ON >/dev/null \
  || { echo "test: cmake configure failed" >&2; exit 1; }
cmake --build build/test || { echo "test: build failed" >&2; exit 1; }

windows=0
bash scripts/build-windows.sh --tests || windows=$?

cd build/test
linux=0
ctest --output-on-failure --no-label-summary --timeout 900 || linux=$?
if [ "$windows" -ne 0 ]; then
  echo "test: the Windows tests (build/windows-test) failed, see above" >&2
  exit 1
fi
exit "$linux"
