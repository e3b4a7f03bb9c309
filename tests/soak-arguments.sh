#!/bin/sh
# SPDX-FileCopyrightText: 2026 The Arcadeon developers
# SPDX-License-Identifier: GPL-3.0-or-later
# soak-arguments.sh SOAK: a count the soak cannot read is an error with
# status 2 and nothing run, never a run of nothing reported as success (a
# CI line with a mistyped count must fail).
soak=$1
fail=0
for args in "--steps abc" "--steps -5" "--steps 0" "--steps 5x" "--steps ''" "--seeds 0" "--seeds -1" \
            "--seed abc" "--seed -1" "--seed 1.5" "--steps" "--save" "--bogus 1" "--steps 99999999999999999999"; do
  out=$(eval "\"$soak\" $args" 2>/dev/null)
  status=$?
  if [ "$status" -ne 2 ] || [ -n "$out" ]; then
    echo "arcadeon-soak $args: status $status, printed '$out' (expected status 2 and nothing run)"
    fail=1
  fi
done
# A good line still runs.
"$soak" --seed 3 --seeds 2 --steps 50 | grep -q '^seed 4: 50 lines' || { echo "a good line did not run"; fail=1; }
exit $fail
