#!/usr/bin/env bash
# The installed program: `cmake --install` into a DESTDIR puts every file in
# its GNU place, the desktop entry and the AppStream metadata validate, and
# the installed program (with no skin.zip beside it) shows its start window
# from the skin in share/ on a virtual display.
#   install_test.sh <build folder>
set -euo pipefail
build=$(cd "${1:?build folder}" && pwd)
src=$(cd "$(dirname "$0")/../.." && pwd)
tmp=$(mktemp -d)
shots=$tmp
. "$src/tools/ui/xvfb.sh"
trap 'stop_all; rm -rf "$tmp"' EXIT
. "$src/tools/ui/realwindow.sh"

DESTDIR="$tmp/root" cmake --install "$build" --prefix /usr >/dev/null
usr=$tmp/root/usr
id=org.orvel.OrvelHelper
for file in bin/OrvelHelper share/orvel-helper/skin.zip share/orvel-helper/overlay/index.html \
  share/orvel-helper/overlay/overlay.css share/orvel-helper/overlay/overlay.js \
  share/icons/hicolor/48x48/apps/$id.png share/icons/hicolor/128x128/apps/$id.png \
  share/icons/hicolor/scalable/apps/$id.svg share/applications/$id.desktop share/metainfo/$id.metainfo.xml; do
  [ -f "$usr/$file" ] || fail "not installed: $file"
done
[ -x "$usr/bin/OrvelHelper" ] || fail "the program is not executable"
[ "$(identify -format %wx%h "$usr/share/icons/hicolor/48x48/apps/$id.png")" = 48x48 ] || fail "48 px icon size"
[ "$(identify -format %wx%h "$usr/share/icons/hicolor/128x128/apps/$id.png")" = 128x128 ] || fail "128 px icon size"
desktop-file-validate "$usr/share/applications/$id.desktop" || fail "desktop entry does not validate"
appstreamcli validate --no-net "$usr/share/metainfo/$id.metainfo.xml" >"$tmp/appstream.log" 2>&1 ||
  { cat "$tmp/appstream.log" >&2; fail "metadata does not validate"; }
grep -q '^Exec=OrvelHelper$' "$usr/share/applications/$id.desktop" || fail "the entry does not start the program"
"$usr/bin/OrvelHelper" --version | grep -q '^OrvelHelper ' || fail "--version"

xvfb_start
export QT_QPA_PLATFORM=xcb XDG_CONFIG_HOME=$tmp/config
unset DBUS_SESSION_BUS_ADDRESS
"$usr/bin/OrvelHelper" --live-host=127.0.0.1:1 --dms-host=127.0.0.1:1 &
app=$!
pids+=($app)
start=$(await_window 150 --onlyvisible --name '^OrvelHelper$') || fail "no start window"
# The layout was read: the window has its blue title bar and its field, not
# just a plain background.
drawn() { [ "$(import -window "$start" png:- | convert png:- -format %k info:)" -gt 20 ]; }
wait_for 50 drawn || fail "the start window shows no layout (skin.zip not found)"
echo "PASS: installed, validated, and the installed program shows its start window"
