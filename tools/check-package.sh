#!/usr/bin/env bash
# Builds the Debian package from a configured and built tree and checks what an
# installation would get: dependencies worked out from the binary, the program, the
# menu entry (validated), the icons, the manual pages, copyright, changelog, the README
# and the pages of docs/ beside it;
# Debian's lintian finds no error and no warning in it and appstreamcli validates its
# AppStream metainfo.   Usage: check-package.sh BUILD_DIR APP_ID
#
# Without the tools this needs (dpkg-dev, file, desktop-file-utils, lintian, appstream)
# it prints why and exits 77, which CTest counts as skipped; tools/test.sh installs them.
set -euo pipefail
build=$(cd "$1" && pwd)
id=$2
source=$(cd "$(dirname "$0")/.." && pwd)

missing=()
for tool in cpack:cmake dpkg-deb:dpkg dpkg-shlibdeps:dpkg-dev file:file \
            desktop-file-validate:desktop-file-utils lintian:lintian appstreamcli:appstream; do
  command -v "${tool%%:*}" >/dev/null || missing+=("${tool%%:*} (Debian: ${tool#*:})")
done
if [ ${#missing[@]} -ne 0 ]; then
  echo "SKIP: the package check needs $(IFS=,; echo "${missing[*]}" | sed 's/,/, /g')"
  exit 77
fi

work=$(mktemp -d)
pid=""
# Whatever way the check ends, the program it started ends too.
trap '[ -z "$pid" ] || kill "$pid" 2>/dev/null || true; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

(cd "$build" && cpack -G DEB -B "$work/out" >/dev/null)
deb=$(ls "$work"/out/merilon_*.deb)
echo "package: $(basename "$deb")"

depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
# The package names of a relationship field, one a line.
names() { tr ',|' '\n\n' <<<"$1" | awk '{print $1}'; }
# Debian 13 renamed Qt's libraries in its 64-bit time_t transition (libqt6core6t64).
for lib in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 qt6-qpa-plugins \
           qt6-translations-l10n; do
  names "$depends" | grep -Fqx -e "$lib" -e "${lib}t64" || fail "no dependency on $lib"
done
# A Wayland session runs the program natively with Qt's Wayland plugin.
recommends=$(dpkg-deb -f "$deb" Recommends)
echo "Recommends: $recommends"
names "$recommends" | grep -Fqx qt6-wayland || fail "qt6-wayland is not recommended"
[ "$(dpkg-deb -f "$deb" Package)" = merilon ] || fail "package name"
# The extended description: lines under 80 columns, no CMake list separator.
description=$(dpkg-deb -f "$deb" Description)
! grep -q ';' <<<"$description" || fail "a ';' in the description"
awk 'length($0) >= 80 { exit 1 }' <<<"$description" || fail "a description line of 80 columns or more"

files=$(dpkg-deb -c "$deb" | awk '{print $6}')
for f in ./usr/bin/merilon ./usr/share/applications/$id.desktop \
         ./usr/share/metainfo/$id.metainfo.xml \
         ./usr/share/icons/hicolor/32x32/apps/merilon.png \
         ./usr/share/icons/hicolor/256x256/apps/merilon.png \
         ./usr/share/icons/hicolor/scalable/apps/merilon.svg \
         ./usr/share/man/man1/merilon.1.gz ./usr/share/man/ru/man1/merilon.1.gz \
         ./usr/share/doc/merilon/copyright ./usr/share/doc/merilon/changelog.gz \
         ./usr/share/doc/merilon/README.md; do
  grep -qx "$f" <<<"$files" || fail "missing $f"
done
# The README's pages, beside it, so that its links hold.
for page in "$source"/docs/*.md; do
  f=./usr/share/doc/merilon/docs/$(basename "$page")
  grep -qx "$f" <<<"$files" || fail "missing $f"
done

dpkg-deb -x "$deb" "$work/root"
entry="$work/root/usr/share/applications/$id.desktop"
desktop-file-validate "$entry" || fail "desktop entry"
grep -qx "Exec=merilon" "$entry" || fail "Exec"
copyright="$work/root/usr/share/doc/merilon/copyright"
grep -qx "License: Expat" "$copyright" && grep -qx "License: OFL-1.1" "$copyright" ||
  fail "the copyright file names no MIT (Expat) or no OFL-1.1 licence"
# The links between the installed pages hold (the pictures are not installed).
doc="$work/root/usr/share/doc/merilon"
for page in "$doc"/README.md "$doc"/docs/*.md; do
  for link in $(grep -oE '\]\([^)#: ]+\.md' "$page" | sed 's/^](//'); do
    [ -f "$(dirname "$page")/$link" ] || fail "${page#"$work/root"} links to $link, which the package does not hold"
  done
done

# Debian's own checks. lintian: no error (E:) and no warning (W:); pedantic and
# informational notes are listed. appstreamcli: no error and no warning.
echo "lintian:"
report=$(lintian --pedantic --display-info "$deb" 2>&1 | grep -v 'running with root privileges') || true
echo "${report:-  (nothing)}"
! grep -q '^[EW]: ' <<<"$report" || fail "lintian reports errors or warnings"
echo "appstreamcli validate --no-net:"
metainfo="$work/root/usr/share/metainfo/$id.metainfo.xml"
appstreamcli validate --no-net --pedantic "$metainfo" || fail "AppStream metainfo"
! appstreamcli validate --no-net "$metainfo" | grep -q '^[EW]: ' || fail "AppStream warnings"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" || fail "launchable"

# The installed binary starts and shows its window.
QT_QPA_PLATFORM=offscreen timeout 20 "$work/root/usr/bin/merilon" &
pid=$!
sleep 3
kill -0 "$pid" 2>/dev/null || fail "the installed program did not stay up"
