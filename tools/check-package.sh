#!/usr/bin/env bash
# Builds the Debian package from a configured and built tree and checks what an
# installation would get: dependencies worked out from the binary, the program,
# the menu entry (validated) and the icons.   Usage: check-package.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

(cd "$build" && cpack -G DEB -B "$work/out" >/dev/null)
deb=$(ls "$work"/out/merilon_*.deb)
echo "package: $(basename "$deb")"

fail() { echo "FAIL: $*"; exit 1; }
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for lib in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 qt6-qpa-plugins; do
  grep -q "\b$lib\b" <<<"$depends" || fail "no dependency on $lib"
done
[ "$(dpkg-deb -f "$deb" Package)" = merilon ] || fail "package name"

files=$(dpkg-deb -c "$deb" | awk '{print $6}')
for f in ./usr/bin/merilon ./usr/share/applications/merilon.desktop \
         ./usr/share/icons/hicolor/32x32/apps/merilon.png \
         ./usr/share/icons/hicolor/256x256/apps/merilon.png \
         ./usr/share/icons/hicolor/scalable/apps/merilon.svg; do
  grep -qx "$f" <<<"$files" || fail "missing $f"
done

dpkg-deb -x "$deb" "$work/root"
desktop-file-validate "$work/root/usr/share/applications/merilon.desktop" || fail "desktop entry"
grep -qx "Exec=merilon" "$work/root/usr/share/applications/merilon.desktop" || fail "Exec"
# The installed binary starts and shows its window.
QT_QPA_PLATFORM=offscreen timeout 20 "$work/root/usr/bin/merilon" &
pid=$!
sleep 3
kill -0 "$pid" 2>/dev/null || fail "the installed program did not stay up"
kill "$pid"
