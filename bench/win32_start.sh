#!/usr/bin/env bash
# Start-up of the Windows program under Wine on a private X display: the time from launch until
# its window is shown, for 5 first starts in fresh folders, and their median. Uses the Windows
# test build (scripts/build-windows.sh --tests), which it builds when it is missing.
#   bench/win32_start.sh [starts]
set -euo pipefail
cd "$(dirname "$0")/.."
build=build/windows-test
if [ ! -f "$build/tolvos_driver.exe" ]; then
  cmake -S . -B $build -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/mingw-w64-x86_64.cmake \
    -DCMAKE_BUILD_TYPE=Debug -DTOLVOS_TESTS=ON >/dev/null
  cmake --build $build --target tolvos_driver >/dev/null
fi

desktop=$(mktemp -d)
trap 'sh tests/support/wine_desktop.sh down "$desktop"; rm -rf "$desktop"' EXIT
sh tests/support/wine_desktop.sh up "$desktop"
here=$(pwd)/$build
sh tests/support/wine_desktop.sh run "$desktop" cmake/toolchains/wine-run.sh \
  "$build/tolvos_driver.exe" --game "$here/tolvos.exe" --sounds "$here" \
  --jaws "$here/jfwapi.dll" --nvda "$here/nvdaControllerClient64.dll" --work "$desktop/starts" \
  --starts "${1:-5}"
