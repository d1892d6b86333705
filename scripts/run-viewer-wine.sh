#!/usr/bin/env bash
# Builds the Windows viewer and starts it under Wine on the sample show in the Windows setup
# folder, inside the Wine sandbox. Without a display it runs on a private X server for a few
# seconds and saves a screenshot, printing its path.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target setup_folder
cmake --preset default >/dev/null
cmake --build --preset default --target screenshot

export VARNELLE_RUN_DISPLAY=${DISPLAY:-} VARNELLE_RUN_SECONDS=${VARNELLE_RUN_SECONDS:-5}
export VARNELLE_SCREENSHOT=$PWD/build/screenshot-wine.png
scripts/wine-sandbox.sh build/windows bash -c '
  . tests/windows/private_display.sh
  # Wine draws the frame itself: a private display has no window manager.
  wine reg add "HKCU\\Software\\Wine\\X11 Driver" /v Managed /d N /f </dev/null >/dev/null 2>&1
  cd build/windows/setup-folder
  if [ -n "$VARNELLE_RUN_DISPLAY" ]; then
    export DISPLAY=$VARNELLE_RUN_DISPLAY
    restart_wine
    exec wine Varnelle.exe 0 "samples\\show.lit"
  fi
  trap close_private_display EXIT
  open_private_display 1280x1024
  wine Varnelle.exe 0 "samples\\show.lit" </dev/null >/dev/null 2>&1 &
  sleep "$VARNELLE_RUN_SECONDS"
  "$OLDPWD/build/default/tools/screenshot" "$VARNELLE_SCREENSHOT"
'
[ -n "${DISPLAY:-}" ] || echo "screenshot: $VARNELLE_SCREENSHOT"
