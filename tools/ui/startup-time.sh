#!/usr/bin/env bash
# Start-up time: from launching the program to its start window being
# visible on a fresh Xvfb display. Prints the median of several runs in ms.
#   tools/ui/startup-time.sh <build folder> [runs]
set -euo pipefail
build=$(cd "${1:?build folder}" && pwd)
runs=${2:-7}
here=$(dirname "$0")
. "$here/xvfb.sh"
config=$(mktemp -d)
trap 'xvfb_cleanup; rm -rf "$config"' EXIT
export XDG_CONFIG_HOME=$config # a first start, and the user's own settings stay untouched
xvfb_start

times=()
for _ in $(seq 1 "$runs"); do
  start=$(date +%s%N)
  "$build/app/OrvelHelper" >/dev/null 2>&1 &
  pid=$!
  # Poll ourselves: xdotool's own --sync waits in half-second steps.
  for _ in $(seq 1 2000); do
    if xdotool search --onlyvisible --name '^OrvelHelper$' >/dev/null 2>&1; then break; fi
    sleep 0.01
  done
  end=$(date +%s%N)
  times+=($(( (end - start) / 1000000 )))
  kill "$pid"
  wait "$pid" 2>/dev/null || true
done
printf '%s\n' "${times[@]}" | sort -n | awk '{a[NR]=$1} END {print "start-up to visible start window: median " a[int((NR+1)/2)] " ms (" NR " runs)"}'
