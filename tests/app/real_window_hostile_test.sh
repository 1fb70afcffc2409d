#!/usr/bin/env bash
# The program on a real X display against a hostile feed: the demo services
# send one huge message in every reply, then ten thousand messages per reply.
# While they do, the user drags the danmaku window by its title bar about
# once a second; every drag must land (the user-interface thread answers).
#   real_window_hostile_test.sh <build folder> <screenshot folder>
# Every wait is bounded; everything started is stopped on exit.
. "$(dirname "$0")/real_window_prologue.sh"

drags=${ORVEL_HOSTILE_DRAGS:-15}

danmu_window() { first_window --onlyvisible --name '^Orvel直播弹幕助手$'; }
position() { xdotool getwindowgeometry "$(danmu_window)" | sed -n 's/.*Position: \([0-9-]*\),\([0-9-]*\).*/\1 \2/p'; }
at() { [ "$(position)" = "$1 $2" ]; }

# drag <dx>: press on the danmaku window's title bar, move, release; true
# once the window stands where the drag put it. Setting "always on top" may
# give the window a new X id; a drag that this cut off is made again.
drag() {
  local x y id
  read -r x y <<<"$(position)"
  id=$(danmu_window)
  xdotool mousemove $((x + 120)) $((y + 13)) mousedown 1 sleep 0.05 \
    mousemove $((x + 120 + $1 / 2)) $((y + 13)) sleep 0.05 \
    mousemove $((x + 120 + $1)) $((y + 13)) sleep 0.05 mouseup 1
  if wait_for 50 at $((x + $1)) "$y"; then return 0; fi
  [ "$(danmu_window)" != "$id" ] && [ "$(position)" = "$x $y" ] && drag "$1"
}

# run_mode <name> <demo option>: enter a room, then drag while the feed floods.
run_mode() {
  local name=$1
  xvfb_start
  start_tray
  start_demo "$build" "$2"
  "$build/app/OrvelHelper" --room=1000 --live-host="$DEMO_LIVE" --dms-host="$DEMO_DMS" &
  app=$!
  pids+=($app)
  local i
  wait_for 100 xdotool search --onlyvisible --name '^Orvel直播弹幕助手$' || fail "$name: no danmaku window"
  for ((i = 0; i < drags; i++)); do
    drag $((i % 2 ? -40 : 40)) || fail "$name: drag $i did not land"
    sleep 0.5
  done
  shot "hostile-$name.png"
  kill -0 "$app" || fail "$name: the program ended"
  echo "$name: $drags drags landed; peak memory $(awk '/VmHWM/ {print $2}' "/proc/$app/status") kB"
  stop_all
  pids=()
}

run_mode huge-message --huge-message=20971520
run_mode history-10000 --history-size=10000
echo "PASS: the window answered every drag under both hostile feeds"
