#!/usr/bin/env bash
# Starts the Windows build's Varnelle.exe under Wine on a folder of the benchmark's pictures,
# for the measuring harness: bench/wine-viewer.sh FOLDER. Runs inside scripts/wine-sandbox.sh
# with VARNELLE_WINE_DATA_DIR (drive p:) holding FOLDER. Wine's server and desktop keep the
# display they were started on, so they are started again when the harness's display is a
# new one: that launch carries Wine's own start, the later ones find it running.
set -euo pipefail
folder=$(cd "$1" && pwd)
data=$(cd "$VARNELLE_WINE_DATA_DIR" && pwd)
case $folder in
  "$data"|"$data"/*) ;;
  *) echo "wine-viewer: $folder is not under $data (drive p:)" >&2; exit 2 ;;
esac
relative=${folder#"$data"}
marker=$WINEPREFIX/.bench-display
if [ "$(cat "$marker" 2>/dev/null)" != "$DISPLAY" ]; then
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
  # No window manager runs on the harness's display: Wine draws the frame and maximises.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1
  wineserver -w >/dev/null 2>&1 || true
  wineserver -p </dev/null >/dev/null 2>&1
  wine wineboot </dev/null >/dev/null 2>&1
  echo "$DISPLAY" >"$marker"
fi
exec "$(dirname "$0")/../scripts/wine-run.sh" v:\\viewer\\win32\\Varnelle.exe 0 "p:${relative//\//\\}"
