#!/usr/bin/env bash
# Builds the program and runs it against the demo web services on loopback.
# Without a display it runs under a virtual one (Xvfb) with a tray host.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh

build=build/run
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build "$build" -j "$(nproc)" --target OrvelHelper orvel-demo-services

. tools/ui/xvfb.sh
trap stop_all EXIT

"$build/tools/orvel-demo-services" &
pids+=($!)

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  xvfb_start
  trayer --edge bottom --align right --widthtype request --height 24 &
  pids+=($!)
  echo "No display found: the program runs on the virtual display $DISPLAY."
  echo "Screenshot it with: import -window root -display $DISPLAY shot.png"
fi

"$build/app/OrvelHelper"
