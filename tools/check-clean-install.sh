#!/usr/bin/env bash
# Installs the Debian package into a fresh Debian 12 root made with debootstrap, as a
# user would with `apt-get install ./merilon_*.deb`, and starts the program with the
# command of its menu entry. Needs root, debootstrap and the Debian mirror; takes a few
# minutes.   Usage: check-clean-install.sh PATH/TO/merilon_VERSION_ARCH.deb
set -euo pipefail
deb=$(readlink -f "$1")
mirror=${MIRROR:-http://deb.debian.org/debian}
root=$(mktemp -d /tmp/merilon-root.XXXXXX)
cleanup() {
  umount "$root/proc" 2>/dev/null || true
  umount "$root/dev" 2>/dev/null || true
  rm -rf "$root"
}
trap cleanup EXIT

command -v debootstrap >/dev/null || apt-get install -y -qq debootstrap
debootstrap --variant=minbase bookworm "$root" "$mirror" >/dev/null
mount -t proc proc "$root/proc"
mount --bind /dev "$root/dev"
cp "$deb" "$root/tmp/"
chroot "$root" apt-get update -qq
chroot "$root" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "/tmp/$(basename "$deb")" >/dev/null

entry="$root/usr/share/applications/org.example.merilon.desktop"
command=$(sed -n 's/^Exec=//p' "$entry")
echo "menu entry runs: $command"
set +e
chroot "$root" env QT_QPA_PLATFORM=offscreen timeout 5 sh -c "$command"
status=$?
set -e
# timeout ends a program that is still running after 5 s with 124.
if [ "$status" -ne 124 ]; then
  echo "FAIL: the installed program exited with $status"
  exit 1
fi
echo "installed on a clean Debian 12 root and started from its menu entry"
