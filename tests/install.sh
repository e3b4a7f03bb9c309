#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Arcadeon developers
# SPDX-License-Identifier: GPL-3.0-or-later
# install.sh BUILD SOURCE APP-ID: `cmake --install BUILD` into a temporary
# prefix puts the two programs, the menu entry, the icons in every hicolor
# size, the AppStream metadata, the manual pages and the licences where a
# Linux desktop looks for them; the entry is valid and names what was
# installed; the installed programs need nothing from the source tree. Then
# `make uninstall` (cmake/uninstall.cmake) takes all of it away again, the
# folders the install created included, and leaves what was there before.
set -uo pipefail
build=$1
source=$2
id=$3
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../tools/lib/missing.sh"
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
failed=0
fail() { echo "install: $*" >&2; failed=1; }

# Someone else's program and an empty folder, there before the install.
mkdir -p "$prefix/bin" "$prefix/share/man/man6"
echo other >"$prefix/bin/other-program"

cmake --install "$build" --prefix "$prefix" >/dev/null || { echo "install: cmake --install failed" >&2; exit 1; }

for program in arcadeon arcadeon-script; do
  [ -x "$prefix/bin/$program" ] || fail "bin/$program missing or not executable"
done

# A PNG's width and height, from its IHDR chunk.
png_size() { od -An -tu1 -j16 -N8 "$1" | awk '{ print $1*16777216+$2*65536+$3*256+$4 "x" $5*16777216+$6*65536+$7*256+$8 }'; }
for size in 16 22 24 32 48 64 128 256 512; do
  icon="$prefix/share/icons/hicolor/${size}x${size}/apps/$id.png"
  if [ ! -f "$icon" ]; then fail "${size}x${size} icon missing"; continue; fi
  [ "$(head -c 8 "$icon" | od -An -tx1 | tr -d ' ')" = 89504e470d0a1a0a ] || fail "$icon is not a PNG"
  [ "$(png_size "$icon")" = "${size}x${size}" ] || fail "$icon is $(png_size "$icon"), not ${size}x${size}"
done
svg="$prefix/share/icons/hicolor/scalable/apps/$id.svg"
grep -q '<svg ' "$svg" 2>/dev/null || fail "scalable icon missing or not SVG"

entry="$prefix/share/applications/$id.desktop"
if [ ! -f "$entry" ]; then
  fail "share/applications/$id.desktop missing"
else
  command -v desktop-file-validate >/dev/null || missing install desktop-file-validate
  desktop-file-validate "$entry" || fail "desktop-file-validate rejects the entry"
  value() { sed -n "s/^$1=//p" "$entry" | head -n1; }
  [ "$(value Type)" = Application ] || fail "Type is not Application"
  [ -n "$(value Name)" ] || fail "no Name"
  exec_program=$(value Exec)
  [ -x "$prefix/bin/${exec_program%% *}" ] || fail "Exec=$exec_program is not an installed program"
  [ -f "$prefix/share/icons/hicolor/scalable/apps/$(value Icon).svg" ] || fail "Icon=$(value Icon) is not an installed icon"
  value Categories | grep -q 'Game;' || fail "not in the Game category"
fi

metainfo="$prefix/share/metainfo/$id.metainfo.xml"
grep -q "<id>$id</id>" "$metainfo" 2>/dev/null || fail "share/metainfo/$id.metainfo.xml missing or not for $id"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" 2>/dev/null \
  || fail "the metadata does not launch $id.desktop"
for page in arcadeon arcadeon-script; do
  gzip -t "$prefix/share/man/man6/$page.6.gz" 2>/dev/null || fail "share/man/man6/$page.6.gz missing or not gzip"
done
for doc in copyright changelog.gz fonts/Lato-LICENSE.txt fonts/Blankenburg-LICENSE.txt \
    fonts/LiberationSans-LICENSE.txt fonts/osifont-LICENSE.txt fonts/osifont-LGPL-3.txt fonts/osifont-GPL-3.txt; do
  [ -s "$prefix/share/doc/arcadeon/$doc" ] || fail "share/doc/arcadeon/$doc missing"
done

# The installed runner plays a golden script from anywhere.
(cd / && "$prefix/bin/arcadeon-script" "$here/golden/ping-first-hit.script") | diff -u "$here/golden/ping-first-hit.out" - \
  || fail "the installed arcadeon-script does not print what it should"

# Installing twice changes nothing that uninstall needs.
cmake --install "$build" --prefix "$prefix" >/dev/null || fail "a second cmake --install failed"

# make uninstall: what was installed goes, folders included; what was there stays.
cmake -DBUILD="$build" -DPREFIX="$prefix" -P "$source/cmake/uninstall.cmake" >/dev/null || fail "uninstall failed"
left=$(cd "$prefix" && find . -mindepth 1 | sort | tr '\n' ' ')
[ "$left" = "./bin ./bin/other-program ./share ./share/man ./share/man/man6 " ] \
  || fail "after uninstall the prefix holds: $left"
cmake -DBUILD="$build" -DPREFIX="$prefix" -P "$source/cmake/uninstall.cmake" >/dev/null 2>&1 \
  && fail "a second uninstall did not say that nothing is installed"

[ $failed -eq 0 ] && echo "install: programs, menu entry, icons, metadata, manual pages and licences in place, and gone after uninstall"
exit $failed
