#!/usr/bin/env bash
# Valgrind's memcheck over Мерилон started, with every window opened with its button
# and every window closed again (tools/memcheck_driver.cpp).
#
# Fails when the program does not end cleanly, on a memory error whose stack passes
# through the program's own code, and on a definite leak that the program's own code
# allocated (the first frame below the allocator is ours). Errors and leaks wholly
# inside the system's libraries (fontconfig, glib, Qt) are listed, not counted.
#
# Without Valgrind it prints why and exits 77, which CTest counts as skipped.
#
# Usage: tools/memcheck.sh [DRIVER]   (default: build-test/tools/merilon_memcheck_driver)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
driver=${1:-$root/build-test/tools/merilon_memcheck_driver}
[ -x "$driver" ] || { echo "no driver at $driver: build the target merilon_memcheck_driver"; exit 2; }
command -v valgrind >/dev/null || { echo "SKIP: memcheck needs valgrind (Debian: valgrind)"; exit 77; }

log=$(mktemp)
trap 'rm -f "$log"' EXIT

status=0
QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8 valgrind --tool=memcheck --leak-check=full \
  --show-leak-kinds=definite --errors-for-leak-kinds=definite --num-callers=40 \
  --log-file="$log" "$driver" || status=$?

# The file names of the program's own sources, as Valgrind prints them in frames:
# every C++ source of the repository, outside the build trees (any folder with a
# CMakeCache.txt) and .git.
ours=$(cd "$root" && find . -name .git -prune -o -type d -exec test -e {}/CMakeCache.txt \; -prune \
         -o \( -name '*.cpp' -o -name '*.h' \) -printf '%f\n' | sort -u | paste -sd'|')

# One record per error or leak: the lines between two empty "==PID==" lines.
verdict=$(awk -v ours="($ours):[0-9]+\\)" '
  function judge() {
    if (head == "") return
    counted = 0
    if (head ~ /definitely lost/) {
      # The leak is ours when the first frame below the allocator is in our code.
      for (i = 1; i <= n; i++) {
        if (frame[i] ~ /(malloc|calloc|realloc|memalign|operator new|strdup)/) continue
        counted = frame[i] ~ ours
        break
      }
    } else if (head !~ /(HEAP|LEAK|ERROR) SUMMARY|Memcheck,|Copyright|Using Valgrind|Command:|Parent PID:|possibly lost|indirectly lost|still reachable|suppressed/) {
      for (i = 1; i <= n; i++) if (frame[i] ~ ours) counted = 1
      if (n == 0) head = ""
    } else {
      head = ""
    }
    if (head != "") {
      print (counted ? "OURS: " : "not ours: ") head
      for (i = 1; i <= m && i <= 24; i++) print "  " text[i]
      if (counted) found++
    }
    head = ""; n = 0; m = 0
  }
  { sub(/^==[0-9]+== ?/, "") }
  /^$/ { judge(); next }
  head == "" { head = $0; next }
  { text[++m] = $0 }
  /^ *(at|by) 0x/ { frame[++n] = $0 }
  END { judge(); print "counted " found + 0 }
' "$log")

echo "$verdict" | grep -v '^counted ' || true
grep -E 'definitely lost:|ERROR SUMMARY' "$log" | sed 's/^==[0-9]*== */valgrind: /'
counted=$(echo "$verdict" | sed -n 's/^counted //p')
if [ "$status" -ne 0 ]; then
  echo "FAIL: the program ended with status $status"
  exit 1
fi
if [ "$counted" -ne 0 ]; then
  echo "FAIL: $counted memory errors or definite leaks in the program's own code"
  exit 1
fi
echo "memcheck: no memory error and no definite leak in the program's own code"
