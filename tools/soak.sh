#!/usr/bin/env bash
# A long soak: test_soak of the plain build (build-test/) with several seeds, one run
# after another.
#
#   tools/soak.sh [SEEDS] [ACTIONS]
#
# SEEDS is how many fresh seeds to draw (default 3), or the seeds themselves separated
# by commas (20261208,7; a single one as 20261208,). ACTIONS is the number of actions
# of each run (default 300000). Each seed is printed before its run; a failing run is
# printed with the command that replays it, and the script goes on with the next seed
# and ends with status 1.
set -uo pipefail
cd "$(dirname "$0")/.."
seeds=${1:-3}
actions=${2:-300000}
build=build-test

if [[ $seeds == *,* ]]; then
  IFS=, read -ra list <<<"$seeds"
else
  list=()
  for ((i = 0; i < seeds; ++i)); do
    list+=("$(od -An -N4 -tu4 /dev/urandom | tr -d ' ')")
  done
fi

if [[ ! -f $build/build.ninja ]]; then
  cmake --preset tests >/dev/null || exit 1
fi
cmake --build "$build" --target test_soak >/dev/null || { echo "test_soak does not build"; exit 1; }

log=$(mktemp -d)
trap 'rm -rf "$log"' EXIT
failed=0
for seed in "${list[@]}"; do
  echo "seed $seed, $actions actions"
  replay="MERILON_SOAK_SEED=$seed MERILON_SOAK_ACTIONS=$actions QT_QPA_PLATFORM=offscreen $build/tests/test_soak soak"
  if MERILON_SOAK_SEED=$seed MERILON_SOAK_ACTIONS=$actions QT_QPA_PLATFORM=offscreen \
    "$build/tests/test_soak" soak >"$log/$seed" 2>&1; then
    grep -m1 -o '[0-9]* actions in [0-9.]* s' "$log/$seed" | sed 's/^/  pass: /'
  else
    failed=1
    # The failure, the shortest action list and the command that replays it.
    if grep -q 'failed after' "$log/$seed"; then
      sed -n '/failed after/,$p' "$log/$seed" | grep -v '^PASS\|^Totals\|^\*\*\*\*' | sed 's/^/  /'
    else
      tail -n 20 "$log/$seed" | sed 's/^/  /'
    fi
    echo "  FAIL; the whole run again: $replay"
  fi
done
exit $failed
