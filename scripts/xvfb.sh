# Starts a virtual display of our own and a warm Wine server; source it.
# Sets DISPLAY and stop_virtual_display to end both. QVR_XVFB_FIRST moves
# the first display number tried, to keep clear of other users' runs.
start_virtual_display() {
  local n first="${QVR_XVFB_FIRST:-91}"
  for n in $(seq "$first" $((first + 49))); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] || break
  done
  # The same size as the Wine desktop, so a screenshot is the desktop alone.
  Xvfb ":$n" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
  QVR_XVFB_PID=$!
  export DISPLAY=":$n"
  # Xvfb is ready once a client can talk to it.
  for _ in $(seq 1 200); do
    xdpyinfo >/dev/null 2>&1 && return 0
    kill -0 "$QVR_XVFB_PID" 2>/dev/null || break
    sleep 0.05
  done
  echo "Xvfb did not start" >&2
  return 1
}

stop_virtual_display() {
  "${QVR_WINESERVER:-wineserver}" -k >/dev/null 2>&1 || true
  [ -n "${QVR_XVFB_PID:-}" ] && kill "$QVR_XVFB_PID" 2>/dev/null || true
  wait "${QVR_XVFB_PID:-}" 2>/dev/null || true
}
