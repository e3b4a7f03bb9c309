#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Arcadeon developers
# SPDX-License-Identifier: GPL-3.0-or-later
# wayland.sh ARCADEON ARCADEON-SCRIPT GOLDEN-DIR: the real windows on Qt's
# Wayland platform, under a headless Wayland compositor (weston): golden
# scripts replayed there print what the runner prints, byte for byte, with
# exit status 0 and nothing on standard error. Skipped (77) when weston or
# Qt's Wayland plugin is missing, a failure under make test (missing.sh).
set -uo pipefail
program=$1
runner=$2
golden=$3

here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../tools/lib/missing.sh"
command -v weston >/dev/null || missing wayland weston
ls /usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so >/dev/null 2>&1 || missing wayland "qt6-wayland"

work=$(mktemp -d)
# the sanitizer build: suppressed leaks of system libraries are not listed on standard error
export LSAN_OPTIONS="${LSAN_OPTIONS:+$LSAN_OPTIONS:}print_suppressions=0"
export XDG_RUNTIME_DIR=$work
chmod 700 "$work"
weston --backend=headless-backend.so --socket=wayland-arcadeon --idle-time=0 >"$work/weston.log" 2>&1 &
weston=$!
trap 'kill "$weston" 2>/dev/null; wait "$weston" 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 100); do [ -S "$work/wayland-arcadeon" ] && break; sleep 0.1; done
[ -S "$work/wayland-arcadeon" ] || { echo "wayland: weston did not start" >&2; cat "$work/weston.log" >&2; exit 1; }

failures=0
# Scripts that end the program, so the replay ends with it.
for name in menu-start-and-navigation pause-enter-quits pause-keys resume-hides-the-last-window; do
  "$runner" "$golden/$name.script" >"$work/expected" 2>/dev/null
  env -u DISPLAY WAYLAND_DISPLAY=wayland-arcadeon QT_QPA_PLATFORM=wayland \
    timeout 60 "$program" --replay "$golden/$name.script" --speed 8 >"$work/out" 2>"$work/err" </dev/null
  status=$?
  [ $status -eq 0 ] || { echo "wayland: $name: status $status" >&2; failures=$((failures + 1)); }
  cmp -s "$work/expected" "$work/out" || { echo "wayland: $name printed: $(cat "$work/out")" >&2; failures=$((failures + 1)); }
  [ -s "$work/err" ] && { echo "wayland: $name wrote on standard error: $(cat "$work/err")" >&2; failures=$((failures + 1)); }
done
[ $failures -eq 0 ] || exit 1
echo "wayland: replays in the real windows passed"
