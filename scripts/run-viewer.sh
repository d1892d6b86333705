#!/usr/bin/env bash
# Builds the viewer and starts it on the bundled sample show. Without a display it runs
# under a virtual X server for a few seconds and saves a screenshot, printing its path.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default --target Varnelle screenshot

viewer=build/default/viewer/Varnelle
show=samples/show.lit    # its entries are relative to the repository root

if [ -n "${DISPLAY:-}" ]; then
  exec "$viewer" 0 "$show"
fi

shot="$PWD/build/screenshot.png"
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"   # Qt wants one; a virtual display has none
seconds="${VARNELLE_RUN_SECONDS:-4}"
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  "$1" 0 "$2" & pid=$!
  sleep "$4"
  kill -0 "$pid" 2>/dev/null || { echo "the viewer ended early" >&2; exit 1; }
  build/default/tools/screenshot "$3" || exit 1
  kill "$pid"; wait "$pid" 2>/dev/null || true
' _ "$viewer" "$show" "$shot" "$seconds"
echo "screenshot: $shot"
