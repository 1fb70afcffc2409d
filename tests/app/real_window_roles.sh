# Sourced by real_window_test.sh in its window-manager run (openbox with
# xcompmgr): the window roles as the desktop sees them, with xprop, xdotool
# and the pixels. Uses `danmu`, `settings`, `shots` and open_menu.

# x y of a window's top left corner.
position_of() {
  xdotool getwindowgeometry "$1" | sed -n 's/.*Position: \([0-9-]*\),\([0-9-]*\).*/\1 \2/p'
}

is_above() { xprop -id "$1" _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE; }

# Above others within 1 s of its first show.
check_above_from_first_show() {
  wait_for 10 is_above "$danmu" || fail "the danmaku window is not above others within 1 s: $(xprop -id "$danmu" _NET_WM_STATE)"
}

# The mean colour of a 100x20 area of the danmaku window's list: as drawn by
# the window itself, and as the screen shows it.
list_colour() {
  convert png:- -crop "100x20+$1+$2" +repage -resize 1x1 -format '%[pixel:p{0,0}]' info:
}
check_opacity_shows() {
  local x y own seen
  read -r x y <<<"$(position_of "$danmu")"
  own=$(import -window "$danmu" png:- | list_colour 150 215)
  seen=$(import -window root png:- | list_colour $((x + 150)) $((y + 215)))
  echo "danmaku list: drawn $own, on screen $seen"
  [ "$own" != "$seen" ] || fail "the desktop does not show through the danmaku window ($own)"
}

# Index of a window in the window manager's stacking order, bottom first.
stacking_index() {
  xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*# //' | tr ',' '\n' | tr -d ' ' |
    grep -n -i -x "$(printf '0x%x' "$1")" | cut -d: -f1
}

# Transient for the danmaku window, modal (a drag on the danmaku window's
# title bar does not move it) and still above it after a topmost tick; the
# danmaku window keeps its X id and stays above others.
check_settings_role() {
  xprop -id "$settings" WM_TRANSIENT_FOR | grep -q -i "$(printf '0x%x' "$danmu")" ||
    fail "settings not transient for the danmaku window: $(xprop -id "$settings" WM_TRANSIENT_FOR)"
  local x y before
  read -r x y <<<"$(position_of "$danmu")"
  before="$x $y"
  xdotool mousemove $((x + 40)) $((y + 12)) sleep 0.1 mousedown 1 sleep 0.1 \
    mousemove $((x + 90)) $((y + 52)) sleep 0.1 mousemove $((x + 140)) $((y + 112)) sleep 0.1 mouseup 1
  sleep 0.3
  [ "$(position_of "$danmu")" = "$before" ] || fail "the danmaku window moved while settings were open"
  sleep 7 # past a 6 s topmost tick
  [ "$(stacking_index "$settings")" -gt "$(stacking_index "$danmu")" ] || fail "settings went below the danmaku window"
  [ "$(first_window --onlyvisible --name '^Orvel直播弹幕助手$')" = "$danmu" ] || fail "the danmaku window changed its X id"
  is_above "$danmu" || fail "the danmaku window lost its place above others"
  shot settings-after-7s.png
  # 设置… again while it is open: the same window, no second one.
  open_menu
  click "$menu" 98 51
  wait_for 30 gone window_of_size 196x166 || fail "the tray menu stayed open over the settings window"
  sleep 0.5
  [ "$(windows --onlyvisible --name '^设置$' | wc -l)" -eq 1 ] || fail "a second settings window opened"
}

# With pass-through on, a click on the danmaku window reaches the window beneath.
check_pass_through() {
  local log x y presses
  log="$shots/beneath-events.txt"
  xev -geometry 640x520+320+140 -name beneath -event button >"$log" 2>&1 &
  pids+=($!)
  wait_for 50 xdotool search --onlyvisible --name '^beneath$' || fail "no window beneath"
  sleep 0.5
  read -r x y <<<"$(position_of "$danmu")"
  xdotool mousemove $((x + 150)) $((y + 150)) sleep 0.1 click 1
  sleep 0.5
  presses=$(grep -c ButtonPress "$log" || true)
  [ "$presses" -eq 0 ] || fail "a click on the danmaku window went beneath without pass-through"
  open_menu
  click "$menu" 98 19 # 鼠标穿透
  sleep 0.5
  xdotool mousemove $((x + 150)) $((y + 150)) sleep 0.1 click 1
  wait_for 20 grep -q ButtonPress "$log" || fail "with pass-through on, the click did not reach the window beneath"
  shot pass-through.png
  open_menu
  click "$menu" 98 19 # off again
  sleep 0.5
}

# The opacity on the background only (the default), over a red window: the
# list's background lets the red through, while the messages' near-white text
# stays as it is drawn (a whole window faded would tint it red too).
check_background_only() {
  local x y red_bg text
  display -title red-beneath -geometry 1280x800+0+0 -size 1280x800 xc:'#D02020' &
  pids+=($!)
  wait_for 50 xdotool search --onlyvisible --name '^red-beneath$' || fail "no red window beneath"
  sleep 0.5
  read -r x y <<<"$(position_of "$danmu")"
  import -window root "$shots/background-only.png"
  red_bg=$(convert "$shots/background-only.png" -crop "1x60+$((x + 2))+$((y + 60))" +repage -resize 1x1 \
    -format '%[fx:int(255*(r-g))]' info:)
  text=$(convert "$shots/background-only.png" -crop "150x180+$((x + 120))+$((y + 30))" +repage \
    -fx 'min(g,b)' -format '%[fx:int(255*maxima)]' info:)
  echo "background-only: red through the background $red_bg, brightest text $text"
  [ "$red_bg" -gt 40 ] || fail "the desktop does not show through the background ($red_bg)"
  [ "$text" -gt 215 ] || fail "the text is faded with the background ($text)"
  kill "${pids[-1]}"
  wait_for 50 gone xdotool search --onlyvisible --name '^red-beneath$' || fail "the red window stayed"
}
