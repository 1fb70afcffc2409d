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

trap stop_all EXIT

xvfb_start
export QT_QPA_PLATFORM=xcb
unset DBUS_SESSION_BUS_ADDRESS
trayer --edge top --align right --widthtype request --heighttype pixel --height 28 >/dev/null 2>&1 &
pids+=($!)
"$build/tools/orvel-demo-services" >/dev/null 2>&1 &
pids+=($!)
sleep 1
"$build/app/OrvelHelper" >/dev/null 2>&1 &
app=$!
pids+=($app)
for _ in $(seq 1 100); do
  xdotool search --onlyvisible --name '^OrvelHelper$' >/dev/null 2>&1 && break
  sleep 0.1
done
start=$(xdotool search --onlyvisible --name '^OrvelHelper$' | head -n1)
read -r x y < <(xdotool getwindowgeometry "$start" | sed -n 's/.*Position: \([0-9-]*\),\([0-9-]*\).*/\1 \2/p')
xdotool mousemove $((x + 198)) $((y + 233)) click 1 type 1000
xdotool mousemove $((x + 198)) $((y + 312)) click 1
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
