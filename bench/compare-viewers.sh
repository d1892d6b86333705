#!/usr/bin/env bash
# compare-viewers.sh — builds Varnelle and times it beside other viewers with the shared
# measuring harness (../shared/perf next to the repository), in one run, so the figures
# share the machine's load, and ends with one table of every figure with ours / peer ratios:
# first frame of the 1920x1080 and the 24-megapixel JPEG, next and previous slide of the
# twenty 24-megapixel JPEGs, peak RSS stepping through them and with one zoomed past its
# stored scale, and the 24-megapixel JPEG 2000 first frame beside opj_decompress -threads 2
# decoding the whole picture.
#
#   bench/compare-viewers.sh [--peers LIST] [--no-jp2] [harness options...]
#
#   --peers LIST  the peer viewers to run beside ours, comma-separated (default: feh;
#                 feh,qimgv,nsxiv for the usual comparison)
#   --no-jp2      skip the JPEG 2000 first frame and its opj_decompress reference
#   --no-wine     skip the Windows build under Wine (first frames and next slide beside the
#                 Linux build's); it runs when wine and the mingw-w64 compiler are there
# Everything else goes to viewer-bench.sh (e.g. --reps 3).
#
# Needs, besides the harness's own packages: feh (the default peer), libopenjp2-tools
# (opj_decompress, the JPEG 2000 reference) and python3 (the table).
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

peers=feh jp2=1 wine=1 args=()
while [ $# -gt 0 ]; do
  case $1 in
    --peers) peers=$2; shift ;;
    --no-jp2) jp2=0 ;;
    --no-wine) wine=0 ;;
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

# Runs the harness; prints its output and leaves the path of its records in $records.
bench() {
  local log
  log=$(mktemp /tmp/varnelle-bench.XXXXXX)
  "$perf/viewer-bench.sh" "$@" | tee "$log"
  records=$(sed -n 's/^records: //p' "$log")
  rm -f "$log"
}

# The peers' keys for the previous picture, and their commands, from the harness's list.
prev_key() { case $1 in nsxiv) echo p ;; *) echo Left ;; esac; }
peer_line() { grep -E "^$1[[:space:]]*\|" "$perf/viewers.conf" | head -n 1; }

echo "== ours beside ${peers//,/, }: first frames, then stepping through the twenty 24 MP slides"
bench --peers --only "ours,$peers" --viewer "$ours" --tests first-24mp,first-1080p,next-24mp --nexts 19 \
  ${args[@]+"${args[@]}"}
main_records=$records

echo "== previous slide"
prev_specs=(--viewer "ours-prev|Left|dir|$viewer -qwindowgeometry 1920x1080+0+0 0 {}|Escape")
prev_only=ours-prev
for peer in ${peers//,/ }; do
  line=$(peer_line "$peer")
  [ -n "$line" ] || continue
  IFS='|' read -r _ _ mode cmd pre <<< "$line"
  prev_specs+=(--viewer "$peer-prev|$(prev_key "$peer")|$mode|$cmd|$pre")
  prev_only+=",$peer-prev"
done
bench --only "$prev_only" "${prev_specs[@]}" --tests next-24mp ${args[@]+"${args[@]}"}
prev_records=$records

# Up zooms in once the show is stopped; five levels take the fit of a 24 MP slide (about a
# quarter) past a half, its stored scale.
echo "== ours, one 24 MP slide zoomed past its stored scale"
bench --only ours-zoom --viewer "ours-zoom|Up|dir|$viewer -qwindowgeometry 1920x1080+0+0 0 {}|Escape" \
  --tests next-24mp --nexts 5 ${args[@]+"${args[@]}"}
zoom_records=$records

table=(--peers "$peers" --main "$main_records" --prev "$prev_records" --zoom "$zoom_records")
if [ "$jp2" = 1 ]; then
  # The harness's first-frame test takes a folder holding one picture; one with the
  # 24-megapixel JPEG 2000 file stands in for the JPEG here.
  jp2data=$(mktemp -d /tmp/varnelle-jp2.XXXXXX)
  trap 'rm -rf "$jp2data"' EXIT
  mkdir "$jp2data/one-24mp"
  cp "$PERF_DATA/photo-24mp.jp2" "$jp2data/one-24mp/"
  touch "$jp2data/.stamp"
  echo "== ours, first frame of the 24-megapixel JPEG 2000 file"
  bench --only ours --viewer "$ours" --tests first-24mp --data "$jp2data" ${args[@]+"${args[@]}"}
  table+=(--jp2 "$records")

  # The reference: opj_decompress decoding the whole picture on two threads, pixels to
  # /dev/null.
  if command -v opj_decompress >/dev/null; then
    ln -s /dev/null "$jp2data/out.ppm"
    times=()
    for _ in 1 2 3 4 5; do
      start=$EPOCHREALTIME
      opj_decompress -threads 2 -i "$PERF_DATA/photo-24mp.jp2" -o "$jp2data/out.ppm" >/dev/null 2>&1
      end=$EPOCHREALTIME
      times+=("$(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.3f", b - a }')")
    done
    median=$(printf '%s\n' "${times[@]}" | sort -n | sed -n 3p)
    echo "opj_decompress -threads 2, whole 24-megapixel picture: median of 5 = ${median} s"
    table+=(--opj "$median")
  else
    echo "opj_decompress is not installed (libopenjp2-tools): no JPEG 2000 reference time" >&2
  fi
fi

if [ "$wine" = 1 ] && command -v wine >/dev/null && command -v x86_64-w64-mingw32-g++-posix >/dev/null; then
  echo "== building Varnelle.exe (windows preset)"
  (cd "$root" && cmake --preset windows >/dev/null && cmake --build --preset windows -j2 --target Varnelle)
  echo "== the Windows build under Wine, in a sandboxed prefix with the pictures as drive p:"
  wine_spec="ours-wine|Right|dir|$root/bench/wine-viewer.sh {}|Escape"
  VARNELLE_WINE_DATA_DIR=$PERF_DATA "$root/scripts/wine-sandbox.sh" "$root/build/windows" \
    bash -c "\"\$@\" | tee /tmp/varnelle-wine-bench.log" _ "$perf/viewer-bench.sh" --only ours-wine \
    --viewer "$wine_spec" --tests first-1080p,first-24mp,next-24mp --nexts 19 ${args[@]+"${args[@]}"}
  table+=(--wine "$(sed -n 's/^records: //p' /tmp/varnelle-wine-bench.log)")
  rm -f /tmp/varnelle-wine-bench.log
fi

echo "== all figures, one run ($(uptime | sed 's/.*load/load/'))"
python3 "$root/bench/compare_table.py" "${table[@]}"
