#!/usr/bin/env bash
# Runs the viewer's frame tests under Wine on a private X server, inside a Wine desktop of
# the screen's size: there Wine places, maximises and restores windows itself, as Windows
# does, where on a bare X server it leaves those states to a window manager there is none of.
# The desktop is the prefix's setting, so it is taken away again when the tests end.
set -euo pipefail
program=$1
run=$(cd "$(dirname "$0")/../../scripts" && pwd)/wine-run.sh
. "$(dirname "$0")/private_display.sh"
explorer='HKCU\Software\Wine\Explorer'
drop_desktop() {
  wine reg delete "$explorer" /v Desktop /f </dev/null >/dev/null 2>&1 || true
  close_private_display
}
trap drop_desktop EXIT
wine reg add "$explorer" /v Desktop /d Varnelle /f </dev/null >/dev/null 2>&1
wine reg add "$explorer\\Desktops" /v Varnelle /d 1280x1024 /f </dev/null >/dev/null 2>&1
open_private_display 1280x1024
"$run" "$program"
