#!/bin/sh
# SPDX-FileCopyrightText: 2026 The Arcadeon developers
# SPDX-License-Identifier: GPL-3.0-or-later
# golden.sh RUNNER SCRIPT: runs SCRIPT and compares what it prints with
# SCRIPT's .out (and .err, which also means exit status 2).
runner=$1
script=$2
base=${script%.script}
out=$(mktemp) err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT
"$runner" "$script" >"$out" 2>"$err"
status=$?
expected_status=0
[ -f "$base.err" ] && expected_status=2
fail=0
if ! diff -u "$base.out" "$out"; then fail=1; fi
if [ -f "$base.err" ]; then
  if ! diff -u "$base.err" "$err"; then fail=1; fi
elif [ -s "$err" ]; then
  echo "unexpected standard error:"; cat "$err"; fail=1
fi
if [ "$status" -ne "$expected_status" ]; then
  echo "exit status $status, expected $expected_status"; fail=1
fi
exit $fail
