#!/usr/bin/env bash
# Line and branch coverage of the product code by the plain suite: a Debug
# build with --coverage, every test of the plain suite, then gcovr's summary
# over app/, feed/, http/, support/, ui/ and tools/ (test code aside).
# Counters are updated atomically: several tests count from many threads.
# Arguments go to gcovr, for example --html-details build/coverage/index.html.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh

dir=build/coverage
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  "-DCMAKE_CXX_FLAGS=--coverage -fprofile-update=atomic" -DCMAKE_EXE_LINKER_FLAGS=--coverage \
  -DCMAKE_SHARED_LINKER_FLAGS=--coverage
cmake --build "$dir" -j "$(nproc)"
find "$dir" -name '*.gcda' -delete
ctest --test-dir "$dir" -j "$(nproc)" --output-on-failure
gcovr --root . --object-directory "$dir" \
  --exclude 'tests/' --exclude 'ui/testing/' --exclude 'fuzz/' --exclude 'bench/' \
  --exclude "$dir/" --print-summary "$@"
