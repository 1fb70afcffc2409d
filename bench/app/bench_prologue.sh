# Sourced first by the 60 s program benchmarks, whose arguments are
#   <build folder> [seconds]
# Sets `build`, `seconds`, `here` and a scratch `config` folder that holds the
# program's settings (its state, log and chat log go to another), so that the
# user's own stay untouched; brings in the Xvfb and window helpers and stops
# everything started on exit. Starts a private Xvfb display for the program.
set -euo pipefail
build=$(cd "${1:?build folder}" && pwd)
seconds=${2:-60}
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../../tools/ui/xvfb.sh"
config=$(mktemp -d)
state=$(mktemp -d)
trap 'stop_all; rm -rf "$config" "$state"' EXIT
export XDG_CONFIG_HOME=$config XDG_STATE_HOME=$state XDG_DATA_HOME=$state
shots=$build
. "$here/../../tools/ui/realwindow.sh"

xvfb_start
export QT_QPA_PLATFORM=xcb
unset DBUS_SESSION_BUS_ADDRESS # no StatusNotifierItem host: Qt uses the XEmbed tray
