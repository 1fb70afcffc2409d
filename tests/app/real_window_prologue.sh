# Sourced first by the real-window scripts, whose arguments are
#   <build folder> <screenshot folder>
# Sets `build`, `shots`, `here` and a scratch folder `tmp` that holds the
# program's settings and log (the user's own stay untouched); brings in the
# Xvfb and window helpers and stops everything started on exit.
set -euo pipefail
build=$(cd "${1:?build folder}" && pwd)
shots=${2:?screenshot folder}
mkdir -p "$shots"
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
tmp=$(mktemp -d)
. "$here/../../tools/ui/xvfb.sh"
trap 'stop_all; rm -rf "$tmp"' EXIT
. "$here/../../tools/ui/realwindow.sh"
export QT_QPA_PLATFORM=xcb XDG_CONFIG_HOME=$tmp/config XDG_STATE_HOME=$tmp/state
