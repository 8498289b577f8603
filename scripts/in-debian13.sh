#!/usr/bin/env bash
# Runs the test command (scripts/test.sh) in a fresh Debian 13 root, as a new user would: a
# minimal root made with debootstrap, a plain clone of this checkout's committed HEAD, and the
# command run as root inside, with its own private mounts. Run it as root.
#   in-debian13.sh
# The bare root is made once and kept as build/debian13/root.tar (delete it to make it again);
# every run unpacks it afresh. Downloaded packages are kept in build/debian13/apt between runs,
# which changes nothing of what is installed or tested. The archive is the one this machine's
# own apt sources name.
set -euo pipefail
cd "$(dirname "$0")/.."
top=$(pwd)
work=$top/build/debian13
suite=trixie
[ "$(id -u)" -eq 0 ] || { echo "in-debian13: run as root" >&2; exit 2; }
for tool in debootstrap unshare chroot git; do
  command -v "$tool" >/dev/null || { echo "in-debian13: $tool is missing" >&2; exit 2; }
done

# The first archive address of the given kind in this machine's apt sources, either format.
source_uri() {  # source_uri security|main
  local files=() uri
  [ -f /etc/apt/sources.list ] && files+=(/etc/apt/sources.list)
  for f in /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] && files+=("$f")
  done
  [ ${#files[@]} -eq 0 ] && return 1
  uri=$(sed -n -e 's/^deb \(\[[^]]*\] \)\{0,1\}\([a-z]*:\/\/[^ ]*\).*/\2/p' \
               -e 's/^URIs: *\([^ ]*\).*/\1/p' "${files[@]}" |
        if [ "$1" = security ]; then grep -- '-security'; else grep -v -- '-security'; fi |
        head -n 1)
  [ -n "$uri" ] && echo "${uri%/}"
}
mirror=$(source_uri main) || { echo "in-debian13: no archive in the apt sources" >&2; exit 1; }
security=$(source_uri security || true)

mkdir -p "$work/apt"
tarball=$work/root.tar
if [ ! -f "$tarball" ]; then
  echo "in-debian13: making the Debian 13 root (debootstrap, minbase)"
  rm -rf "$work/bootstrap"
  debootstrap --variant=minbase "$suite" "$work/bootstrap" "$mirror" >"$work/debootstrap.log" \
    || { echo "in-debian13: debootstrap failed, see $work/debootstrap.log" >&2; exit 1; }
  {
    echo "deb $mirror $suite main"
    echo "deb $mirror $suite-updates main"
    [ -n "$security" ] && echo "deb $security $suite-security main"
  } >"$work/bootstrap/etc/apt/sources.list"
  rm -f "$work/bootstrap"/var/cache/apt/archives/*.deb
  tar --numeric-owner -C "$work/bootstrap" -cf "$tarball.part" .
  mv "$tarball.part" "$tarball"
  rm -rf "$work/bootstrap"
fi

root=$work/root
rm -rf "$root"
mkdir -p "$root"
tar --numeric-owner -C "$root" -xf "$tarball"
cp /etc/resolv.conf "$root/etc/resolv.conf"
git clone -q "$top" "$root/root/tolvos"
git -C "$root/root/tolvos" checkout -q --detach "$(git rev-parse HEAD)"
echo "in-debian13: testing $(git -C "$root/root/tolvos" log -1 --format='%h %s')"

# In a mount namespace of its own: the root bound onto itself (a test inside mounts its own
# /proc in a process namespace of its own), the kernel's file systems, a private /tmp.
unshare --mount --propagation private -- /bin/sh -eu -c '
  root=$1 apt=$2
  mount --bind "$root" "$root"
  mount -t proc proc "$root/proc"
  mount -t sysfs sysfs "$root/sys"
  mount --rbind /dev "$root/dev"
  mount -t tmpfs tmpfs "$root/dev/shm"
  mount -t tmpfs tmpfs "$root/tmp"
  mount --bind "$apt" "$root/var/cache/apt/archives"
  exec chroot "$root" /usr/bin/env -i HOME=/root LANG=C.UTF-8 TERM=dumb CMAKE_BUILD_PARALLEL_LEVEL=2 \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    /bin/bash -c "cd /root/tolvos && bash scripts/test.sh"
' in-debian13 "$root" "$work/apt"
