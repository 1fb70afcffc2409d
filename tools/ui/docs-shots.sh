#!/usr/bin/env bash
# Takes the README's pictures of the danmaku window's display options: the
# program against the demo services on Xvfb, under openbox with xcompmgr,
# over a coloured desktop that shows through where the window lets it.
#   tools/ui/docs-shots.sh <build folder> <picture folder>
set -euo pipefail
build=$(cd "${1:?build folder}" && pwd)
out=${2:?picture folder}
mkdir -p "$out"
here=$(cd "$(dirname "$0")" && pwd)
. "$here/xvfb.sh"
config=$(mktemp -d)
trap 'stop_all; rm -rf "$config"' EXIT
shots=$config # where fail() leaves its screenshot
. "$here/realwindow.sh"

xvfb_start
export QT_QPA_PLATFORM=xcb XDG_CONFIG_HOME=$config
start_wm
display -title desktop -geometry 1280x800+0+0 -size 1280x800 gradient:'#2E7BCF'-'#F2A541' &
pids+=($!)
wait_for 50 xdotool search --onlyvisible --name '^desktop$' || fail "no desktop picture"
start_demo "$build" --message-length=30

# picture <file> <settings>: the danmaku window, run with these settings
# (JSON), with a margin of desktop around it.
picture() {
  mkdir -p -m 700 "$config/orvel-helper"
  echo "$2" >"$config/orvel-helper/settings.json"
  chmod 600 "$config/orvel-helper/settings.json"
  "$build/app/OrvelHelper" --live-host="$DEMO_LIVE" --dms-host="$DEMO_DMS" &
  app=$!
  enter_room 1000
  sleep 4 # a few polls: the list is full
  local x y w h
  read -r x y <<<"$(xdotool getwindowgeometry "$danmu" | sed -n 's/.*Position: \([0-9-]*\),\([0-9-]*\).*/\1 \2/p')"
  read -r w h <<<"$(xdotool getwindowgeometry "$danmu" | sed -n 's/.*Geometry: \([0-9]*\)x\([0-9]*\).*/\1 \2/p')"
  import -window root png:- | convert png:- -crop "$((w + 40))x$((h + 40))+$((x - 20))+$((y - 20))" +repage \
    -define png:exclude-chunks=date,time "$out/$1"
  echo "wrote $out/$1"
  kill "$app"
  wait "$app" || true
}
picture danmu-background-only.png '{ "opacity" : 150, "background_only_opacity" : true }'
picture danmu-whole-window.png '{ "opacity" : 150, "background_only_opacity" : false }'
picture danmu-wrapped.png '{ "opacity" : 150, "wrap_long_messages" : true }'
