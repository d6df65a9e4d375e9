# SPDX-License-Identifier: MIT
# Sourced by the checks that need a fresh Debian root (check-fresh-root.sh,
# check-clean-install.sh): makes a minimal root with debootstrap, mounts what programs
# inside need, and on exit ends what still runs inside, unmounts and removes the root,
# never deleting through a mount that is still there (it would reach the host's /dev).
#   make_root RELEASE     sets $root; needs root, debootstrap and the Debian mirror
#   mount_in PATH ARGS…   mounts inside the root, unmounted again on exit
root=""
mounts=()

remove_root() {
  status=$?
  if [ -n "$root" ]; then
    # Whatever still runs inside the root (the program, a bus, an X server) ends first.
    for p in /proc/[0-9]*; do
      [ "$(readlink "$p/root" 2>/dev/null)" = "$root" ] && { kill -9 "${p#/proc/}" 2>/dev/null || true; }
    done
    for ((i = ${#mounts[@]} - 1; i >= 0; i--)); do
      umount "${mounts[i]}" 2>/dev/null || umount -l "${mounts[i]}" 2>/dev/null || true
    done
    if grep -q " $root/" /proc/mounts; then
      echo "left $root in place: still mounted:"
      grep " $root/" /proc/mounts
    else
      rm -rf --one-file-system "$root"
    fi
  fi
  exit "$status"
}

mount_in() {
  local target=$root$1
  shift
  mkdir -p "$target"
  mount "$@" "$target"
  mounts+=("$target")
}

make_root() {
  local release=$1 mirror=${MIRROR:-http://deb.debian.org/debian}
  [ "$(id -u)" -eq 0 ] || { echo "FAIL: a fresh root needs root"; exit 1; }
  command -v debootstrap >/dev/null || { echo "FAIL: debootstrap is not installed"; exit 1; }
  trap remove_root EXIT
  trap 'exit 130' INT TERM
  root=$(mktemp -d /var/tmp/merilon-root.XXXXXX)
  chmod 755 "$root" # its / : the system users inside (apt's _apt, man) must get in
  if ! debootstrap --variant=minbase "$release" "$root" "$mirror" >"$root.log" 2>&1; then
    tail -20 "$root.log"
    rm -f "$root.log"
    echo "FAIL: debootstrap $release"
    exit 1
  fi
  rm -f "$root.log"
  mount_in /proc -t proc proc
  mount_in /sys -t sysfs sysfs
  mount_in /dev --bind /dev
  mount_in /dev/pts --bind /dev/pts
  mount_in /dev/shm -t tmpfs -o mode=1777 tmpfs
  cp /etc/resolv.conf "$root/etc/resolv.conf"
  # Packages install here without starting their services.
  printf '#!/bin/sh\nexit 101\n' >"$root/usr/sbin/policy-rc.d"
  chmod +x "$root/usr/sbin/policy-rc.d"
}
