#!/usr/bin/env bash
# The overlay page in headless Chromium, served by the program itself while
# it polls the demo services on a virtual display.
#   overlay_program_test.sh <build folder> <screenshot folder>
. "$(dirname "$0")/../app/real_window_prologue.sh"
xvfb_start
start_demo "$build"
/usr/bin/python3 "$here/../overlay/overlay_browser_test.py" --program "$build/app/OrvelHelper" "$DEMO_LIVE" "$DEMO_DMS"
