#!/usr/bin/env bash
# The README's two commands on a fresh Debian machine. Makes a minimal root of RELEASE
# with debootstrap, clones the committed HEAD of this repository into it and runs
# there, as root: `bash tools/run.sh` offscreen until the program has started and stayed
# up, then `bash tools/test.sh`, which must pass. This is what catches a package that
# the commands forget to install. Needs root, debootstrap and the Debian mirror.
#   Usage: check-fresh-root.sh [RELEASE]   (default trixie, Debian 13; bookworm is
#          Debian 12; MIRROR=... for another Debian mirror)
set -euo pipefail
release=${1:-trixie}
repo=$(cd "$(dirname "$0")/.." && pwd)
source "$repo/tools/debian-root.sh"
stamp() { echo "== $(date -u +%H:%M:%S) $*"; }
start=$(date +%s)

stamp "debootstrap --variant=minbase $release"
make_root "$release"

head=$(git -C "$repo" rev-parse HEAD)
stamp "clone $head"
git clone -q "$repo" "$root/root/merilon"
git -C "$root/root/merilon" checkout -q --detach "$head"
# A clean environment inside, as a fresh login has.
env=(env -i HOME=/root TERM=dumb PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin)

# bash tools/run.sh: installs, builds and then execs the program, so the process shows
# the built binary (the build names it in build/program-path) once the build is done.
# It must then stay up for 5 s.
stamp "bash tools/run.sh (offscreen)"
# One process throughout: chroot, env and both shells exec the next.
chroot "$root" "${env[@]}" QT_QPA_PLATFORM=offscreen bash -c 'cd /root/merilon && exec bash tools/run.sh' &
run=$!
started=
path_file=$root/root/merilon/build/program-path
while kill -0 "$run" 2>/dev/null; do
  if [ -s "$path_file" ] && [ "$(readlink "/proc/$run/exe" 2>/dev/null)" = "$root$(cat "$path_file")" ]; then
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
  echo "FAIL: tools/test.sh failed in the fresh $release root"
  exit 1
fi
stamp "both commands passed in a fresh $release root in $(( ($(date +%s) - start) / 60 )) min"
