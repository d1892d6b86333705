#!/usr/bin/env bash
# Starts the viewer headless in the current directory and ends it as soon as start-up
# has reached a known point, so that no run depends on how long start-up takes:
#
#   run_viewer_until.sh blocks N VIEWER ARGS...   Varnelle.log holds N complete blocks
#   run_viewer_until.sh opens FIFO VIEWER ARGS... the viewer has opened FIFO (a path it
#                                                 was given to read, so start-up, and the
#                                                 log write that ends it, are behind it)
#
# The log is written in one piece from its start (old blocks, then the new one), so what
# a reader sees is always a prefix of the final text: a block is complete once the empty
# line that closes it is there. Exits 1, with the viewer's output, when the viewer ends
# first or the point is not reached within the bound.
set -u

mode=$1 target=$2 viewer=$3
shift 3
bound_seconds=${VARNELLE_RUN_BOUND:-60}  # far above a sanitizer start-up; only a fault reaches it

export QT_QPA_PLATFORM=offscreen
output=$(mktemp)
runtime=
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then  # Qt wants one; a headless run has none
  runtime=$(mktemp -d)
  export XDG_RUNTIME_DIR=$runtime
fi
trap 'rm -f "$output"; [ -z "$runtime" ] || rm -rf "$runtime"' EXIT

"$viewer" "$@" >"$output" 2>&1 &
viewer_pid=$!

opener_pid=
if [ "$mode" = opens ]; then
  # Opening a FIFO for writing waits for its reader.
  ( exec 3>"$target" ) &
  opener_pid=$!
fi

reached() {
  case "$mode" in
    blocks) [ -f Varnelle.log ] && [ "$(grep -c '^$' Varnelle.log)" -ge "$target" ] ;;
    opens) ! kill -0 "$opener_pid" 2>/dev/null ;;
    *) echo "unknown mode $mode" >&2; return 2 ;;
  esac
}

stop() {
  kill "$1" 2>/dev/null
  wait "$1" 2>/dev/null
}

status=1
deadline=$((SECONDS + bound_seconds))
while :; do
  if reached; then
    if [ "$mode" = opens ] && ! wait "$opener_pid"; then
      echo "could not open $target" >&2
    else
      status=0
    fi
    break
  fi
  if ! kill -0 "$viewer_pid" 2>/dev/null; then
    echo "the viewer ended before the $mode point was reached" >&2
    break
  fi
  if [ "$SECONDS" -ge "$deadline" ]; then
    echo "the $mode point was not reached within $bound_seconds s" >&2
    break
  fi
  sleep 0.02
done

[ -n "$opener_pid" ] && stop "$opener_pid"
stop "$viewer_pid"
if [ "$status" -ne 0 ]; then
  echo "viewer output:" >&2
  cat "$output" >&2
fi
exit "$status"
