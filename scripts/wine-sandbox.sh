#!/usr/bin/env bash
# Runs a command (CTest of the Windows build) with Wine shut in a throwaway sandbox:
#   scripts/wine-sandbox.sh BUILD_DIR COMMAND [ARGUMENT...]
# HOME and WINEPREFIX live in a folder made fresh for this run and removed after it; the
# users' folders are real folders (no links into HOME); the z: drive (the whole Unix tree)
# is gone and BUILD_DIR is drive v:; the shared conformance suites, where they lie beside
# the repository, are drive t:; VARNELLE_WINE_DATA_DIR, when set, is drive p:. Nothing is fetched (no Mono, no Gecko). The wine server
# is started before COMMAND with its standard streams away from COMMAND's pipes (else CTest
# waits for Wine's helpers) and stopped after it. Exits with COMMAND's status.
set -euo pipefail

[ $# -ge 2 ] || { echo "usage: $0 BUILD_DIR COMMAND [ARGUMENT...]" >&2; exit 2; }
build=$(cd "$1" && pwd)
shift

sandbox=$(mktemp -d /tmp/varnelle-wine.XXXXXX)
export HOME=$sandbox/home
export WINEPREFIX=$sandbox/prefix
export XDG_CONFIG_HOME=$HOME/.config XDG_DATA_HOME=$HOME/.local/share XDG_CACHE_HOME=$HOME/.cache
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64
unset DISPLAY WAYLAND_DISPLAY
mkdir -p "$HOME" "$WINEPREFIX"

stop() {
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
  rm -rf "$sandbox"
}
trap stop EXIT

# The prefix is made with a server of its own, which must be gone before the drives
# change: a running one keeps the drives it saw.
wine wineboot --init </dev/null >/dev/null 2>&1
wineserver -w

# The profile folders Wine links to the Unix home (Desktop, Documents, ...) become real ones.
find "$WINEPREFIX/drive_c/users" -type l -print0 | while IFS= read -r -d '' link; do
  rm "$link"
  mkdir "$link"
done
rm -f "$WINEPREFIX/dosdevices/z:"
ln -s "$build" "$WINEPREFIX/dosdevices/v:"
testdata=$(cd "$(dirname "$0")/../.." && pwd)/shared/testdata
if [ -d "$testdata" ]; then
  ln -s "$testdata" "$WINEPREFIX/dosdevices/t:"
  export VARNELLE_TESTDATA_DIR='t:\'
fi
# A benchmark's pictures, when asked for, are drive p:.
if [ -n "${VARNELLE_WINE_DATA_DIR:-}" ]; then
  ln -s "$(cd "$VARNELLE_WINE_DATA_DIR" && pwd)" "$WINEPREFIX/dosdevices/p:"
fi
# wine-run.sh starts programs only in a prefix that carries this mark.
touch "$WINEPREFIX/.varnelle-sandbox"

# Wine's helpers (services, device manager) start with the first program and outlive it:
# started here (the server with its standard streams closed), they hold none of CTest's pipes.
wineserver -p <&- >&- 2>&-
wine wineboot </dev/null >/dev/null 2>&1

code=0
"$@" || code=$?
exit $code
