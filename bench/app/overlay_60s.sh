#!/usr/bin/env bash
# The program with the overlay on and five pages open in headless Chromium,
# against the demo services for 60 s on Xvfb: the program's CPU time in that
# minute and its peak resident memory; then the latency from a row's
# publication to its row in a page's DOM, over the overlay driver.
#   bench/app/overlay_60s.sh <build folder> [seconds]
# Targets: at most 0.5% of one core and 45 MB; median latency at most 50 ms.
. "$(dirname "$0")/bench_prologue.sh"

start_demo "$build"
/usr/bin/python3 "$here/overlay_pages.py" "$build" "$DEMO_LIVE" "$DEMO_DMS" "$seconds"
