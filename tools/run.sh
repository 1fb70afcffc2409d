#!/usr/bin/env bash
# Builds the program and runs it against the demo web services on loopback
# (on free ports, handed to the program). Arguments go to the program, for
# example --room=1000. Without a display it runs under a virtual one (Xvfb)
# with a tray host.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh

build=build/run
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build "$build" -j "$(nproc)" --target OrvelHelper orvel-demo-services

. tools/ui/xvfb.sh
trap stop_all EXIT
shots=$build # where realwindow.sh leaves a screenshot if the services fail
. tools/ui/realwindow.sh

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  xvfb_start
  trayer --edge bottom --align right --widthtype request --height 24 &
  pids+=($!)
  echo "No display found: the program runs on the virtual display $DISPLAY."
  echo "Screenshot it with: import -window root -display $DISPLAY shot.png"
fi

start_demo "$build"
echo "Demo services: live $DEMO_LIVE, dms $DEMO_DMS"
"$build/app/OrvelHelper" --live-host="$DEMO_LIVE" --dms-host="$DEMO_DMS" "$@"
