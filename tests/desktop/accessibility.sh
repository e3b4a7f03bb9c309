#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Arcadeon developers
# SPDX-License-Identifier: GPL-3.0-or-later
# accessibility.sh ARCADEON ARCADEON-SCRIPT: the real program on a virtual
# screen with a session bus and the accessibility bus, read and driven by a
# screen reader's library (accessibility.py): the menu's games, the Pause
# dialog's buttons and focus, the Difficulty dialog's options, Ping's
# counters, each opened by pressing elements through AT-SPI. The recording of
# that session must pass arcadeon-script --verify. Skipped (77) when Xvfb,
# the session bus or pyatspi is missing, a failure under make test (missing.sh).
set -uo pipefail
program=$1
runner=$2
here=$(cd "$(dirname "$0")" && pwd)

source "$here/../../tools/lib/missing.sh"
# Debian's python3, which has pyatspi, whatever python3 comes first on PATH.
python=/usr/bin/python3
[ -x "$python" ] && "$python" -c 'import pyatspi' 2>/dev/null || missing accessibility "python3-pyatspi"
command -v dbus-run-session >/dev/null || missing accessibility "dbus-run-session"

if [ -z "${DBUS_SESSION_BUS_ADDRESS:-}" ] || [ -z "${ARCADEON_A11Y_SESSION:-}" ]; then
  ARCADEON_A11Y_SESSION=1 exec dbus-run-session -- bash "$0" "$@" 2> >(grep -v 'fd limit\|org.a11y\|SpiRegistry' >&2)
fi

source "$here/../../tools/lib/xsession.sh"
xsession_start_test accessibility

work=$(mktemp -d)
trap 'rm -rf "$work"; xsession_stop' EXIT
recording=$work/session.script

# A key for the active window of that title: what accessibility.py cannot do itself.
cat >"$work/escape" <<'KEY'
#!/usr/bin/env bash
id=$(timeout 20 xdotool search --sync --onlyvisible --name "^$1\$" 2>/dev/null | head -n1)
xdotool windowactivate --sync "$id" 2>/dev/null
xdotool key --clearmodifiers Escape
sleep 0.3
KEY
chmod +x "$work/escape"

QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$program" --record "$recording" 2>"$work/err" &
pid=$!
xsession_pids=("$pid" "${xsession_pids[@]}")

"$python" "$here/accessibility.py" "$work/escape"
status=$?
for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$pid" 2>/dev/null; then
  echo "accessibility: the program did not end on Quit" >&2
  status=1
fi
wait "$pid"
[ $? -eq 0 ] || { echo "accessibility: the program's exit status was not 0" >&2; cat "$work/err" >&2; status=1; }
grep -q "^click frmMenu" "$recording" || { echo "accessibility: no press was recorded as a click" >&2; status=1; }
"$runner" --verify "$recording" >/dev/null || { echo "accessibility: the recording does not verify" >&2; cat "$recording" >&2; status=1; }
[ $status -eq 0 ] && echo "accessibility: the screen reader's view and presses passed"
exit $status
