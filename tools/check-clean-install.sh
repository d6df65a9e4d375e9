#!/usr/bin/env bash
# Installs the Debian package into a fresh Debian root made with debootstrap, as a
# user would with `apt-get install ./merilon_*.deb`, and starts the program with the
# command of its menu entry. Needs root, debootstrap and the Debian mirror; takes a few
# minutes.
#   Usage: check-clean-install.sh PATH/TO/merilon_VERSION_ARCH.deb [RELEASE]
#          (RELEASE: default trixie, Debian 13; bookworm is Debian 12)
set -euo pipefail
deb=$(readlink -f "$1")
release=${2:-trixie}
source "$(dirname "$0")/debian-root.sh"
make_root "$release"

cp "$deb" "$root/tmp/"
chroot "$root" apt-get update -qq
chroot "$root" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "/tmp/$(basename "$deb")" >/dev/null

entry=$(ls "$root"/usr/share/applications/*.desktop)
command=$(sed -n 's/^Exec=//p' "$entry")
echo "menu entry $(basename "$entry") runs: $command"
set +e
chroot "$root" env QT_QPA_PLATFORM=offscreen timeout 5 sh -c "$command"
status=$?
set -e
# timeout ends a program that is still running after 5 s with 124.
if [ "$status" -ne 124 ]; then
  echo "FAIL: the installed program exited with $status"
  exit 1
fi
echo "installed on a clean $release root and started from its menu entry"
