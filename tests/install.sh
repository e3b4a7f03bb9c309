#!/usr/bin/env bash
# install.sh BUILD: `cmake --install BUILD` into a temporary prefix puts the
# two programs, the menu entry and the icon where a Linux desktop looks for
# them; the entry is valid and names what was installed; the installed
# programs need nothing from the source tree.
set -uo pipefail
build=$1
here=$(cd "$(dirname "$0")" && pwd)
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
failed=0
fail() { echo "install: $*" >&2; failed=1; }

cmake --install "$build" --prefix "$prefix" >/dev/null || { echo "install: cmake --install failed" >&2; exit 1; }

for program in arcadeon arcadeon-script; do
  [ -x "$prefix/bin/$program" ] || fail "bin/$program missing or not executable"
done

# A PNG's width and height, from its IHDR chunk.
png_size() { od -An -tu1 -j16 -N8 "$1" | awk '{ print $1*16777216+$2*65536+$3*256+$4 "x" $5*16777216+$6*65536+$7*256+$8 }'; }
for size in 48 256; do
  icon="$prefix/share/icons/hicolor/${size}x${size}/apps/arcadeon.png"
  if [ ! -f "$icon" ]; then fail "${size}x${size} icon missing"; continue; fi
  [ "$(head -c 8 "$icon" | od -An -tx1 | tr -d ' ')" = 89504e470d0a1a0a ] || fail "$icon is not a PNG"
  [ "$(png_size "$icon")" = "${size}x${size}" ] || fail "$icon is $(png_size "$icon"), not ${size}x${size}"
done
svg="$prefix/share/icons/hicolor/scalable/apps/arcadeon.svg"
grep -q '<svg ' "$svg" 2>/dev/null || fail "scalable icon missing or not SVG"

entry="$prefix/share/applications/arcadeon.desktop"
if [ ! -f "$entry" ]; then
  fail "share/applications/arcadeon.desktop missing"
else
  if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$entry" || fail "desktop-file-validate rejects the entry"
  fi
  value() { sed -n "s/^$1=//p" "$entry" | head -n1; }
  [ "$(value Type)" = Application ] || fail "Type is not Application"
  [ -n "$(value Name)" ] || fail "no Name"
  exec_program=$(value Exec)
  [ -x "$prefix/bin/${exec_program%% *}" ] || fail "Exec=$exec_program is not an installed program"
  [ -f "$prefix/share/icons/hicolor/scalable/apps/$(value Icon).svg" ] || fail "Icon=$(value Icon) is not an installed icon"
  value Categories | grep -q 'Game;' || fail "not in the Game category"
fi

# The installed runner plays a golden script from anywhere.
(cd / && "$prefix/bin/arcadeon-script" "$here/golden/ping-first-hit.script") | diff -u "$here/golden/ping-first-hit.out" - \
  || fail "the installed arcadeon-script does not print what it should"

[ $failed -eq 0 ] && echo "install: programs, menu entry and icons in place"
exit $failed
