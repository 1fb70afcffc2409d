#!/usr/bin/env bash
# The whole program on a real X display: Xvfb, trayer as the tray host,
# xdotool as the user, the demo services as the two web services.
#   real_window_test.sh <build folder> <screenshot folder>
# Types a room number, enters, waits for rows, opens the tray menu, the
# settings (moves the slider), quits from the tray menu; the program must
# exit 0. Every wait is bounded; everything started is stopped on exit.
set -euo pipefail
build=$(cd "${1:?build folder}" && pwd)
shots=${2:?screenshot folder}
mkdir -p "$shots"
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../../tools/ui/xvfb.sh"

trap stop_all EXIT
fail() {
  echo "FAIL: $*" >&2
  import -window root "$shots/failure.png" 2>/dev/null && echo "screenshot $shots/failure.png" >&2
  local id
  for id in $(xdotool search --pid "${app:-0}" 2>/dev/null); do
    echo "window $id '$(xdotool getwindowname "$id")' $(xdotool getwindowgeometry "$id" | tr '\n' ' ')" >&2
  done
  exit 1
}

# wait_for <tenths of a second> <command...>: true once the command succeeds.
wait_for() {
  local limit=$1; shift
  local i
  for ((i = 0; i < limit; i++)); do
    if "$@" >/dev/null 2>&1; then return 0; fi
    sleep 0.1
  done
  return 1
}

shot() { import -window root "$shots/$1"; echo "screenshot $shots/$1"; }

# The visible window of the program with this exact size (the menu has no title).
window_of_size() {
  local id
  for id in $(xdotool search --onlyvisible --pid "$app" 2>/dev/null); do
    if xdotool getwindowgeometry "$id" | grep -q "Geometry: $1\$"; then echo "$id"; return 0; fi
  done
  return 1
}

# click <window> <x> <y> [button]: a click at a point inside the window.
click() {
  local pos x y
  pos=$(xdotool getwindowgeometry "$1" | sed -n 's/.*Position: \([0-9-]*\),\([0-9-]*\).*/\1 \2/p')
  read -r x y <<<"$pos"
  xdotool mousemove $((x + $2)) $((y + $3)) sleep 0.1 click "${4:-1}"
}

xvfb_start
export QT_QPA_PLATFORM=xcb
unset DBUS_SESSION_BUS_ADDRESS # no StatusNotifierItem host here: Qt uses the XEmbed tray

trayer --edge top --align right --widthtype request --heighttype pixel --height 28 \
  --transparent false --tint 0x303030 >/dev/null 2>&1 &
pids+=($!)
wait_for 100 xdotool search --class trayer || fail "trayer did not start"

demo_out=$(mktemp)
"$build/tools/orvel-demo-services" >"$demo_out" 2>&1 &
demo=$!
pids+=($demo)
if ! wait_for 100 grep -q '^dms ' "$demo_out"; then
  if ! kill -0 "$demo" 2>/dev/null; then
    echo "SKIP: the demo services cannot listen on the build's service ports:" >&2
    cat "$demo_out" >&2
    exit 77
  fi
  fail "demo services did not start"
fi

"$build/app/OrvelHelper" &
app=$!
pids+=($app)
wait_for 150 xdotool search --onlyvisible --name '^OrvelHelper$' || fail "no start window"
start=$(xdotool search --onlyvisible --name '^OrvelHelper$' | head -n1)
sleep 0.3
shot start-window.png

# The room field, then the enter button (positions from skin/MainFrame.xml).
click "$start" 198 233
xdotool type --delay 50 1000
click "$start" 198 312
wait_for 100 xdotool search --onlyvisible --name '^Orvel直播弹幕助手$' || fail "no danmaku window"
danmu=$(xdotool search --onlyvisible --name '^Orvel直播弹幕助手$' | head -n1)

# Rows have appeared once the badge column is no longer plain background.
badge_colours() {
  import -window "$danmu" png:- | convert png:- -crop 30x200+4+30 +repage -format %k info:
}
rows_shown() { [ "$(badge_colours)" -gt 8 ]; }
wait_for 200 rows_shown || fail "no rows within 20 s"
shot danmaku-window.png

# The tray icon sits in trayer's window: a right click on it opens the menu.
open_menu() {
  local tray
  tray=$(xdotool search --name '^panel$' | head -n1) # trayer's visible window
  local geo w h
  geo=$(xdotool getwindowgeometry "$tray" | sed -n 's/.*Geometry: \([0-9]*\)x\([0-9]*\).*/\1 \2/p')
  read -r w h <<<"$geo"
  click "$tray" $((w / 2)) $((h / 2)) 3
  wait_for 50 window_of_size 196x102 || fail "no tray menu"
  menu=$(window_of_size 196x102)
}
open_menu
sleep 0.3
shot tray-menu.png

# "设置…": the modal settings window; a click on the slider's right end moves it.
click "$menu" 98 51
wait_for 50 xdotool search --onlyvisible --name '^设置$' || fail "no settings window"
settings=$(xdotool search --onlyvisible --name '^设置$' | head -n1)
sleep 0.3
before=$(import -window "$settings" png:- | convert png:- -crop 40x20+250+25 +repage -format %#  info:)
click "$settings" 230 36
sleep 0.5
after=$(import -window "$settings" png:- | convert png:- -crop 40x20+250+25 +repage -format %# info:)
shot settings-window.png
[ "$before" != "$after" ] || fail "the opacity label did not change"
click "$settings" 254 83
wait_for 50 sh -c "! xdotool search --onlyvisible --name '^设置$'" || fail "settings did not close"
# Closing the modal window hands the activation back to the danmaku window;
# a pop-up opened before that arrives would be closed by it (as on focus loss).
sleep 1

# "退出" ends the program, which must exit 0.
open_menu
click "$menu" 98 83
wait_for 100 sh -c "! kill -0 $app" || fail "the program did not end"
status=0
wait "$app" || status=$?
[ "$status" -eq 0 ] || fail "exit status $status"
echo "PASS: the program ran end to end and exited 0"
