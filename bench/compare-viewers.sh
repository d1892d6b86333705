#!/usr/bin/env bash
# compare-viewers.sh — builds Varnelle and times it beside other viewers with the shared
# measuring harness (../shared/perf next to the repository), in one run, so the figures
# share the machine's load.
#
#   bench/compare-viewers.sh [--peers LIST] [--no-jp2] [harness options...]
#
#   --peers LIST  the peer viewers to run beside ours, comma-separated (default: feh;
#                 feh,qimgv,nsxiv for the usual comparison)
#   --no-jp2      skip the JPEG 2000 first frame and its opj_decompress reference
# Everything else goes to viewer-bench.sh (e.g. --tests first-24mp,next-24mp --reps 3).
#
# The harness writes its records to $PERF_RESULTS (/tmp/perf-results by default) and makes
# its pictures in $PERF_DATA (/tmp/perf-data); nothing is written into the repository.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
perf=${PERF_DIR:-$root/../shared/perf}
if [ ! -x "$perf/viewer-bench.sh" ]; then
  echo "compare-viewers: the measuring harness is not there ($perf/viewer-bench.sh);" \
       "it lives in ../shared/perf beside the repository. Nothing was measured." >&2
  exit 2
fi

peers=feh jp2=1 args=()
while [ $# -gt 0 ]; do
  case $1 in
    --peers) peers=$2; shift ;;
    --no-jp2) jp2=0 ;;
    *) args+=("$1") ;;
  esac
  shift
done

export PERF_DATA=${PERF_DATA:-/tmp/perf-data}
export PERF_RESULTS=${PERF_RESULTS:-/tmp/perf-results}

echo "== building Varnelle (default preset)"
(cd "$root" && cmake --preset default >/dev/null && cmake --build --preset default -j2 --target Varnelle)
viewer=$root/build/default/viewer/Varnelle

[ -f "$PERF_DATA/.stamp" ] || "$perf/gen-data.sh"

# A Qt program takes the peers' window size this way when no window manager runs. Escape
# stops the show's auto-advance before the key presses are timed.
ours="ours|Right|dir|$viewer -qwindowgeometry 1920x1080+0+0 0 {}|Escape"

echo "== ours beside ${peers//,/, }"
"$perf/viewer-bench.sh" --peers --only "ours,$peers" --viewer "$ours" ${args[@]+"${args[@]}"}

[ "$jp2" = 1 ] || exit 0

# The harness's first-frame test takes a folder holding one picture; one with the 24-megapixel
# JPEG 2000 file stands in for the JPEG here.
jp2data=$(mktemp -d /tmp/varnelle-jp2.XXXXXX)
trap 'rm -rf "$jp2data"' EXIT
mkdir "$jp2data/one-24mp"
cp "$PERF_DATA/photo-24mp.jp2" "$jp2data/one-24mp/"
touch "$jp2data/.stamp"
echo "== ours, first frame of the 24-megapixel JPEG 2000 file"
"$perf/viewer-bench.sh" --only ours --viewer "$ours" --tests first-24mp --data "$jp2data" \
  ${args[@]+"${args[@]}"}

# The reference: opj_decompress decoding the whole picture, pixels to /dev/null.
if command -v opj_decompress >/dev/null; then
  ln -s /dev/null "$jp2data/out.ppm"
  times=()
  for _ in 1 2 3 4 5; do
    start=$EPOCHREALTIME
    opj_decompress -threads 1 -i "$PERF_DATA/photo-24mp.jp2" -o "$jp2data/out.ppm" >/dev/null 2>&1
    end=$EPOCHREALTIME
    times+=("$(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.3f", b - a }')")
  done
  median=$(printf '%s\n' "${times[@]}" | sort -n | sed -n 3p)
  echo "opj_decompress -threads 1, whole 24-megapixel picture: median of 5 = ${median} s (goal: ours at most half)"
else
  echo "opj_decompress is not installed (libopenjp2-tools): no JPEG 2000 reference time" >&2
fi
