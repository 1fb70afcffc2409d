#!/usr/bin/env bash
# The tray over StatusNotifierItem, as on GNOME with the AppIndicator
# extension: a watcher and host on a private session bus (sni_host.py), the
# program on Xvfb, the demo services as the web services.
#   tray_sni_test.sh <build folder> <screenshot folder>
# The item registers with the room's tip and publishes a D-Bus menu of the
# menu's items; "clicked" on 鼠标穿透 toggles pass-through and its label; a
# ContextMenu call still opens the program's own menu; "clicked" on 退出 ends
# the program with exit status 0.
. "$(dirname "$0")/real_window_prologue.sh"
host="$here/sni_host.py"

/usr/bin/python3 -c 'import dbus, gi' 2>/dev/null || { echo "SKIP: python3-dbus and python3-gi are needed" >&2; exit 77; }
xvfb_start
start_session_bus
registered=$(mktemp)
ready=$(mktemp)
/usr/bin/python3 "$host" serve "$registered" >"$ready" 2>&1 &
pids+=($!)
wait_for 100 grep -q ready "$ready" || fail "the watcher did not start: $(cat "$ready")"
start_demo "$build"

"$build/app/OrvelHelper" --live-host="$DEMO_LIVE" --dms-host="$DEMO_DMS" &
app=$!
pids+=($app)
enter_room 1000
wait_for 100 test -s "$registered" || fail "no item registered with the watcher"

sni() { /usr/bin/python3 "$host" "$1" "$registered" "${@:2}"; }
[ "$(sni tooltip)" = "Orvel直播-1000" ] || fail "tooltip '$(sni tooltip)'"
[ "$(sni menu-path)" != "/NO_DBUSMENU" ] || fail "the item publishes no menu"
labels=$(sni labels)
echo "$labels"
[ "$(echo "$labels" | wc -l)" -eq 5 ] || fail "not five items"
echo "$labels" | sed -n 1p | grep -q '^鼠标穿透：已关闭' || fail "first item"
echo "$labels" | sed -n 2p | grep -qx '设置…' || fail "second item"
echo "$labels" | sed -n 3p | grep -qx '切换房间…' || fail "third item"
echo "$labels" | sed -n 4p | grep -qx '打开聊天记录' || fail "fourth item"
echo "$labels" | sed -n 5p | grep -qx '退出' || fail "fifth item"

# 鼠标穿透 from the host's menu: the label follows, and the window lets the
# pointer through (the X server no longer finds it under the pointer).
danmu=$(first_window --onlyvisible --name '^Orvel直播弹幕助手$')
under_pointer() {
  local x y w h
  read -r x y <<<"$(xdotool getwindowgeometry "$danmu" | sed -n 's/.*Position: \([0-9-]*\),\([0-9-]*\).*/\1 \2/p')"
  xdotool mousemove $((x + 150)) $((y + 150))
  xdotool getmouselocation --shell | sed -n 's/^WINDOW=//p'
}
[ "$(under_pointer)" = "$danmu" ] || fail "the danmaku window is not under the pointer"
sni click "$(echo "$labels" | sed -n 1p)" || fail "no item to click"
wait_for 50 sh -c "/usr/bin/python3 '$host' labels '$registered' | head -n1 | grep -q '^鼠标穿透：已开启'" ||
  fail "the label did not follow: $(sni labels | head -n1)"
[ "$(under_pointer)" != "$danmu" ] || fail "pass-through is not on"
sni click "鼠标穿透" || fail "no item to click"
wait_for 50 sh -c "/usr/bin/python3 '$host' labels '$registered' | head -n1 | grep -q '^鼠标穿透：已关闭'" ||
  fail "the label did not follow back"

# A host that asks the program to show its own menu still gets it.
sni context
wait_for 50 window_of_size 196x166 || fail "ContextMenu did not open the program's menu"
shot sni-context-menu.png
xdotool key Escape
wait_for 50 gone window_of_size 196x166 || fail "Escape did not close the menu"

sni click "退出" || fail "no exit item"
expect_clean_exit
echo "PASS: the tray's D-Bus menu works and the program exited 0"
