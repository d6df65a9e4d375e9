#!/usr/bin/env bash
# Мерилон as a native Wayland client: starts the Wayland compositor weston with its own
# runtime folder, runs the test program TEST_WAYLAND in it on Qt's Wayland platform and
# reads the protocol log (WAYLAND_DEBUG) for the About window's request to be moved by
# the compositor (xdg_toplevel.move) after a real press on its body (xdotool). Weston
# runs on its X11 backend inside a virtual X server (Xvfb): its headless backend has no
# input seat, and with no seat a client can neither open a list's popup (Qt 6.4's
# Wayland plugin crashes in it) nor ask for a move.   Usage: check-wayland.sh TEST_WAYLAND
set -euo pipefail
test_program=$(realpath "$1")

skip() { echo "SKIP: $*"; exit 77; }
command -v weston >/dev/null || skip "no weston (Debian: weston)"
command -v Xvfb >/dev/null || skip "no Xvfb (Debian: xvfb)"
command -v xdotool >/dev/null || skip "no xdotool (Debian: xdotool)"
plugin=$(find /usr/lib/*/qt6/plugins/platforms -name 'libqwayland-generic.so' 2>/dev/null | head -n 1)
[ -n "$plugin" ] || skip "no Qt Wayland platform plugin (Debian: qt6-wayland)"

work=$(mktemp -d)
chmod 700 "$work"
pids=()
trap 'for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done; rm -rf "$work"' EXIT

exec 3< <(exec Xvfb -displayfd 4 -screen 0 1280x1024x24 -nolisten tcp 4>&1 2>/dev/null)
pids+=($!)
read -r -t 20 display <&3 || { echo "FAIL: Xvfb did not start"; exit 1; }

export XDG_RUNTIME_DIR=$work
unset WAYLAND_DISPLAY
DISPLAY=":$display" weston --backend=x11-backend.so --socket=merilon --idle-time=0 \
  --width=1200 --height=1000 --no-config --log="$work/weston.log" &
pids+=($!)
for _ in $(seq 100); do
  [ -S "$work/merilon" ] && break
  sleep 0.1
done
[ -S "$work/merilon" ] || { cat "$work/weston.log"; echo "FAIL: weston did not start"; exit 1; }

status=0
DISPLAY=":$display" WAYLAND_DISPLAY=merilon QT_QPA_PLATFORM=wayland LC_ALL=C.UTF-8 WAYLAND_DEBUG=client \
  timeout 120 "$test_program" 2>"$work/protocol.log" | grep -v '^QWARN.*cursor position' || status=$?
grep -v '^\[' "$work/protocol.log" | grep -v 'cursor position' || true
[ "$status" -eq 0 ] || { echo "FAIL: the windows on Wayland (status $status)"; exit 1; }
grep -qE 'xdg_toplevel[@#][0-9]+\.move\(' "$work/protocol.log" ||
  { echo "FAIL: a press on the About window's body did not ask the compositor to move it"; exit 1; }
echo "the About window asked the compositor to move it: $(grep -oE 'xdg_toplevel[@#][0-9]+\.move\([^)]*\)' "$work/protocol.log" | head -n 1)"
