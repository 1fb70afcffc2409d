#!/usr/bin/env bash
# Installs what is missing, builds and runs every test: the plain suite, the
# whole suite under AddressSanitizer with UndefinedBehaviorSanitizer and under
# ThreadSanitizer, then the fuzz build (clang, libFuzzer): its corpus replays
# and ORVEL_FUZZ_SECONDS (default 60) of fuzzing per target.
# ORVEL_TEST_SUITES picks suites, e.g. "plain fuzz" (default: all four).
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh

jobs=$(nproc)
suites=${ORVEL_TEST_SUITES:-plain asan tsan fuzz}

# Sanitizer reports end the process. The suppressions (tools/*.supp) come
# from CTest's environment in a sanitizer build.
export ASAN_OPTIONS="halt_on_error=1:abort_on_error=1:detect_leaks=1:detect_stack_use_after_return=1:strict_init_order=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
export LSAN_OPTIONS="print_suppressions=0"
export TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1"

timed() {
  local name=$1; shift
  local start=$SECONDS
  "$@"
  echo "== suite $name: $((SECONDS - start)) s"
}

run_suite() {
  local dir=$1; shift
  cmake -S . -B "$dir" -G Ninja "$@"
  cmake --build "$dir" -j "$jobs"
  ctest --test-dir "$dir" --output-on-failure -j "$jobs"
}

fuzz_suite() {
  local dir=build/fuzz
  cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DORVEL_FUZZ=ON -DORVEL_SANITIZE=address,undefined
  cmake --build "$dir" -j "$jobs" --target fuzzers
  ctest --test-dir "$dir" --output-on-failure -j "$jobs" -L fuzz
  bash tools/fuzz.sh "$dir"
}

for suite in $suites; do
  case $suite in
    plain) timed plain run_suite build/test -DCMAKE_BUILD_TYPE=RelWithDebInfo ;;
    asan) timed asan run_suite build/asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVEL_SANITIZE=address,undefined ;;
    tsan) timed tsan run_suite build/tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVEL_SANITIZE=thread ;;
    fuzz) timed fuzz fuzz_suite ;;
    *) echo "unknown suite: $suite" >&2; exit 2 ;;
  esac
done
