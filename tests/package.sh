#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Arcadeon developers
# SPDX-License-Identifier: GPL-3.0-or-later
# package.sh BUILD SOURCE VERSION APP-ID: CPack builds the Debian package
# arcadeon_VERSION_ARCH.deb; dpkg-shlibdeps has found its dependencies; it
# unpacks (dpkg-deb -x) into a temporary root with the programs in
# /usr/games, the menu entry, the icons, the metadata, the manual pages, the
# copyright file, the changelog and the fonts' licences; the packaged
# arcadeon-script plays a golden script; and lintian finds no error in it.
set -uo pipefail
build=$1
source=$2
version=$3
id=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
fail() { echo "package: $*" >&2; failed=1; }

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 \
  || { cat "$work/cpack.log" >&2; echo "package: cpack failed" >&2; exit 1; }
deb="$work/arcadeon_${version}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || { echo "package: $deb was not made; there is: $(ls "$work")" >&2; exit 1; }

depends=$(dpkg-deb -f "$deb" Depends)
names=" $(echo "$depends" | tr ',' '\n' | awk '{ print $1 }' | tr '\n' ' ')"
for library in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6; do
  [[ "$names" == *" $library "* ]] || fail "Depends lacks $library: $depends"
done
# Without X, Qt's Wayland platform opens the windows.
[ "$(dpkg-deb -f "$deb" Recommends)" = qt6-wayland ] || fail "Recommends is '$(dpkg-deb -f "$deb" Recommends)', not qt6-wayland"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "Version is $(dpkg-deb -f "$deb" Version), not $version"
[ "$(dpkg-deb -f "$deb" Section)" = games ] || fail "Section is not games"

root="$work/root"
dpkg-deb -x "$deb" "$root" || { echo "package: dpkg-deb -x failed" >&2; exit 1; }
for file in usr/games/arcadeon usr/games/arcadeon-script; do
  [ -x "$root/$file" ] || fail "$file missing or not executable"
done
expected=(
  "usr/share/applications/$id.desktop"
  "usr/share/metainfo/$id.metainfo.xml"
  "usr/share/icons/hicolor/scalable/apps/$id.svg"
  usr/share/man/man6/arcadeon.6.gz usr/share/man/man6/arcadeon-script.6.gz
  usr/share/doc/arcadeon/copyright usr/share/doc/arcadeon/changelog.gz
  usr/share/doc/arcadeon/fonts/Lato-LICENSE.txt usr/share/doc/arcadeon/fonts/Blankenburg-LICENSE.txt
  usr/share/doc/arcadeon/fonts/LiberationSans-LICENSE.txt usr/share/doc/arcadeon/fonts/osifont-LICENSE.txt
)
for size in 16 22 24 32 48 64 128 256 512; do expected+=("usr/share/icons/hicolor/${size}x${size}/apps/$id.png"); done
for file in "${expected[@]}"; do
  [ -s "$root/$file" ] || fail "$file missing"
done
grep -q "<release version=\"$version\"" "$root/usr/share/metainfo/$id.metainfo.xml" 2>/dev/null \
  || fail "the metadata does not name release $version"
zcat "$root/usr/share/man/man6/arcadeon.6.gz" 2>/dev/null | grep -q "^\.TH ARCADEON 6 .*\"Arcadeon $version\"" \
  || fail "the manual page does not carry version $version"

# The packaged runner plays a golden script.
"$root/usr/games/arcadeon-script" "$source/tests/golden/ping-first-hit.script" \
  | diff -u "$source/tests/golden/ping-first-hit.out" - || fail "the packaged arcadeon-script does not print what it should"
"$root/usr/games/arcadeon-script" --version | grep -qx "arcadeon-script $version" || fail "the packaged arcadeon-script is not version $version"

# lintian: no errors; its warnings, if any, are shown.
lintian --info "$deb" >"$work/lintian.log" 2>&1
lintian_status=$?
grep -E '^[EW]: ' "$work/lintian.log" >&2
if [ $lintian_status -ne 0 ] || grep -q '^E: ' "$work/lintian.log"; then
  fail "lintian reports errors (status $lintian_status)"
fi

[ $failed -eq 0 ] && echo "package: $(basename "$deb") holds what it should, runs, and lintian finds no error"
exit $failed
