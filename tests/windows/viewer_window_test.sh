#!/usr/bin/env bash
# Runs the viewer's window tests under Wine on a private X server: the sandbox has no display.
set -euo pipefail
program=$1
run=$(dirname "$0")/../../scripts/wine-run.sh
exec xvfb-run -a -s '-screen 0 1280x1024x24' "$run" "$program"
