#!/usr/bin/env bash
# Varnelle.exe from the Windows setup folder on its sample show, as a user starts it, on a
# private X server: its frame comes up with the show's title and stays up.
#   viewer_sample_show_test.sh SETUP_FOLDER DRIVER
set -euo pipefail
folder=$1 driver=$2
run=$(cd "$(dirname "$0")/../../scripts" && pwd)/wine-run.sh
. "$(dirname "$0")/private_display.sh"
viewer=
cleanup() {
  [ -z "$viewer" ] || kill "$viewer" 2>/dev/null || true
  close_private_display
}
trap cleanup EXIT
open_private_display 1280x1024

(cd "$folder" && exec "$run" Varnelle.exe 0 'samples\show.lit') & viewer=$!
"$run" "$driver" wait "Untitled - Quorvyn Collage Slideshow 5.0"
sleep 1
kill -0 "$viewer" 2>/dev/null || { echo "viewer_sample_show_test: the viewer ended" >&2; exit 1; }
