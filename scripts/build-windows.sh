#!/usr/bin/env bash
# Cross-builds the Windows program on Debian with MinGW-w64.
#   build-windows.sh          tolvos.exe, snd.wav and snd2.wav in build/windows, and the
#                             installer and the zip in build/windows/packages
#   build-windows.sh --tests  the program and its tests in build/windows-test (assertions on),
#                             then runs them under Wine; the last lines are ctest's summary
set -euo pipefail
cd "$(dirname "$0")/.."
toolchain=cmake/toolchains/mingw-w64-x86_64.cmake

if [ "${1:-}" = "--tests" ]; then
  bash scripts/deps.sh --windows --tests
  cmake -S . -B build/windows-test -G Ninja -DCMAKE_TOOLCHAIN_FILE=$toolchain \
    -DCMAKE_BUILD_TYPE=Debug -DTOLVOS_TESTS=ON >/dev/null \
    || { echo "build-windows: cmake configure failed" >&2; exit 1; }
  cmake --build build/windows-test || { echo "build-windows: build failed" >&2; exit 1; }
  cd build/windows-test
  exec ctest --output-on-failure --no-label-summary --timeout 900
fi

bash scripts/deps.sh --windows
cmake -S . -B build/windows -G Ninja -DCMAKE_TOOLCHAIN_FILE=$toolchain \
  -DCMAKE_BUILD_TYPE=Release -DTOLVOS_TESTS=OFF >/dev/null \
  || { echo "build-windows: cmake configure failed" >&2; exit 1; }
cmake --build build/windows || { echo "build-windows: build failed" >&2; exit 1; }
(cd build/windows && cpack >/dev/null) || { echo "build-windows: cpack failed" >&2; exit 1; }
rm -rf build/windows/packages/_CPack_Packages
ls build/windows/tolvos.exe build/windows/packages/tolvos-*-win64.*
