#!/usr/bin/env bash
# Builds the Linux program (release) and its Debian package, into build/deb/packages:
# tolvos_<version>_<architecture>.deb, installed with `sudo apt install ./tolvos_*.deb`.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh --deb
# Installed under /usr, the program's folder is the system's library folder for its
# architecture, as `cmake --install` with that prefix puts it.
cmake -S . -B build/deb -G Ninja -DCMAKE_BUILD_TYPE=Release -DTOLVOS_TESTS=OFF \
  -DCMAKE_INSTALL_PREFIX=/usr >/dev/null || { echo "build-deb: cmake configure failed" >&2; exit 1; }
cmake --build build/deb || { echo "build-deb: build failed" >&2; exit 1; }
(cd build/deb && cpack -G DEB >/dev/null) || { echo "build-deb: cpack failed" >&2; exit 1; }
rm -rf build/deb/packages/_CPack_Packages
ls build/deb/packages/tolvos_*.deb
