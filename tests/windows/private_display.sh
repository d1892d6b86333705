# Sourced by the Wine GUI tests: a private X server, and Wine's server and desktop started
# afresh on it. Wine's desktop process keeps the display it was started with, so the server
# and its helpers start on this X server and again without one when the test ends, their
# standard streams away from CTest's pipes (as scripts/wine-sandbox.sh starts them).
# The caller's EXIT trap calls close_private_display.

private_display_pid=
restart_wine() {
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
  wineserver -p </dev/null >/dev/null 2>&1
  wine wineboot </dev/null >/dev/null 2>&1
}

# open_private_display WIDTHxHEIGHT: a display number no other server holds (its lock file
# is free), from 150 up, exported as DISPLAY.
open_private_display() {
  local n=150
  while [ -e /tmp/.X$n-lock ] || [ -e /tmp/.X11-unix/X$n ]; do n=$((n + 1)); done
  Xvfb :$n -screen 0 "$1x24" -nolisten tcp >/dev/null 2>&1 &
  private_display_pid=$!
  for _ in $(seq 100); do [ -e /tmp/.X11-unix/X$n ] && break; sleep 0.05; done
  [ -e /tmp/.X11-unix/X$n ] || { echo "$0: no X server on :$n" >&2; return 1; }
  export DISPLAY=:$n
  restart_wine
}

close_private_display() {
  (unset DISPLAY; restart_wine)
  [ -z "$private_display_pid" ] || kill "$private_display_pid" 2>/dev/null || true
}
