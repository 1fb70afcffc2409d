#!/usr/bin/env bash
# The way back from pass-through and changing rooms, on a real X display
# under openbox with xcompmgr and without a tray host (xdotool as the user):
# a right click on the danmaku window opens the tray menu's items; turning
# pass-through on there tells the shortcut once; Ctrl+Alt+P, pressed as a
# user presses it, lets the pointer through the window and back; Ctrl+Alt+H
# hides the window and shows it again, Ctrl+Alt+C empties its rows and the
# next poll's history does not bring them back; 切换房间…
# opens the start window over the danmaku window with the room filled in;
# another room entered there is polled in the same window (the demo
# services' record) and is the room remembered at the end. A second copy of
# the program finds the shortcut taken and logs it.
#   real_window_room_key_test.sh <build folder> <screenshot folder>
. "$(dirname "$0")/real_window_prologue.sh"

xvfb_start
unset DBUS_SESSION_BUS_ADDRESS # no StatusNotifierItem host either: no tray at all
start_wm
# The demo services with a record of the requests, printed when they end.
record=$tmp/record
"$build/tools/orvel-demo-services" --live-port=0 --dms-port=0 --record >"$record" 2>&1 &
demo=$!
pids+=($demo)
wait_for 100 grep -q '^dms ' "$record" || fail "demo services did not start"

"$build/app/OrvelHelper" --live-host="$(sed -n 's/^live //p' "$record")" \
  --dms-host="$(sed -n 's/^dms //p' "$record")" &
app=$!
pids+=($app)
enter_room 1000
sleep 1

# A window beneath the danmaku window counts the clicks that reach it.
beneath=$tmp/beneath-events.txt
stdbuf -oL xev -geometry 640x520+320+140 -name beneath -event button >"$beneath" 2>&1 &
pids+=($!)
wait_for 50 xdotool search --onlyvisible --name '^beneath$' || fail "no window beneath"
xdotool windowraise "$danmu"
sleep 0.5
clicks_beneath() { grep -c ButtonPress "$beneath" || true; }
# Qt may replace the X window when pass-through changes: found again each time.
find_danmu() { danmu=$(first_window --onlyvisible --name '^Orvel直播弹幕助手$'); }
# A click at the danmaku window's middle: did it reach the window beneath?
passes() {
  local before x y
  before=$(clicks_beneath)
  find_danmu
  read -r x y <<<"$(xdotool getwindowgeometry "$danmu" | sed -n 's/.*Position: \([0-9-]*\),\([0-9-]*\).*/\1 \2/p')"
  xdotool mousemove $((x + 150)) $((y + 150)) sleep 0.1 click 1
  sleep 0.3
  [ "$(clicks_beneath)" -gt "$before" ]
}
stops() { ! passes; }
stops || fail "a click on the danmaku window went beneath without pass-through"

# A right click on the window: the menu at the pointer.
open_menu() {
  sleep 0.5 # a click just before activates the window: a menu opened before that would lose the focus
  find_danmu
  click "$danmu" 150 150 3
  wait_for 50 window_of_size 196x166 || fail "no menu on a right click without a tray"
  menu=$(window_of_size 196x166)
}
open_menu
sleep 0.3
shot window-menu.png
# 鼠标穿透: on, and a notice names the shortcut.
click "$menu" 98 19
notice=$(await_window 50 --onlyvisible --name '^OrvelHelper$') || fail "no notice"
sleep 0.5
shot pass-through-notice.png
xdotool windowactivate --sync "$notice" key Return
wait_for 50 gone xdotool search --onlyvisible --name '^OrvelHelper$' || fail "the notice stayed"
wait_for 10 passes || fail "pass-through is not on"
xdotool key ctrl+alt+p
wait_for 10 stops || fail "Ctrl+Alt+P did not turn pass-through off"
xdotool key ctrl+alt+p
wait_for 10 passes || fail "Ctrl+Alt+P did not turn pass-through on"
xdotool key ctrl+alt+p
wait_for 10 stops || fail "Ctrl+Alt+P did not turn pass-through off again"

[ -z "$(xdotool search --onlyvisible --name '^OrvelHelper$' 2>/dev/null)" ] || fail "the notice came twice"

xdotool key ctrl+alt+h
wait_for 30 gone xdotool search --onlyvisible --name '^Orvel直播弹幕助手$' || fail "Ctrl+Alt+H did not hide the window"
xdotool key ctrl+alt+h
wait_for 30 xdotool search --onlyvisible --name '^Orvel直播弹幕助手$' || fail "Ctrl+Alt+H did not show the window"
# Rows in the badge column's strip at rows 7 to 9: badges are more than 8 colours.
rows_low() {
  find_danmu
  [ "$(import -window "$danmu" png:- | convert png:- -crop 30x50+4+165 +repage -format %k info:)" -gt 8 ]
}
wait_for 100 rows_low || fail "no rows to empty"
xdotool key ctrl+alt+c
wait_for 30 gone rows_low || fail "Ctrl+Alt+C did not empty the rows"
sleep 3.5 # a poll of the same history: a few new rows at most, never the old ones
! rows_low || fail "the emptied rows came back"
! grep -rq "not registered" "$XDG_STATE_HOME" 2>/dev/null || fail "the log says the shortcut was not registered"
# A second copy of the program finds the key taken, and its log says so.
XDG_STATE_HOME=$tmp/state2 "$build/app/OrvelHelper" --room=1000 --live-host="$(sed -n 's/^live //p' "$record")" \
  --dms-host="$(sed -n 's/^dms //p' "$record")" &
second=$!
pids+=($second)
for key in "Pass-through shortcut Ctrl+Alt+P" "Show/hide shortcut Ctrl+Alt+H" "Clear shortcut Ctrl+Alt+C"; do
  wait_for 100 grep -rq "$key not registered: another program holds it" "$tmp/state2" ||
    fail "the second copy did not log the taken $key"
done
kill "$second"
wait "$second" 2>/dev/null || true
one_danmaku_window() { [ "$(windows --onlyvisible --name '^Orvel直播弹幕助手$' | wc -l)" -eq 1 ]; }
wait_for 50 one_danmaku_window || fail "the second copy's window stayed"

# 切换房间…, the third item: the start window over the danmaku window.
open_menu
click "$menu" 98 83
prompt=$(await_window 50 --onlyvisible --name '^OrvelHelper$') || fail "no start window over the danmaku window"
sleep 0.5
shot room-switch.png
xprop -id "$prompt" WM_TRANSIENT_FOR | grep -q 'window id' || fail "the start window is not a dialog of the danmaku window"
# The field holds 1000: a double click selects it, typing replaces it.
click "$prompt" 198 233
xdotool click --repeat 2 --delay 80 1
xdotool type --delay 50 2024
xdotool key Return
wait_for 50 gone xdotool search --onlyvisible --name '^OrvelHelper$' || fail "the start window stayed open"
one_danmaku_window || fail "not the same danmaku window"
sleep 4 # a poll cycle of the new room
shot danmaku-room-2024.png

# 退出, then the demo services print what they were asked.
open_menu
click "$menu" 98 147
expect_clean_exit
kill "$demo"
wait "$demo" || true
grep -q 'live_id=1000' "$record" || fail "the first room was not polled"
grep 'live_id=' "$record" | tail -n 1 | grep -q 'live_id=2024' || fail "the new room is not the one polled last"
grep -q '"room" *: *2024' "$XDG_CONFIG_HOME/orvel-helper/settings.json" || fail "the new room is not remembered"
echo "PASS: the window's menu, the shortcut and the room switch work under a window manager"
