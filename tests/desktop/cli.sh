#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Arcadeon developers
# SPDX-License-Identifier: GPL-3.0-or-later
# cli.sh ARCADEON VERSION: the desktop program's command line. --help (with
# each game's controls), --help-all (with Qt's own options) and --version
# print on standard output with status 0 and need no display; a bad option is
# one line on standard error with status 2; with no display to open windows
# on, one sentence on standard error that names arcadeon-script, status 1 and
# no abort; a platform that needs no display starts.
set -uo pipefail
program=$1
version=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0

# No display at all, and none to be found by its usual places.
headless=(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM XDG_RUNTIME_DIR="$work" XDG_SESSION_TYPE=tty)

# check NAME STATUS STDOUT-PATTERN STDERR-PATTERN COMMAND...: the patterns
# (grep -E) must match a line of each output; an empty one means no output.
check() {
  local name=$1 status=$2 out_pattern=$3 err_pattern=$4
  shift 4
  "$@" </dev/null >"$work/out" 2>"$work/err"
  local got=$?
  local problem=""
  [ "$got" -eq "$status" ] || problem="status $got, expected $status"
  if [ -z "$out_pattern" ]; then [ -s "$work/out" ] && problem="$problem; unexpected standard output"
  elif ! grep -Eq -- "$out_pattern" "$work/out"; then problem="$problem; standard output lacks $out_pattern"; fi
  if [ -z "$err_pattern" ]; then [ -s "$work/err" ] && problem="$problem; unexpected standard error"
  else
    [ "$(wc -l <"$work/err")" -eq 1 ] || problem="$problem; standard error is not one line"
    grep -Eq -- "$err_pattern" "$work/err" || problem="$problem; standard error lacks $err_pattern"
  fi
  if [ -n "$problem" ]; then
    echo "cli: $name: ${problem#; }" >&2
    echo "  stdout: $(head -c 400 "$work/out")" >&2
    echo "  stderr: $(head -c 400 "$work/err")" >&2
    failed=1
  fi
}

check "--help" 0 '^Usage: .*arcadeon \[options\]$' "" "${headless[@]}" "$program" --help
check "-h lists the controls" 0 '^  Froggy +the arrow keys move the frog' "" "${headless[@]}" "$program" -h
check "-h lists the options" 0 '^  -v, --version ' "" "${headless[@]}" "$program" -h
check "--help-all lists Qt's options" 0 '^  --platform <name\[:options\]> ' "" "${headless[@]}" "$program" --help-all
check "--version" 0 "^arcadeon $version\$" "" "${headless[@]}" "$program" --version
check "-v with Qt's options" 0 "^arcadeon $version\$" "" "${headless[@]}" "$program" -platform xcb -style fusion -v
check "unknown option" 2 "" "^arcadeon: Unknown option 'bogus'\. See 'arcadeon --help'\.\$" "${headless[@]}" "$program" --bogus
check "missing value" 2 "" "^arcadeon: Missing value after '-style'\. " "${headless[@]}" "$program" -style
check "an argument" 2 "" "^arcadeon: Unexpected argument 'ping'\. " "${headless[@]}" "$program" ping
check "no display" 1 "" "^arcadeon: there is no display .*; arcadeon-script plays the games without a display\.\$" \
  "${headless[@]}" "$program"
check "X11 asked for, no display" 1 "" "^arcadeon: there is no display " "${headless[@]}" "$program" -platform xcb
check "Wayland asked for, no display" 1 "" "^arcadeon: there is no display " \
  "${headless[@]}" QT_QPA_PLATFORM=wayland "$program"
# A display that is named but cannot be opened: Qt's platform fails to start.
check "a display that is not there" 1 "" \
  "^arcadeon: cannot open the windows on the display \":4242\", .*; arcadeon-script plays the games without a display\.\$" \
  "${headless[@]}" DISPLAY=:4242 QT_QPA_PLATFORM=xcb "$program"
grep -q 'does not start (.*could not connect to display' "$work/err" || { echo "cli: Qt's reason is not given: $(cat "$work/err")" >&2; failed=1; }
grep -q Reinstalling "$work/err" && { echo "cli: Qt's own abort message was shown" >&2; failed=1; }

# The offscreen platform needs no display: the program starts and keeps
# running until it is stopped.
"${headless[@]}" QT_QPA_PLATFORM=offscreen timeout 3 "$program" >/dev/null 2>"$work/err"
status=$?
[ $status -eq 124 ] || { echo "cli: offscreen: ended with status $status before it was stopped" >&2; cat "$work/err" >&2; failed=1; }

[ $failed -eq 0 ] && echo "cli: every case passed"
exit $failed
