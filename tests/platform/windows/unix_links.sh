#!/bin/sh
# Runs a Windows test program under Wine with a folder of Unix links, which a program cannot
# make from inside Wine, and checks afterwards that the links are still links:
#   punt.dat -> real.dat, a regular file; device.dat -> a character device of the folder's own
#   (as root; a link to a folder otherwise); folder.dat -> a folder.
# TOLVOS_LINK_FOLDER names the folder as the program sees it.
#   unix_links.sh FOLDER EMULATOR PROGRAM [ARGUMENTS...]
set -u
folder="$1"
shift
rm -rf "$folder"
mkdir -p "$folder/sub"
printf 'old\r\n' >"$folder/real.dat"
ln -s real.dat "$folder/punt.dat"
ln -s sub "$folder/folder.dat"
if mknod "$folder/null" c 1 3 2>/dev/null; then
  ln -s null "$folder/device.dat"
else
  ln -s sub "$folder/device.dat"
fi

TOLVOS_LINK_FOLDER="Z:$(printf '%s' "$folder" | tr / '\\')" "$@"
status=$?
for link in punt.dat device.dat folder.dat; do
  [ -L "$folder/$link" ] || { echo "$link is no longer a link" >&2; status=1; }
done
{ [ -c "$folder/null" ] || [ ! -e "$folder/null" ]; } || { echo "the device was replaced" >&2; status=1; }
[ -d "$folder/sub" ] || { echo "the folder was replaced" >&2; status=1; }
rm -rf "$folder"
exit $status
