#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Arcadeon developers
# SPDX-License-Identifier: GPL-3.0-or-later
# metadata.sh BUILD SOURCE APP-ID: the manual pages render with
# `man --warnings` without a single warning; the AppStream metadata passes
# `appstreamcli validate --no-net` and the menu entry `desktop-file-validate`,
# both with no error and no warning.
set -uo pipefail
build=$1
source=$2
id=$3
failed=0
fail() { echo "metadata: $*" >&2; failed=1; }

for page in arcadeon arcadeon-script; do
  file="$build/docs/$page.6"
  [ -f "$file" ] || { fail "$file missing"; continue; }
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$file" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "man --warnings on $page(6): $warnings"
  # every section a reader looks for
  text=$(LC_ALL=C.UTF-8 MANWIDTH=80 man -l "$file" 2>/dev/null)
  for section in NAME SYNOPSIS DESCRIPTION OPTIONS "EXIT STATUS" "SEE ALSO"; do
    grep -qx "$section" <<<"$text" || fail "$page(6) has no $section section"
  done
done

metainfo="$build/shell/desktop/$id.metainfo.xml"
report=$(appstreamcli validate --no-net "$metainfo" 2>&1)
status=$?
if [ $status -ne 0 ] || grep -Eq '^[EW]: ' <<<"$report"; then fail "appstreamcli validate (status $status): $report"; fi

report=$(desktop-file-validate "$source/shell/desktop/$id.desktop" 2>&1)
status=$?
if [ $status -ne 0 ] || [ -n "$report" ]; then fail "desktop-file-validate (status $status): $report"; fi

[ $failed -eq 0 ] && echo "metadata: manual pages, AppStream metadata and menu entry pass their validators"
exit $failed
