#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Arcadeon developers
# SPDX-License-Identifier: GPL-3.0-or-later
# session.sh ARCADEON GOLDEN-DIR: the desktop program's --record, --replay and
# --speed options on Qt's offscreen platform (no display needed).
set -uo pipefail
program=$1
golden=$2
export QT_QPA_PLATFORM=offscreen
# The system's reasons below (strerror) are compared in English, whatever
# language the machine speaks.
export LC_ALL=C.UTF-8
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "session: $*" >&2; failures=$((failures + 1)); }

# Each bad command line is one error on standard error and status 2, before
# any window opens (the program would otherwise run until killed).
printf 'jump\n' >"$work/bad-command.script"
printf 'click frmMenu imgPing\nok\n' >"$work/ok-without-box.script"
printf 'click frmMenu lblPing\ntick 70000\nwait 99999999999\nprint frmPing.Nothing\n' >"$work/bad-late.script"
while IFS='|' read -r arguments expected; do
  read -ra words <<<"$arguments"
  timeout 20 "$program" "${words[@]}" >"$work/out" 2>"$work/err"
  status=$?
  [ $status -eq 2 ] || fail "arcadeon $arguments: status $status, not 2"
  grep -qF -- "$expected" "$work/err" || fail "arcadeon $arguments: no '$expected' in: $(cat "$work/err")"
done <<EOF
--bogus|Unknown option 'bogus'
--record|Missing value after '--record'
--record= |--record needs a file name
--record $work/no/such/dir/game.script|cannot record to $work/no/such/dir/game.script: No such file or directory
--record /dev/full|cannot record to /dev/full: No space left on device
--replay $work/missing.script|error: $work/missing.script: No such file or directory
--replay $work/bad-command.script|error: line 1: unknown command 'jump'
--replay $work/ok-without-box.script|error: line 2: no message box is open
--replay $work/bad-late.script|error: line 4: frmPing has no property or variable 'Nothing'
--replay $golden/ping-first-hit.script --speed 9|--speed takes a number from 0.25 to 8, not '9'
--replay $golden/ping-first-hit.script --speed=fast|--speed takes a number from 0.25 to 8, not 'fast'
--speed 2|--speed is for --replay
--record $work/a.script --replay $golden/ping-first-hit.script|--record and --replay do not go together
extra-argument|Unexpected argument 'extra-argument'
EOF
[ -e "$work/no/such/dir/game.script" ] && fail "a recording appeared where none can be"

# --record=FILE and --record FILE: a header, then, on SIGTERM, the final state.
for form in "--record=$work/equals.script" "--record $work/space.script"; do
  read -ra words <<<"$form"
  "$program" "${words[@]}" 2>"$work/err" &
  pid=$!
  sleep 2
  kill -TERM "$pid"
  wait "$pid"
  status=$?
  file=${words[-1]#--record=}
  [ $status -eq 143 ] || fail "arcadeon $form: SIGTERM gave status $status"
  head -n1 "$file" | grep -q '^# Arcadeon [0-9.]*, a game recorded with arcadeon --record on 20' || fail "arcadeon $form: no header"
  grep -qx '# final app.ActiveForm = frmMenu' "$file" || fail "arcadeon $form: no final state"
done

# A replay prints what the runner prints, byte for byte; a script that ends
# the program ends the replay with status 0; one that does not leaves the
# person playing, here until killed.
for name in menu-start-and-navigation pause-enter-quits pause-keys resume-hides-the-last-window; do
  timeout 60 "$program" --replay "$golden/$name.script" --speed 8 >"$work/out" 2>"$work/err"
  status=$?
  [ $status -eq 0 ] || fail "replay of $name: status $status: $(cat "$work/err")"
  cmp -s "$golden/$name.out" "$work/out" || fail "replay of $name printed: $(cat "$work/out")"
done
# A window the script makes larger than any screen is shown at the largest
# size the window system takes (a valid script, whatever the windows can show).
printf 'resize frmMenu 3000000000 100\nwait 50\nprint frmMenu.ScaleWidth\nkey 27\nkey 13\n' >"$work/huge.script"
timeout 60 "$program" --replay "$work/huge.script" --speed 8 >"$work/out" 2>"$work/err"
status=$?
[ $status -eq 0 ] || fail "replay of a huge resize: status $status: $(cat "$work/err")"
grep -qx 'frmMenu.ScaleWidth = 3000000000' "$work/out" || fail "replay of a huge resize printed: $(cat "$work/out")"
"$program" --replay "$golden/ping-first-hit.script" --speed 4 >"$work/out" 2>"$work/err" &
pid=$!
for _ in $(seq 300); do
  [ "$(wc -l <"$work/out")" -ge "$(wc -l <"$golden/ping-first-hit.out")" ] && break
  sleep 0.1
done
kill -0 "$pid" 2>/dev/null || fail "the replay of ping-first-hit ended instead of handing over"
kill -TERM "$pid"
wait "$pid" 2>/dev/null
cmp -s "$golden/ping-first-hit.out" "$work/out" || fail "replay of ping-first-hit printed: $(cat "$work/out")"

[ $failures -eq 0 ] || exit 1
echo "session: options, recording and replay passed"
