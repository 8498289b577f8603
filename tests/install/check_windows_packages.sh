#!/bin/sh
# Makes the Windows packages of a cross build and checks them: the zip holds the program and
# its two sounds in one folder and nothing else; the installer, run silently under Wine,
# installs the same three files and an uninstaller, which removes them again.
#   check_windows_packages.sh BUILD_FOLDER EMULATOR   (WINEPREFIX names a ready prefix)
set -eu
build="$1"
emulator="$2"
work="$build/packages-check"
rm -rf "$work"
mkdir -p "$work"
fail() { echo "windows packages: $*" >&2; exit 1; }

cpack -G "NSIS;ZIP" -B "$work" --config "$build/CPackConfig.cmake" >"$work/cpack.log" 2>&1 \
  || { cat "$work/cpack.log" >&2; fail "cpack failed"; }

zip=$(ls "$work"/tolvos-*-win64.zip)
folder=$(basename "$zip" .zip)
listed=$(cd "$work" && cmake -E tar tf "$zip" | grep -v '/$' | sort | tr '\n' ' ')
expected="$folder/snd.wav $folder/snd2.wav $folder/tolvos.exe "
[ "$listed" = "$expected" ] || fail "the zip holds '$listed', not '$expected'"

installer=$(ls "$work"/tolvos-*-win64.exe)
target="$WINEPREFIX/drive_c/TolvosCheck"
rm -rf "$target"
"$emulator" "$installer" /S '/D=C:\TolvosCheck' || fail "the installer failed"
for file in tolvos.exe snd.wav snd2.wav Uninstall.exe; do
  [ -f "$target/$file" ] || fail "the installer did not install $file"
done
cmp -s "$target/snd.wav" "$build/snd.wav" || fail "snd.wav differs from the build's"
# _? keeps the uninstaller where it is, so it ends before this call returns.
"$emulator" "$target/Uninstall.exe" /S '_?=C:\TolvosCheck' || fail "the uninstaller failed"
for file in tolvos.exe snd.wav snd2.wav; do
  [ ! -e "$target/$file" ] || fail "the uninstaller left $file"
done
rm -rf "$work" "$target"
