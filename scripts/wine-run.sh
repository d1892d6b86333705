#!/usr/bin/env bash
# CTest's emulator for the Windows build: starts one program under Wine. Refuses to run
# outside the sandbox of scripts/wine-sandbox.sh, so that no test ever reaches the real
# home folder's Wine prefix.
set -euo pipefail
if [ -z "${WINEPREFIX:-}" ] || [ ! -e "$WINEPREFIX/.varnelle-sandbox" ]; then
  echo "$0: run the Windows tests through scripts/wine-sandbox.sh" >&2
  exit 2
fi
exec wine "$@"
