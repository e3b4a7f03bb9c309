# SPDX-FileCopyrightText: 2026 The Arcadeon developers
# SPDX-License-Identifier: GPL-3.0-or-later
# A virtual X display with a window manager, for running the desktop program
# where there is no screen. Source this file, then call xsession_start; the
# display and the window manager stop when the shell exits.
#   xsession_start [WIDTHxHEIGHT]   sets DISPLAY; returns 77 when Xvfb or openbox is missing

source "$(dirname "${BASH_SOURCE[0]}")/missing.sh"

xsession_pids=()
xsession_dir=""

xsession_stop() {
  local pid
  for pid in "${xsession_pids[@]}"; do
    kill "$pid" 2>/dev/null || true
  done
  for pid in "${xsession_pids[@]}"; do
    wait "$pid" 2>/dev/null || true
  done
  xsession_pids=()
  [ -n "$xsession_dir" ] && rm -rf "$xsession_dir"
  xsession_dir=""
}

xsession_start() {
  local size=${1:-1280x1024}
  command -v Xvfb >/dev/null && command -v openbox >/dev/null || return 77
  xsession_dir=$(mktemp -d)
  trap xsession_stop EXIT
  # Xvfb picks a free display number and writes it to the file
  Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp 3>"$xsession_dir/display" 2>"$xsession_dir/xvfb.log" &
  xsession_pids+=($!)
  local tries=0
  while [ ! -s "$xsession_dir/display" ]; do
    tries=$((tries + 1))
    if [ $tries -gt 100 ]; then echo "xsession: Xvfb did not start" >&2; cat "$xsession_dir/xvfb.log" >&2; return 1; fi
    sleep 0.1
  done
  export DISPLAY=":$(head -n1 "$xsession_dir/display")"
  openbox --sm-disable >"$xsession_dir/openbox.log" 2>&1 &
  xsession_pids+=($!)
  # the window manager is up once it has claimed the root window
  tries=0
  until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; do
    tries=$((tries + 1))
    if [ $tries -gt 100 ]; then echo "xsession: openbox did not start" >&2; return 1; fi
    sleep 0.1
  done
}

# For a test named NAME that drives windows with xdotool: starts the
# session; a missing tool skips the test or fails it (missing.sh), and a
# session that cannot start fails it.
xsession_start_test() {
  local name=$1 tool
  for tool in xdotool Xvfb openbox xprop xwininfo; do
    command -v "$tool" >/dev/null || missing "$name" "$tool"
  done
  xsession_start || exit 1
  return 0
}

# Prints the id of the visible window whose title is exactly TITLE, waiting up
# to SECONDS (default 10); fails when there is none by then.
xsession_window() {
  local title=$1 seconds=${2:-10} tries=0 id
  while :; do
    id=$(xdotool search --onlyvisible --name "^${title}\$" 2>/dev/null | head -n1)
    if [ -n "$id" ]; then echo "$id"; return 0; fi
    tries=$((tries + 1))
    [ $tries -gt $((seconds * 10)) ] && return 1
    sleep 0.1
  done
}
