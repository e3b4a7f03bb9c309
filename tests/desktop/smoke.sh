#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Arcadeon developers
# SPDX-License-Identifier: GPL-3.0-or-later
# smoke.sh ARCADEON: the real program on a virtual screen (Xvfb with openbox),
# driven with xdotool: the menu appears centred on the screen with its frame
# (the first window too, whose frame is not known until it is framed), a
# click on the name "Ping" opens the
# Ping window and hides the menu, and closing the Ping window with the window
# manager ends the program with status 0. Skipped (77) without Xvfb, a
# failure under make test (missing.sh).
set -uo pipefail
program=$1
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../tools/lib/xsession.sh"

xsession_start_test smoke

fail() { echo "smoke: $*" >&2; exit 1; }

"$program" &
pid=$!
xsession_pids=("$pid" "${xsession_pids[@]}")

menu=$(xsession_window Menu) || fail "the menu did not appear"
# The frame's outer rectangle, from the client area and the frame's extents,
# centred on the screen. The program centres the first window again once the
# window manager has framed it, which a busy machine may take a while to do:
# the place is read until it is right, for a few seconds at most.
read -r screen_w screen_h < <(xwininfo -root | awk '/^  Width/ { w = $NF } /^  Height/ { h = $NF } END { print w, h }')
centred=0 off_x="?" off_y="?"
for _ in $(seq 50); do
  sleep 0.1
  read -r left right top bottom < <(xprop -id "$menu" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')
  [ -n "${bottom:-}" ] || continue
  x=$(xwininfo -id "$menu" | awk '/Absolute upper-left X/ { print $NF }')
  y=$(xwininfo -id "$menu" | awk '/Absolute upper-left Y/ { print $NF }')
  outer_w=$((657 + left + right)); outer_h=$((753 + top + bottom))
  off_x=$(( (x - left) - (screen_w - outer_w) / 2 )); off_y=$(( (y - top) - (screen_h - outer_h) / 2 ))
  if [ "${off_x#-}" -le 1 ] && [ "${off_y#-}" -le 1 ]; then centred=1; break; fi
done
[ $centred -eq 1 ] || fail "the menu is not centred: ${off_x}, ${off_y} pixels off"
# the name "Ping" spans the width of the menu, 320 to 368 pixels down
xdotool mousemove --window "$menu" 328 344 click 1
ping=$(xsession_window Ping) || fail "a click on the name Ping did not open the Ping window"
sleep 0.3
if xdotool search --onlyvisible --name '^Menu$' >/dev/null 2>&1; then fail "the menu is still on the screen"; fi

# Alt+F4 is openbox's close: with the menu hidden, no window is left and the
# program ends. The window manager may take a moment to focus the window, so
# the close is asked for again, as a person would, until the program is gone.
for attempt in 1 2 3 4 5; do
  [ "$attempt" -gt 1 ] && echo "smoke: close attempt $attempt" >&2
  xdotool windowactivate --sync "$ping" key --clearmodifiers alt+F4 2>/dev/null
  for _ in $(seq 20); do
    kill -0 "$pid" 2>/dev/null || break 2
    sleep 0.1
  done
done
kill -0 "$pid" 2>/dev/null && fail "the program did not end when its last window closed"
wait "$pid"
status=$?
[ $status -eq 0 ] || fail "exit status $status"
echo "smoke: menu, Ping and close passed"
