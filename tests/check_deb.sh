#!/bin/sh
# Builds the Debian package of the build directory $1 into a temporary directory (cpack, about a
# second) and checks its file list and dependencies: the program beside its bundled TLE files,
# the link and orbika-cli in /usr/bin, the desktop entry and the icon.
set -u
build=${1:?usage: check_deb.sh BUILD_DIR}
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
fail() { echo "package check: $*" >&2; exit 1; }

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$out" >/dev/null || fail "cpack failed"
deb=$(ls "$out"/orbika_*_*.deb 2>/dev/null | head -1)
[ -n "$deb" ] || fail "no orbika_<version>_<arch>.deb made"
list=$(dpkg-deb -c "$deb") || fail "cannot read $deb"
for f in ./usr/lib/orbika/orbika ./usr/lib/orbika/visual.txt ./usr/lib/orbika/IRIDIUM.TXT \
         ./usr/bin/orbika-cli ./usr/share/applications/orbika.desktop \
         ./usr/share/icons/hicolor/32x32/apps/orbika.png; do
  echo "$list" | grep -q " $f\$" || fail "$f missing"
done
echo "$list" | grep -q ' ./usr/bin/orbika -> /usr/lib/orbika/orbika$' || fail "/usr/bin/orbika link missing"
depends=$(dpkg-deb -f "$deb" Depends)
for p in libqt6widgets6 libqt6network6 qt6-qpa-plugins; do
  echo "$depends" | grep -q "$p" || fail "no dependency on $p"
done
echo "package check: ok ($(basename "$deb"))"
