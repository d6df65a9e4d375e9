#!/usr/bin/env bash
# Reads every result of every window over the accessibility bus (AT-SPI), as a screen
# reader does: on a virtual X server (Xvfb) with its own session bus and accessibility
# bus, tools/check_atspi.py starts the program, chooses and reads through the bus.
# Then it runs the in-process test of the results (test_desktop resultsRead) on the
# same screen, where Qt's accessibility is on and tells of every change.
# Usage: check-atspi.sh PROGRAM TEST_DESKTOP LIST_WINDOWS
set -euo pipefail
program=$(realpath "$1")
test_desktop=$(realpath "$2")
list_windows=$(realpath "$3")
here=$(dirname "$(realpath "$0")")

if [ "${MERILON_ATSPI_BUS:-}" = 1 ]; then
  # Inside the session bus: the screen reader's side, which starts the program.
  export QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 LC_ALL=C.UTF-8
  registry=$(mktemp)
  QT_QPA_PLATFORM=offscreen "$list_windows" >"$registry" 2>/dev/null
  timeout 120 /usr/bin/python3 "$here/check_atspi.py" "$program" "$registry"
  rm -f "$registry"
  timeout 120 "$test_desktop" resultsRead
  exit
fi

skip() { echo "SKIP: $*"; exit 77; }
command -v Xvfb >/dev/null || skip "no Xvfb (Debian: xvfb)"
command -v dbus-run-session >/dev/null || skip "no dbus-run-session (Debian: dbus-daemon)"
[ -x /usr/libexec/at-spi-bus-launcher ] || skip "no accessibility bus (Debian: at-spi2-core)"
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || skip "no pyatspi (Debian: python3-pyatspi)"

# A virtual screen first: the buses started later, and the registry that sends the
# keys and the mouse clicks, take its address from the environment.
exec 3< <(exec Xvfb -displayfd 4 -screen 0 1280x1024x24 -nolisten tcp 4>&1 2>/dev/null)
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null || true' EXIT
read -r -t 20 display <&3 || { echo "FAIL: Xvfb did not start"; exit 1; }
unset AT_SPI_BUS_ADDRESS # the desktop's own accessibility bus, where there is one
DISPLAY=":$display" MERILON_ATSPI_BUS=1 dbus-run-session -- bash "$0" "$program" "$test_desktop" "$list_windows"
