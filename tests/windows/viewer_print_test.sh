#!/usr/bin/env bash
# Runs the print tests under Wine on a private X server. Where cupsd can run, a private CUPS
# queue (tests/print/cups_print_test.sh) is Wine's default printer, and the page printed
# through it is checked here: Letter with 0.25 in unprintable margins, the Print dialog
# closed on "Center on page", so the 800 x 500 client area at 100 pixels per inch lies 0 and
# 2.75 in from the printable origin, and the 320 x 240 picture 2.4 and 1.3 in inside it:
# from (190.8, 309.6) to (421.2, 482.4) points. Without CUPS the tests that need it
# say they are skipped and why.
#
#   viewer_print_test.sh TEST_PROGRAM
set -u
here=$(cd "$(dirname "$0")" && pwd)

if [ -z "${VARNELLE_PRINT_PROGRAM:-}" ]; then
  export VARNELLE_PRINT_PROGRAM=$1
  bash "$here/../print/cups_print_test.sh" "$here/viewer_print_test.sh" "$PWD/print-work" "$here/../print/varnelle-test.ppd"
  status=$?
  [ "$status" -eq 77 ] || exit "$status"
  echo "the CUPS job is left out: no private queue (see the reason above)" >&2
  exec bash "$0"
fi

. "$here/private_display.sh"
trap close_private_display EXIT
open_private_display 1280x1024
log=${VARNELLE_PRINT_WORK:-$PWD}/tests.log
"$here/../../scripts/wine-run.sh" "$VARNELLE_PRINT_PROGRAM" 2>&1 | tee "$log"
[ "${PIPESTATUS[0]}" -eq 0 ] || exit 1
[ -n "${VARNELLE_PRINT_DEVICE:-}" ] || exit 0
if ! grep -q '^\[       OK \] CupsPrintTest.PrintSendsThePage' "$log"; then
  echo "no page to check: the job was skipped (see its reason above)" >&2
  exit 0
fi

# The job was handed to the scheduler when the program ended; its filters finish it.
for _ in $(seq 300); do
  [ -z "$(lpstat -o 2>/dev/null)" ] && break
  sleep 0.1
done
if [ -n "$(lpstat -o 2>/dev/null)" ] || [ ! -s "$VARNELLE_PRINT_DEVICE" ]; then
  echo "no page came out of the queue" >&2
  exit 1
fi
page=$VARNELLE_PRINT_WORK/page
cp "$VARNELLE_PRINT_DEVICE" "$page.pdf"
pdftoppm -r 72 -singlefile "$page.pdf" "$page" || exit 1
python3 - "$page.ppm" <<'PY'
import sys
data = open(sys.argv[1], 'rb').read()
fields = data.split(None, 4)
width, height = int(fields[1]), int(fields[2])
pixels = fields[4]
xs, ys = [], []
for y in range(height):
    row = pixels[y * width * 3:(y + 1) * width * 3]
    for x in range(width):
        r, g, b = row[3 * x], row[3 * x + 1], row[3 * x + 2]
        if abs(r - 10) < 40 and abs(g - 200) < 40 and abs(b - 10) < 40:
            xs.append(x); ys.append(y)
if (width, height) != (612, 792):
    sys.exit(f"the page is {width} x {height} points, not Letter")
if not xs:
    sys.exit("the printed page has no picture")
box = (min(xs), min(ys), max(xs) + 1, max(ys) + 1)
want = (190.8, 309.6, 421.2, 482.4)
print("picture on the page at", box, "points; expected", want)
if any(abs(a - b) > 2 for a, b in zip(box, want)):
    sys.exit("the picture is not where the Print dialog placed it")
PY
