#!/bin/sh
# Installs the build directory $1 into a temporary prefix and checks that the program, its TLE
# files, orbika-cli, the desktop entry and the icon land where the README says.
set -u
build=${1:?usage: check_install.sh BUILD_DIR}
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
fail() { echo "install check: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null || fail "cmake --install failed"

# bin/orbika links to the program in its own directory, next to the bundled TLE files that a
# user's first start copies into ~/.config/orbika when the directory is not writable.
[ -L "$prefix/bin/orbika" ] || fail "bin/orbika is not a link"
program=$(readlink -f "$prefix/bin/orbika")
progdir=$(dirname "$program")
case "$progdir" in "$prefix"/lib*/orbika) ;; *) fail "program directory $progdir" ;; esac
[ -x "$program" ] || fail "program $program not executable"
for f in visual.txt IRIDIUM.TXT; do
  cmp -s "$progdir/$f" "$(dirname "$0")/../data/tle/$f" || fail "$f not installed beside the program"
done

# orbika-cli runs from bin with the installed TLE file.
"$prefix/bin/orbika-cli" passes --sat ISS --tle "$progdir/visual.txt" --days 1 >/dev/null \
  || fail "installed orbika-cli does not run"

desktop="$prefix/share/applications/orbika.desktop"
grep -q '^Exec=orbika$' "$desktop" || fail "desktop entry missing or without Exec=orbika"
grep -q '^Icon=orbika$' "$desktop" || fail "desktop entry without Icon=orbika"
icon="$prefix/share/icons/hicolor/32x32/apps/orbika.png"
[ "$(head -c 4 "$icon" | tail -c 3)" = PNG ] || fail "icon missing or not a PNG"
echo "install check: ok ($progdir)"
