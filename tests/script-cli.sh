#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Arcadeon developers
# SPDX-License-Identifier: GPL-3.0-or-later
# script-cli.sh RUNNER VERSION: the command line of arcadeon-script. --help and
# --version print on standard output with status 0; a bad command line, a FILE
# that cannot be read and output that cannot be written are one line
# "error: ..." on standard error with status 2, never a silent success.
set -uo pipefail
runner=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
version=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
printf 'print app.Clock\n' >clock.script
failed=0

# check NAME STATUS STDOUT-PATTERN STDERR-PATTERN COMMAND...: runs COMMAND with
# standard input from $stdin; the patterns (grep -E) match the whole output,
# an empty pattern meaning no output at all.
stdin=/dev/null
check() {
  local name=$1 status=$2 out_pattern=$3 err_pattern=$4
  shift 4
  "$@" <"$stdin" >out 2>err
  local got=$?
  local problem=""
  [ "$got" -eq "$status" ] || problem="status $got, expected $status"
  if [ -z "$out_pattern" ]; then [ -s out ] && problem="$problem; unexpected standard output"
  elif ! grep -Eq -- "$out_pattern" out; then problem="$problem; standard output does not match $out_pattern"; fi
  if [ -z "$err_pattern" ]; then [ -s err ] && problem="$problem; unexpected standard error"
  else
    [ "$(wc -l <err)" -eq 1 ] || problem="$problem; standard error is not one line"
    grep -Eq -- "^$err_pattern\$" err || problem="$problem; standard error does not match $err_pattern"
  fi
  if [ -n "$problem" ]; then
    echo "script-cli: $name: ${problem#; }" >&2
    echo "  stdout: $(head -c 300 out)" >&2
    echo "  stderr: $(head -c 300 err)" >&2
    failed=1
  fi
}

check "--help" 0 '^Usage: arcadeon-script \[OPTIONS\] \[FILE\]$' "" "$runner" --help
check "-h" 0 '^  -v, --version ' "" "$runner" -h
check "--version" 0 "^arcadeon-script $version\$" "" "$runner" --version
check "-v after a FILE" 0 "^arcadeon-script $version\$" "" "$runner" clock.script -v
check "unknown option" 2 "" "error: unknown option '--bogus' \(see arcadeon-script --help\)" "$runner" --bogus clock.script
check "unknown short option" 2 "" "error: unknown option '-x' .*" "$runner" -x
check "argument to a flag" 2 "" "error: option '--help' takes no argument .*" "$runner" --help=yes
check "two FILEs" 2 "" "error: one FILE at most, not also 'clock.script' .*" "$runner" clock.script clock.script
check "-- ends the options" 2 "" "error: --help: No such file or directory" "$runner" -- --help
check "a FILE after --" 0 '^app.Clock = 0$' "" "$runner" -- clock.script
check "a directory" 2 "" "error: $work: Is a directory" "$runner" "$work"
check "a missing FILE" 2 "" "error: nothing.script: No such file or directory" "$runner" nothing.script
stdin=clock.script
check "standard input" 0 '^app.Clock = 0$' "" "$runner"
check "- is standard input" 0 '^app.Clock = 0$' "" "$runner" -
stdin=$work
check "standard input a directory" 2 "" "error: standard input: Is a directory" "$runner" -
stdin=/dev/null
check "output to a full disk" 2 "" "error: standard output: No space left on device" sh -c '"$0" clock.script >/dev/full' "$runner"
check "help to a full disk" 2 "" "error: standard output: No space left on device" sh -c '"$0" --help >/dev/full' "$runner"
check "output closed" 2 "" "error: standard output: Bad file descriptor" sh -c '"$0" clock.script >&-' "$runner"
# The output a script printed before its bad line stays.
printf 'print app.Clock\njump\n' >bad.script
check "a bad line" 2 '^app.Clock = 0$' "error: line 2: unknown command 'jump'" "$runner" bad.script

[ $failed -eq 0 ] && echo "script-cli: every case passed"
exit $failed
