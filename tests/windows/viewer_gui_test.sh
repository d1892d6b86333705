#!/usr/bin/env bash
# Runs one of the viewer's GUI test programs under Wine on a private X server: the sandbox
# has no display.
set -euo pipefail
program=$1
run=$(cd "$(dirname "$0")/../../scripts" && pwd)/wine-run.sh
. "$(dirname "$0")/private_display.sh"
trap close_private_display EXIT
open_private_display 1280x1024
"$run" "$program"
