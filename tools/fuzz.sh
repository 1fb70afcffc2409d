#!/usr/bin/env bash
# Runs every libFuzzer program of a fuzz build (default build/fuzz) for
# ORVEL_FUZZ_SECONDS seconds each (60 when unset), starting from the committed
# seed corpus. New inputs collect in <build>/fuzz-work/<target>/, never in the
# repository; an input that breaks a target is kept in <build>/fuzz-work/
# artifacts/. Prints each target's executions per second and total executions
# and leaves them in <build>/fuzz-stats.txt. Exits non-zero when a target fails.
set -uo pipefail
cd "$(dirname "$0")/.."

build=${1:-build/fuzz}
seconds=${ORVEL_FUZZ_SECONDS:-60}
work=$build/fuzz-work
stats=$build/fuzz-stats.txt
mkdir -p "$work/artifacts"
printf '%-14s %10s %12s %8s\n' target exec/s executions seconds > "$stats"

status=0
for corpus in fuzz/corpus/*/; do
  name=$(basename "$corpus")
  program=$build/fuzz/fuzz_$name
  log=$work/$name.log
  mkdir -p "$work/$name"
  if ! "$program" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -print_final_stats=1 -artifact_prefix="$work/artifacts/$name-" \
      "$work/$name" "$corpus" > "$log" 2>&1; then
    echo "fuzz_$name failed; its log ($log) ends:" >&2
    tail -n 60 "$log" >&2
    status=1
  fi
  rate=$(awk '/stat::average_exec_per_sec/ {print $2}' "$log")
  runs=$(awk '/stat::number_of_executed_units/ {print $2}' "$log")
  printf '%-14s %10s %12s %8s\n' "$name" "${rate:-?}" "${runs:-?}" "$seconds" >> "$stats"
done
cat "$stats"
exit $status
