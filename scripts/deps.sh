#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing the game need,
# only those that are missing. Root runs apt-get directly, anyone else through sudo.
#   deps.sh [--tests] [--windows] [--deb]
#   --windows: the cross build for Windows instead of Linux's; --deb: the Debian package too
set -euo pipefail

build_packages=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins
  qt6-translations-l10n libsdl2-mixer-dev libgl-dev)
test_packages=(libgtest-dev libgmock-dev libbenchmark-dev clang desktop-file-utils
  speech-dispatcher procps xvfb xauth dbus at-spi2-core x11-utils xdotool
  python3 python3-pyatspi python3-gi gir1.2-atspi-2.0 appstream orca locales)

# The Windows program: the MinGW-w64 cross compiler and the installer maker; its tests run
# under Wine, with GoogleTest built from its sources.
windows_build_packages=(cmake ninja-build g++ g++-mingw-w64-x86-64-posix nsis)
windows_test_packages=(googletest wine wine64 xvfb xauth)

# Computing a Debian package's dependencies (dpkg-shlibdeps, and file to find the programs);
# the tests make one too.
deb_packages=(dpkg-dev file)

tests=false windows=false deb=false
for option in "$@"; do
  case "$option" in
    --tests) tests=true ;;
    --windows) windows=true ;;
    --deb) deb=true ;;
    *) echo "deps: unknown option $option" >&2; exit 2 ;;
  esac
done
if $windows; then
  wanted=("${windows_build_packages[@]}")
  $tests && wanted+=("${windows_test_packages[@]}")
else
  wanted=("${build_packages[@]}")
  $tests && wanted+=("${test_packages[@]}" "${deb_packages[@]}")
fi
$deb && wanted+=("${deb_packages[@]}")

# The clang runtime (libFuzzer and the sanitizers) is named after clang's major version, which
# differs between releases: it is added once clang itself is in.
clang_runtime() {
  local version
  version=$(dpkg-query -W -f='${Depends}' clang 2>/dev/null | grep -o 'clang-[0-9][0-9]*' | head -n 1)
  [ -n "$version" ] && echo "libclang-rt-${version#clang-}-dev"
}

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
updated=false
install_missing() {
  local missing=() p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing Debian packages: ${missing[*]}"
  if ! $updated; then
    $sudo apt-get update -qq || { echo "deps: apt-get update failed" >&2; exit 1; }
    updated=true
  fi
  $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" \
    || { echo "deps: could not install ${missing[*]}" >&2; exit 1; }
}

install_missing "${wanted[@]}"
if ! $windows && $tests; then
  runtime=$(clang_runtime) || { echo "deps: no clang version found" >&2; exit 1; }
  install_missing "$runtime"
fi
