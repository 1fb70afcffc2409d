#!/usr/bin/env bash
# Runs the program against the demo services on loopback:
#   tools/ui/run-demo.sh <build folder>
# Without a display (no DISPLAY, no WAYLAND_DISPLAY) it runs on a private
# Xvfb with trayer as the tray host and saves a screenshot every 10 s under
# <build folder>/run-demo/, typing room 1000 itself.
set -euo pipefail
build=$(cd "${1:?build folder}" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
. "$here/xvfb.sh"

pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  for p in "${pids[@]}"; do wait "$p" 2>/dev/null || true; done
  xvfb_cleanup
}
trap cleanup EXIT

"$build/tools/orvel-demo-services" &
pids+=($!)
sleep 0.5

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  "$build/app/OrvelHelper"
  exit 0
fi

echo "no display: running on Xvfb, screenshots in $build/run-demo/ (Ctrl+C ends)"
mkdir -p "$build/run-demo"
xvfb_start
export QT_QPA_PLATFORM=xcb
trayer --edge top --align right --widthtype request --heighttype pixel --height 28 >/dev/null 2>&1 &
pids+=($!)
"$build/app/OrvelHelper" &
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
n=0
while kill -0 "$app" 2>/dev/null; do
  sleep 10
  n=$((n + 1))
  import -window root "$build/run-demo/screen-$n.png" && echo "screenshot $build/run-demo/screen-$n.png"
done
