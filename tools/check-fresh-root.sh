#!/usr/bin/env bash
# The README's two commands on a fresh Debian 12 machine. Makes a minimal Debian 12
# root with debootstrap, clones the committed HEAD of this repository into it and runs
# there, as root: `bash tools/run.sh` offscreen until the program has started and stayed
# up, then `bash tools/test.sh`, which must pass. This is what catches a package that
# the commands forget to install. Needs root, debootstrap and the Debian mirror.
#   Usage: check-fresh-root.sh        (MIRROR=... for another Debian mirror)
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
mirror=${MIRROR:-http://deb.debian.org/debian}
[ "$(id -u)" -eq 0 ] || { echo "FAIL: check-fresh-root.sh must run as root"; exit 1; }
command -v debootstrap >/dev/null || { echo "FAIL: debootstrap is not installed"; exit 1; }

root=$(mktemp -d /var/tmp/merilon-fresh.XXXXXX)
chmod 755 "$root"   # its / : the system users inside (apt's _apt, man) must get in
mounts=()
cleanup() {
  status=$?
  # Whatever still runs inside the root (the program, a bus, an X server) ends first.
  for p in /proc/[0-9]*; do
    [ "$(readlink "$p/root" 2>/dev/null)" = "$root" ] && { kill -9 "${p#/proc/}" 2>/dev/null || true; }
  done
  for ((i = ${#mounts[@]} - 1; i >= 0; i--)); do
    umount "${mounts[i]}" 2>/dev/null || umount -l "${mounts[i]}" 2>/dev/null || true
  done
  # Never delete through a mount that is still there (it would reach the host's /dev).
  if grep -q " $root/" /proc/mounts; then
    echo "left $root in place: still mounted:"; grep " $root/" /proc/mounts
  else
    rm -rf --one-file-system "$root"
  fi
  exit "$status"
}
trap cleanup EXIT
trap 'exit 130' INT TERM
mount_in() {   # mount_in TARGET mount-arguments...
  local target=$root$1; shift
  mkdir -p "$target"
  mount "$@" "$target"
  mounts+=("$target")
}
stamp() { echo "== $(date -u +%H:%M:%S) $*"; }
start=$(date +%s)

stamp "debootstrap --variant=minbase bookworm ($mirror)"
debootstrap --variant=minbase bookworm "$root" "$mirror" >"$root.log" 2>&1 ||
  { tail -20 "$root.log"; rm -f "$root.log"; echo "FAIL: debootstrap"; exit 1; }
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

head=$(git -C "$repo" rev-parse HEAD)
stamp "clone $head"
git clone -q "$repo" "$root/root/merilon"
git -C "$root/root/merilon" checkout -q --detach "$head"
# A clean environment inside, as a fresh login has.
env=(env -i HOME=/root TERM=dumb PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin)

# bash tools/run.sh: installs, builds and then execs the program, so the process shows
# the built binary once the build is done. It must then stay up for 5 s.
stamp "bash tools/run.sh (offscreen)"
# One process throughout: chroot, env and both shells exec the next.
chroot "$root" "${env[@]}" QT_QPA_PLATFORM=offscreen bash -c 'cd /root/merilon && exec bash tools/run.sh' &
run=$!
started=
while kill -0 "$run" 2>/dev/null; do
  if [ "$(readlink "/proc/$run/exe" 2>/dev/null)" = "$root/root/merilon/build/app/merilon" ]; then
    started=$(date +%s)
    break
  fi
  sleep 1
done
if [ -z "$started" ]; then
  wait "$run" && status=0 || status=$?
  echo "FAIL: tools/run.sh ended with status $status before the program started"
  exit 1
fi
sleep 5
if ! kill -0 "$run" 2>/dev/null; then
  wait "$run" && status=0 || status=$?
  echo "FAIL: the program started by tools/run.sh ended with status $status within 5 s"
  exit 1
fi
kill "$run"
wait "$run" 2>/dev/null || true
stamp "the program started and stayed up"

stamp "bash tools/test.sh"
if ! chroot "$root" "${env[@]}" bash -c 'cd /root/merilon && bash tools/test.sh'; then
  echo "FAIL: tools/test.sh failed in the fresh root"
  exit 1
fi
stamp "both commands passed in a fresh Debian 12 root in $(( ($(date +%s) - start) / 60 )) min"
