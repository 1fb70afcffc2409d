#!/usr/bin/env bash
# The whole program on a real X display: Xvfb, trayer as the tray host,
# xdotool as the user, the demo services as the two web services.
#   real_window_test.sh <build folder> <screenshot folder> [bare|wm]
# bare: no window manager. wm: openbox with xcompmgr, where the window roles
# are checked too (always above, transient and modal settings, opacity in the
# pixels and on the background only, pass-through to the window beneath).
# Types a room number, enters, waits for rows, opens the tray menu and closes
# it with a click on the desktop, opens the settings (moves the slider),
# quits from the tray menu; the program must exit 0. Every wait is bounded;
# everything started is stopped on exit.
. "$(dirname "$0")/real_window_prologue.sh"
mode=${3:-bare}
. "$here/real_window_roles.sh"

xvfb_start
[ "$mode" = wm ] && start_wm
start_tray
start_demo "$build"

"$build/app/OrvelHelper" --live-host="$DEMO_LIVE" --dms-host="$DEMO_DMS" &
app=$!
pids+=($app)
start=$(await_window 150 --onlyvisible --name '^OrvelHelper$') || fail "no start window"
sleep 0.3
shot start-window.png

# The room field: a double click selects what was typed (the field's own),
# so typing replaces it; Enter acts as the enter button.
click "$start" 198 233
xdotool type --delay 50 3456
xdotool click --repeat 2 --delay 80 1
xdotool type --delay 50 1000
xdotool key Return
danmu=$(await_window 100 --onlyvisible --name '^Orvel直播弹幕助手$') || fail "no danmaku window"
[ "$mode" = wm ] && check_above_from_first_show

# Rows have appeared once the badge column is no longer plain background.
badge_colours() {
  import -window "$danmu" png:- | convert png:- -crop 30x200+4+30 +repage -format %k info:
}
rows_shown() { [ "$(badge_colours)" -gt 8 ]; }
wait_for 200 rows_shown || fail "no rows within 20 s"
shot danmaku-window.png
[ "$mode" = wm ] && check_opacity_shows
[ "$mode" = wm ] && check_background_only

# The tray icon sits in trayer's window: a right click on it opens the menu.
open_menu() {
  local tray
  tray=$(first_window --name '^panel$') # trayer's visible window
  local geo w h
  geo=$(xdotool getwindowgeometry "$tray" | sed -n 's/.*Geometry: \([0-9]*\)x\([0-9]*\).*/\1 \2/p')
  read -r w h <<<"$geo"
  click "$tray" $((w / 2)) $((h / 2)) 3
  wait_for 50 window_of_size 196x166 || fail "no tray menu"
  menu=$(window_of_size 196x166)
}
open_menu
sleep 0.3
shot tray-menu.png
# A click on the desktop closes it, sending nothing.
xdotool mousemove 200 700 sleep 0.1 click 1
wait_for 30 gone window_of_size 196x166 || fail "the tray menu stayed open after a click on the desktop"
open_menu

# "设置…": the modal settings window; a click on the slider's right end moves it.
click "$menu" 98 51
settings=$(await_window 50 --onlyvisible --name '^设置$') || fail "no settings window"
sleep 0.3
[ "$mode" = wm ] && check_settings_role
# The slider's row is the first of the 弹幕 page, below the page buttons.
opacity_label() { import -window "$settings" png:- | convert png:- -crop 40x20+250+54 +repage -format %# info:; }
before=$(opacity_label)
click "$settings" 230 65
sleep 0.5
after=$(opacity_label)
shot settings-window.png
[ "$before" != "$after" ] || fail "the opacity label did not change"
# The 提醒 and 直播 page buttons: each page takes the 弹幕 page's place, and
# 确定 stays at the bottom.
click "$settings" 104 37
sleep 0.3
shot settings-alerts.png
[ "$(opacity_label)" != "$after" ] || fail "the 提醒 page did not replace the 弹幕 page"
click "$settings" 168 37
sleep 0.3
shot settings-live.png
click_enter "$settings"
wait_for 50 sh -c "! xdotool search --onlyvisible --name '^设置$'" || fail "settings did not close"
# Closing the modal window hands the activation back to the danmaku window;
# a pop-up opened before that arrives would be closed by it (as on focus loss).
sleep 1
[ "$mode" = wm ] && check_pass_through

# "退出" ends the program, which must exit 0.
open_menu
click "$menu" 98 147
expect_clean_exit
echo "PASS: the program ran end to end ($mode) and exited 0"
