#!/usr/bin/env bash
# The shipping program links no test code: none of the input simulation's
# symbols are in it. A test program that does link the simulation shows that
# the pattern still finds it.
#   no_test_code.sh <program> <test program>
set -euo pipefail
program=${1:?program}
test_program=${2:?test program}
pattern='DuiLib::simulate::'

count() { nm -C "$1" | grep -c "$pattern" || true; }

if [ "$(count "$test_program")" -eq 0 ]; then
  echo "no simulation symbols in $test_program: the pattern is out of date" >&2
  exit 1
fi
found=$(count "$program")
if [ "$found" -ne 0 ]; then
  echo "$program links $found simulation symbols:" >&2
  nm -C "$program" | grep "$pattern" | head >&2
  exit 1
fi
echo "no test code in $program"
