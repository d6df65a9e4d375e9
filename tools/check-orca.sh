#!/usr/bin/env bash
# What the screen reader Orca says while a user drives Мерилон from the keyboard: on a
# virtual X server (Xvfb) with its own session and accessibility buses, Orca speaks
# Russian through speech-dispatcher into a file (a generic output module that appends
# each utterance), and tools/check_orca.py presses keys (xdotool) and waits for what
# must be heard.   Usage: check-orca.sh PROGRAM LIST_WINDOWS
set -euo pipefail
program=$(realpath "$1")
list_windows=$(realpath "$2")
here=$(dirname "$(realpath "$0")")

if [ "${MERILON_ORCA_BUS:-}" = 1 ]; then
  # Inside the session bus: Orca first, then the check, which starts the program.
  orca --replace ${MERILON_ORCA_DEBUG:+--debug-file="$MERILON_ORCA_DEBUG"} >"$MERILON_ORCA_WORK/orca.log" 2>&1 &
  orca=$!
  # Orca, and the speech-dispatcher it started (whose socket lies in this run's
  # runtime folder), end with the check.
  trap 'kill "$orca" 2>/dev/null; pkill -f -- "$XDG_RUNTIME_DIR" 2>/dev/null; true' EXIT
  timeout 240 /usr/bin/python3 "$here/check_orca.py" "$program" "$MERILON_ORCA_WORK/spoken.txt" \
    "$MERILON_ORCA_WORK/windows.jsonl"
  exit
fi

skip() { echo "SKIP: $*"; exit 77; }
command -v orca >/dev/null || skip "no Orca (Debian: orca)"
command -v speech-dispatcher >/dev/null || skip "no speech-dispatcher (Debian: speech-dispatcher)"
command -v Xvfb >/dev/null || skip "no Xvfb (Debian: xvfb)"
command -v xdotool >/dev/null || skip "no xdotool (Debian: xdotool)"
command -v dbus-run-session >/dev/null || skip "no dbus-run-session (Debian: dbus-daemon)"
locale -a 2>/dev/null | grep -ix 'ru_RU.utf8' >/dev/null || skip "no Russian locale ru_RU.UTF-8 (Debian: locales-all)"

# Orca on a loaded machine has been seen to fall silent for good in the middle of a
# run (once in fifteen runs; not even a key's echo from that point on). Such a run, and
# only such, is run once more, and says so.
if [ -z "${MERILON_ORCA_RUN:-}" ]; then
  export MERILON_ORCA_STALLED
  MERILON_ORCA_STALLED=$(mktemp)
  rm -f "$MERILON_ORCA_STALLED"
  status=0
  MERILON_ORCA_RUN=1 bash "$0" "$program" "$list_windows" || status=$?
  if [ "$status" -ne 0 ] && [ -e "$MERILON_ORCA_STALLED" ]; then
    rm -f "$MERILON_ORCA_STALLED"
    echo "Orca fell silent: the check runs once more"
    status=0
    MERILON_ORCA_RUN=2 bash "$0" "$program" "$list_windows" || status=$?
    rm -f "$MERILON_ORCA_STALLED"
  fi
  exit "$status"
fi

work=$(mktemp -d)
chmod 755 "$work"
# The result is the check's: a file that a dying process still writes does not fail it.
trap 'status=$?; kill "$xvfb" 2>/dev/null; sleep 0.5; rm -rf "$work" 2>/dev/null; exit "$status"' EXIT
# A home of its own: speech-dispatcher's settings, a silent sound device (it will not
# start without one), Orca's defaults.
export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_DATA_HOME=$work/home/.local/share
export XDG_CACHE_HOME=$work/home/.cache XDG_RUNTIME_DIR=$work/run
mkdir -p "$XDG_CONFIG_HOME/speech-dispatcher/modules" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
echo 'pcm.!default { type null }' >"$HOME/.asoundrc"
cat >"$XDG_CONFIG_HOME/speech-dispatcher/speechd.conf" <<CONF
AudioOutputMethod "alsa"
AddModule "file" "sd_generic" "file.conf"
DefaultModule file
LanguageDefaultModule "ru" "file"
CONF
cat >"$XDG_CONFIG_HOME/speech-dispatcher/modules/file.conf" <<CONF
GenericExecuteSynth "printf '%s\\\\n' \\"\$DATA\\" >> $work/spoken.txt"
AddVoice "ru" "MALE1" "ru"
GenericLanguage "ru" "ru" "utf-8"
CONF
: >"$work/spoken.txt"
QT_QPA_PLATFORM=offscreen "$list_windows" >"$work/windows.jsonl" 2>/dev/null

exec 3< <(exec Xvfb -displayfd 4 -screen 0 1280x1024x24 -nolisten tcp 4>&1 2>/dev/null)
xvfb=$!
read -r -t 20 display <&3 || { echo "FAIL: Xvfb did not start"; exit 1; }
unset AT_SPI_BUS_ADDRESS WAYLAND_DISPLAY
status=0
DISPLAY=":$display" LANG=ru_RU.UTF-8 LC_ALL=ru_RU.UTF-8 QT_QPA_PLATFORM=xcb MERILON_ORCA_BUS=1 \
  MERILON_ORCA_WORK=$work dbus-run-session -- bash "$0" "$program" "$list_windows" 2>"$work/bus.log" || status=$?
[ "$status" -eq 0 ] || { echo "--- Orca's log"; tail -20 "$work/orca.log"; }
exit "$status"
