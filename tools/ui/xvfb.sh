# Sourced by the scripts that run the program: a private Xvfb display.
#   xvfb_start        sets DISPLAY to a free display of a fresh Xvfb
#   xvfb_cleanup      stops it (stop_all below does so too)

xvfb_start() {
  local fdfile
  fdfile=$(mktemp)
  # -displayfd: the server picks a free display number and writes it back.
  Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$fdfile" 2>/dev/null &
  XVFB_PID=$!
  local i
  for i in $(seq 1 100); do
    if [ -s "$fdfile" ]; then break; fi
    sleep 0.1
  done
  if [ ! -s "$fdfile" ]; then
    echo "Xvfb did not start" >&2
    rm -f "$fdfile"
    return 1
  fi
  export DISPLAY=":$(head -n1 "$fdfile")"
  rm -f "$fdfile"
}

xvfb_cleanup() {
  if [ -n "${XVFB_PID:-}" ]; then
    kill "$XVFB_PID" 2>/dev/null || true
    wait "$XVFB_PID" 2>/dev/null || true
    XVFB_PID=
  fi
}

# Background processes of the script: add each with `pids+=($!)`;
# `stop_all` ends them, then the display. Use it as the EXIT trap.
pids=()
stop_all() {
  local p
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  for p in "${pids[@]}"; do wait "$p" 2>/dev/null || true; done
  xvfb_cleanup
}
