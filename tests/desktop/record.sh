#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Arcadeon developers
# SPDX-License-Identifier: GPL-3.0-or-later
# record.sh ARCADEON ARCADEON-SCRIPT: a game recorded in the real program on a
# virtual screen (Xvfb with openbox) and played with xdotool through the menu,
# the Difficulty dialog and each game: held arrow keys in Froggy, mouse moves
# and clicks in Ping and Invaders, the welcome box, Escape and the Pause
# dialog, a game window resized and one closed by the window manager. The
# program is stopped with SIGSTOP for over a second while the Invaders shot
# and bombs fly, and ended with SIGTERM. The recording must hold a stall,
# pass arcadeon-script --verify, replay in the real program to the same final
# state, and fail --verify, naming the path, once one recorded value is
# changed. Skipped (77) without Xvfb, a failure under make test (missing.sh).
set -uo pipefail
program=$1
runner=$2
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../tools/lib/xsession.sh"

xsession_start_test record

work=$(mktemp -d)
trap 'rm -rf "$work"; xsession_stop' EXIT
recording=$work/game.script

fail() {
  echo "record: $*" >&2
  [ -f "$recording" ] && { echo "--- the recording, without its final state:" >&2; grep -v '^# final ' "$recording" | tail -n 40 >&2; }
  exit 1
}

# The visible window whose title is exactly TITLE, waiting for it; a loaded
# machine may take a while to map it.
window() {
  timeout 30 xdotool search --sync --onlyvisible --name "^$1\$" 2>/dev/null | head -n1
}
# Waits until no visible window has that title.
gone() {
  local _
  for _ in $(seq 100); do
    xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1 || return 0
    sleep 0.1
  done
  return 1
}
# Pixel (X, Y) of a window's client area: the pointer moves there, and clicks.
move() { xdotool mousemove --window "$1" "$2" "$3"; sleep 0.15; }
click() { move "$@"; xdotool click 1; sleep 0.3; }
key() { xdotool windowactivate --sync "$1" 2>/dev/null; xdotool key --clearmodifiers "${@:2}"; sleep 0.3; }

"$program" --record "$recording" &
pid=$!
xsession_pids=("$pid" "${xsession_pids[@]}")

# The menu; the Ping picture opens the Difficulty dialog: Normal, then Play!.
menu=$(window Menu) || fail "the menu did not appear"
sleep 0.5
click "$menu" 336 434
difficulty=$(window Difficulty) || fail "the Difficulty dialog did not open"
click "$difficulty" 40 87
click "$difficulty" 132 88

# Ping: GO, the paddle after the mouse, PAUSE before the ball can be lost,
# the window made smaller, Escape, then Quit to Menu in the Pause dialog.
ping=$(window Ping) || fail "Ping did not open"
click "$ping" 888 36
for x in 300 420 540 660 500; do move "$ping" "$x" 450; done
click "$ping" 888 36
xdotool windowsize "$ping" 800 560
sleep 0.5
key "$ping" Escape
pause=$(window Pause) || fail "Escape did not open the Pause dialog"
click "$pause" 68 76
menu=$(window Menu) || fail "Quit to Menu did not bring back the menu"
sleep 0.3

# Froggy: the frog walks with held arrow keys; Escape (on its release) opens
# the Pause dialog; the game window is closed by the window manager, and
# Quit to Menu brings back the menu.
click "$menu" 328 528
froggy=$(window Roadleaper) || fail "Froggy did not open"
xdotool windowactivate --sync "$froggy" 2>/dev/null
sleep 0.3
xdotool keydown Up; sleep 0.8; xdotool keyup Up; sleep 0.2
xdotool keydown Left; sleep 0.5; xdotool keyup Left; sleep 0.2
xdotool key Right Right; sleep 0.3
key "$froggy" Escape
pause=$(window Pause) || fail "Escape did not open the Pause dialog in Froggy"
for attempt in 1 2 3 4 5; do
  xdotool windowactivate --sync "$froggy" key --clearmodifiers alt+F4 2>/dev/null
  gone Roadleaper && break
done
gone Roadleaper || fail "the Froggy window did not close"
pause=$(window Pause) || fail "the Pause dialog went with the Froggy window"
click "$pause" 68 76
menu=$(window Menu) || fail "Quit to Menu did not bring back the menu after Froggy"
sleep 0.3

# Invaders: the welcome box, closed with Enter; the ship after the mouse; a
# shot; then the program stopped while the shot and the bombs fly.
click "$menu" 328 125
welcome=$(window 'Welcome!') || fail "the welcome box did not appear"
key "$welcome" Return
gone 'Welcome!' || fail "the welcome box did not close"
invaders=$(window 'Vavod Uvavovirovu Divadazo!') || fail "the Invaders game did not open"
for x in 250 330 410 380; do move "$invaders" "$x" 380; done
xdotool click 1
sleep 1.5
move "$invaders" 300 380
xdotool click 1
sleep 0.1
kill -STOP "$pid"
sleep 1.3
kill -CONT "$pid"
sleep 1
for x in 320 360 400; do move "$invaders" "$x" 380; done
xdotool click 1
sleep 0.5

kill -TERM "$pid"
wait "$pid"
status=$?
[ $status -eq 143 ] || fail "SIGTERM ended the program with status $status"

# What the recording holds.
for line in '^# Arcadeon [0-9]' '^stall [0-9]' '^wait [0-9]' '^click frmMenu ' '^click frmDifficulty ' '^move frmPing ' \
  '^resize frmPing ' '^keydown 27$' '^keydown 38$' '^keyup 38$' '^keydown 37$' '^close frmFroggy$' '^ok$' \
  '^move frmInvaders ' '^click frmInvaders ' '^# final app.ActiveForm = frmInvaders$' '^# final Module1.intDifficulty = 2$'; do
  grep -q -- "$line" "$recording" || fail "the recording has no line matching $line"
done
echo "record: $(grep -c . "$recording") lines, $(grep -c '^stall' "$recording") stalls, $(grep -c '^keydown 38$' "$recording") presses of Up (repeats included), $(grep -c '^# final ' "$recording") final values"

# The runner plays it to the same state.
verified=$("$runner" --verify "$recording") || fail "arcadeon-script --verify failed: $verified"
echo "record: $verified"

# So does the real program: the replay prints every final path once the
# script's lines are over, and then the person could play on.
grep '^# final ' "$recording" | sed 's/^# final //' >"$work/expected"
{ cat "$recording"; sed 's/^\([^ ]*\) =.*$/print \1/' "$work/expected"; } >"$work/replay.script"
"$program" --replay "$work/replay.script" --speed 2 >"$work/replayed" 2>"$work/replay.err" &
replay=$!
xsession_pids=("$replay" "${xsession_pids[@]}")
expected_lines=$(wc -l <"$work/expected")
for _ in $(seq 600); do
  [ "$(grep -c ' = ' "$work/replayed")" -ge "$expected_lines" ] && break
  kill -0 "$replay" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$replay" 2>/dev/null || fail "the replay ended early: $(cat "$work/replay.err")"
kill "$replay"
wait "$replay" 2>/dev/null
grep ' = ' "$work/replayed" >"$work/replayed-values"
diff -u "$work/expected" "$work/replayed-values" >&2 || fail "the replay ended in another state"
echo "record: the replay reached the recorded state"

# One value changed: --verify names it and fails.
sed 's/^# final frmInvaders\.imgShip\.Left = \(.*\)$/# final frmInvaders.imgShip.Left = 1\1/' "$recording" >"$work/changed.script"
cmp -s "$recording" "$work/changed.script" && fail "the recording has no frmInvaders.imgShip.Left"
"$runner" --verify "$work/changed.script" >"$work/changed.out"
status=$?
[ $status -eq 1 ] || fail "--verify of a changed recording gave status $status"
grep -q "^frmInvaders.imgShip.Left: recorded '1" "$work/changed.out" || fail "--verify did not name the changed value: $(cat "$work/changed.out")"
echo "record: record, verify, replay and a changed value passed"
