#!/usr/bin/env bash
# The running program against the demo services for 60 s on Xvfb: CPU time
# used in that minute and peak resident memory.
#   bench/app/program_60s.sh <build folder> [seconds]
# Targets: below 1% of one core, below 80 MB.
set -euo pipefail
build=$(cd "${1:?build folder}" && pwd)
seconds=${2:-60}
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../../tools/ui/xvfb.sh"

config=$(mktemp -d)
trap 'stop_all; rm -rf "$config"' EXIT
export XDG_CONFIG_HOME=$config # the user's own settings stay untouched
shots=$build
. "$here/../../tools/ui/realwindow.sh"

xvfb_start
export QT_QPA_PLATFORM=xcb
unset DBUS_SESSION_BUS_ADDRESS
trayer --edge top --align right --widthtype request --heighttype pixel --height 28 >/dev/null 2>&1 &
pids+=($!)
start_demo "$build"
"$build/app/OrvelHelper" --room=1000 --live-host="$DEMO_LIVE" --dms-host="$DEMO_DMS" >/dev/null 2>&1 &
app=$!
pids+=($app)
sleep 5 # the window is up and the first rows are in

ticks() { awk '{print $14 + $15}' "/proc/$app/stat"; }
hz=$(getconf CLK_TCK)
before=$(ticks)
sleep "$seconds"
after=$(ticks)
peak_kb=$(awk '/VmHWM/ {print $2}' "/proc/$app/status")
awk -v t=$((after - before)) -v hz="$hz" -v s="$seconds" -v kb="$peak_kb" 'BEGIN {
  printf "CPU over %d s: %.2f s = %.2f%% of one core (target < 1%%)\n", s, t / hz, 100 * t / hz / s
  printf "peak resident memory: %.1f MB (target < 80 MB)\n", kb / 1024
}'
