# Sourced by the real-window tests: the user's hands and eyes on an X display.
# Needs tools/ui/xvfb.sh sourced first, `shots` set to a screenshot folder and
# `app` set to the program's pid once it runs.

fail() {
  echo "FAIL: $*" >&2
  import -window root "$shots/failure.png" 2>/dev/null && echo "screenshot $shots/failure.png" >&2
  local id
  for id in $(windows --pid "${app:-0}"); do
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

# windows <xdotool search arguments...>: the ids found, one a line; fails
# when none is. A search ends with an X error when a window goes away while it
# walks the tree (the start window closing as the danmaku window opens): it
# is run again.
windows() {
  local out try
  for try in 1 2 3 4 5; do
    out=$(xdotool search "$@" 2>&1) || true
    case $out in *"X Error"*) sleep 0.1 ;; *) grep -E '^[0-9]+$' <<<"$out"; return ;; esac
  done
  return 1
}

# first_window <search arguments...>: the first of them.
first_window() {
  local ids
  ids=$(windows "$@") || return 1
  echo "${ids%%$'\n'*}"
}

# await_window <tenths of a second> <search arguments...>: the first window
# found, once one is.
await_window() {
  local limit=$1; shift
  local i
  for ((i = 0; i < limit; i++)); do
    first_window "$@" && return 0
    sleep 0.1
  done
  return 1
}

# Waits for the program ($app) to end and checks that it exited 0.
expect_clean_exit() {
  wait_for 100 sh -c "! kill -0 $app" || fail "the program did not end"
  local status=0
  wait "$app" || status=$?
  [ "$status" -eq 0 ] || fail "exit status $status"
}

# gone <command...>: true when the command fails (for wait_for).
gone() { ! "$@"; }

shot() { import -window root "$shots/$1"; echo "screenshot $shots/$1"; }

# The visible window of the program with this exact size (the menu has no title).
window_of_size() {
  local id
  for id in $(windows --onlyvisible --pid "$app"); do
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

# click_enter <settings window>: its 确定 button, 16 pixels above its bottom
# edge however tall the window is.
click_enter() {
  local h
  h=$(xdotool getwindowgeometry "$1" | sed -n 's/.*Geometry: [0-9]*x\([0-9]*\).*/\1/p')
  click "$1" 254 $((h - 16))
}

# start_tray: trayer at the top right as the XEmbed tray host. On a loaded
# machine trayer now and then ends before it shows: it is started again.
start_tray() {
  unset DBUS_SESSION_BUS_ADDRESS # no StatusNotifierItem host here: Qt uses the XEmbed tray
  local try
  for try in 1 2 3; do
    trayer --edge top --align right --widthtype request --heighttype pixel --height 28 \
      --transparent false --tint 0x303030 >>"$shots/trayer.log" 2>&1 &
    pids+=($!)
    wait_for 100 xdotool search --class trayer && return 0
    echo "trayer did not show (try $try)" >>"$shots/trayer.log"
  done
  fail "trayer did not start"
}

# start_demo <build> [options...]: the demo services in the background on
# free ports; sets DEMO_LIVE and DEMO_DMS to their host:port, for the
# program's --live-host= and --dms-host=.
start_demo() {
  local build=$1; shift
  local out
  out=$(mktemp)
  "$build/tools/orvel-demo-services" --live-port=0 --dms-port=0 "$@" >"$out" 2>&1 &
  pids+=($!)
  wait_for 100 grep -q '^dms ' "$out" || { cat "$out" >&2; fail "demo services did not start"; }
  DEMO_LIVE=$(sed -n 's/^live //p' "$out")
  DEMO_DMS=$(sed -n 's/^dms //p' "$out")
  rm -f "$out"
}

# start_session_bus: a private D-Bus session bus for the program and its tray host.
start_session_bus() {
  local out
  out=$(dbus-daemon --session --fork --print-address=1 --print-pid=1) || fail "dbus-daemon did not start"
  DBUS_SESSION_BUS_ADDRESS=$(echo "$out" | sed -n 1p)
  export DBUS_SESSION_BUS_ADDRESS
  pids+=($(echo "$out" | sed -n 2p))
}

# start_wm: openbox as the window manager and xcompmgr as the compositor, so
# that window roles (above, transient, modal) and opacity are honoured.
start_wm() {
  openbox --sm-disable >/dev/null 2>&1 &
  pids+=($!)
  wait_for 100 sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' || fail "openbox did not start"
  xcompmgr >/dev/null 2>&1 &
  pids+=($!)
  wait_for 100 xdotool search --name '^xcompmgr$' || fail "xcompmgr did not start"
}

# enter_room <room>: types the room into the start window and enters it;
# sets `danmu` to the danmaku window.
enter_room() {
  start=$(await_window 150 --onlyvisible --name '^OrvelHelper$') || fail "no start window"
  sleep 0.3
  click "$start" 198 233 # the room field, then the enter button (skin/MainFrame.xml)
  xdotool type --delay 50 "$1"
  click "$start" 198 312
  danmu=$(await_window 100 --onlyvisible --name '^Orvel直播弹幕助手$') || fail "no danmaku window"
}
