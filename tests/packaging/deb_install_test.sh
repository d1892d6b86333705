#!/usr/bin/env bash
# Installs the viewer's Debian package system-wide as a user would (apt-get install ./x.deb),
# checks that the desktop finds its entry, icons and file types, starts the installed program
# from a file manager's one-path command line on a picture in a folder with spaces, then
# purges the package and checks that nothing of it is left.
#
#   deb_install_test.sh BUILD_DIR SCREEN_CENTRE_COLOUR
#
# Needs root, apt and a virtual X server; reports a skip (77) with the reason elsewhere.
set -u
build_dir=$1 centre_colour=$2
app=org.quorvyn.Varnelle

skip() { echo "skipped: $*"; exit 77; }
fail() { echo "FAIL: $*" >&2; exit 1; }
installed() { dpkg-query -W -f='${Status}' varnelle 2>/dev/null | grep -q 'ok installed'; }

[ "$(id -u)" -eq 0 ] || skip "installing a package system-wide needs root"
for tool in apt-get dpkg-query cpack xvfb-run update-mime-database update-desktop-database; do
  command -v "$tool" >/dev/null || skip "$tool is not there"
done
installed && skip "a varnelle package is installed already, and is left alone"

work=$(mktemp -d)
cleanup() {
  if installed; then apt-get purge -y -qq varnelle >/dev/null 2>&1 || dpkg --purge varnelle >/dev/null; fi
  rm -rf "$work"
}
trap cleanup EXIT

# The package of this build, made afresh so that the test never installs an old one.
cpack --config "$build_dir/CPackConfig.cmake" -B "$work/package" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log"; fail "cpack could not make the package"; }
deb=$(ls "$work"/package/varnelle_*.deb) || fail "no package was made"

apt=(apt-get -y -qq -o DPkg::Lock::Timeout=120)
DEBIAN_FRONTEND=noninteractive "${apt[@]}" install --no-install-recommends "$deb" >"$work/apt.log" 2>&1 ||
  { cat "$work/apt.log"; fail "apt-get install $deb"; }
installed || fail "the package is not installed after apt-get install"
mapfile -t files < <(dpkg-query -L varnelle | while read -r f; do [ -d "$f" ] || echo "$f"; done)

# Where the desktop looks for the program, its menu entry, icons and file types.
expected=(/usr/bin/Varnelle /usr/share/applications/$app.desktop /usr/share/metainfo/$app.metainfo.xml
          /usr/share/mime/packages/varnelle-collage.xml /usr/share/icons/hicolor/scalable/apps/$app.svg
          /usr/share/man/man1/Varnelle.1.gz /usr/share/doc/varnelle/copyright)
for size in 16 32 48 64 128 256; do expected+=(/usr/share/icons/hicolor/${size}x${size}/apps/$app.png); done
for f in "${expected[@]}"; do [ -f "$f" ] || fail "$f is not installed"; done
grep -q '^[0-9]*:application/x-varnelle-collage:\*\.lit$' /usr/share/mime/globs2 ||
  fail "the MIME database does not know collage files"
grep -q "^application/x-varnelle-collage=.*$app.desktop" /usr/share/applications/mimeinfo.cache ||
  fail "the desktop database does not offer Varnelle for collage files"
grep -q "^image/jpeg=.*$app.desktop" /usr/share/applications/mimeinfo.cache ||
  fail "the desktop database does not offer Varnelle for JPEG files"

# Three slides of one colour each; the file manager opens the green one, whatever place the
# folder's order gives it, so the green slide must be on screen first.
pictures="$work/My Pictures"
mkdir "$pictures"
slide() {  # slide FILE R G B: a 400 x 300 binary PPM of one colour
  local pixel row="" i
  pixel=$(printf '\\%03o\\%03o\\%03o' "$2" "$3" "$4")
  for ((i = 0; i < 400; i++)); do row+=$pixel; done
  { printf 'P6\n400 300\n255\n'; for ((i = 0; i < 300; i++)); do printf "$row"; done; } >"$1"
}
slide "$pictures/red slide.ppm" 255 0 0
slide "$pictures/green slide.ppm" 0 255 0
slide "$pictures/blue slide.ppm" 0 0 255

export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
cd "$work"
# The window is black until the first slide is decoded, which takes well under a second
# for these; an empty show stays black, so the bound is kept short. Anything else on
# screen (another slide, a message box) fails at once.
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
  Varnelle "$1" >viewer.log 2>&1 & pid=$!
  trap "kill $pid 2>/dev/null; wait $pid 2>/dev/null" EXIT
  deadline=$((SECONDS + 15))
  while :; do
    kill -0 "$pid" 2>/dev/null || { echo "the viewer ended:"; cat viewer.log; exit 1; }
    colour=$("$2" 2>/dev/null)
    case "$colour" in
      "0 255 0") exit 0 ;;
      "0 0 0" | "") ;;
      *) echo "not the opened picture on screen ($colour)"; exit 1 ;;
    esac
    [ "$SECONDS" -lt "$deadline" ] || { echo "no slide on screen within 15 s ($colour)"; exit 1; }
    sleep 0.1
  done' _ "$pictures/green slide.ppm" "$centre_colour" || fail "the installed viewer did not show the opened picture"
[ -e Varnelle.log ] && fail "a run from an opened path wrote the run log"

DEBIAN_FRONTEND=noninteractive "${apt[@]}" purge varnelle >"$work/apt.log" 2>&1 ||
  { cat "$work/apt.log"; fail "apt-get purge varnelle"; }
installed && fail "the package is still installed after apt-get purge"
for f in "${files[@]}"; do [ ! -e "$f" ] || fail "$f is left after removal"; done
[ ! -e /usr/share/doc/varnelle ] || fail "/usr/share/doc/varnelle is left after removal"
grep -q 'x-varnelle-collage' /usr/share/mime/globs2 && fail "the MIME database still knows collage files"
grep -q "$app" /usr/share/applications/mimeinfo.cache && fail "the desktop database still offers Varnelle"
echo "installed ${#files[@]} files, showed the opened picture, removed them all"
exit 0
