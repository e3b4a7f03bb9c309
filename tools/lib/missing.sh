# SPDX-FileCopyrightText: 2026 The Arcadeon developers
# SPDX-License-Identifier: GPL-3.0-or-later
# For tests that need a tool the set-up installs (tools/install-deps test).
# Source this file, then call `missing TEST TOOL` when TOOL is not there: the
# test is skipped (exit 77) on a machine that merely lacks it, and fails
# (exit 1), naming the tool, when ARCADEON_REQUIRE_TOOLS is set, as `make
# test` sets it: there the set-up has installed every tool, so a missing one
# is a fault of the set-up, not a reason to pass.
missing() {
  if [ -n "${ARCADEON_REQUIRE_TOOLS:-}" ]; then
    echo "$1: $2 missing, though the set-up installs it (tools/install-deps test)" >&2
    exit 1
  fi
  echo "$1: $2 missing, skipped"
  exit 77
}
