#!/usr/bin/env bash
# Installs, where they are missing, the Debian packages (Debian 12 or 13) that building
# and running Мерилон needs; with --tests also every tool the tests use; and the packages named
# as arguments.   Usage: install-deps.sh [--tests] [PACKAGE...]
# Runs as root, or through sudo.
set -euo pipefail

# The compiler, the build tools, Qt, Qt's own Russian texts that the program loads, and
# Qt's Wayland platform, with which the program runs natively on a Wayland desktop.
packages=(g++ cmake ninja-build qt6-base-dev qt6-translations-l10n qt6-wayland)
# The tools of the tests: the package check (dpkg-dev, file for CPack, desktop-file-utils,
# lintian, appstream), the benchmarks, Valgrind's memcheck, and the screen-reader check
# on a virtual X server with the accessibility bus, the Wayland check (the weston
# compositor, real pointer input with xdotool), and the check of what the screen reader
# Orca says (Orca, speech-dispatcher, the Russian locale).
tests=(dpkg-dev file desktop-file-utils lintian appstream libbenchmark-dev valgrind
       xvfb at-spi2-core dbus-x11 python3-pyatspi weston xdotool orca speech-dispatcher locales-all)
if [ "${1:-}" = --tests ]; then
  shift
  packages+=("${tests[@]}")
fi
packages+=("$@")

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
$sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
