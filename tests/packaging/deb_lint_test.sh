#!/usr/bin/env bash
# Makes the viewer's Debian package from this build and checks it as Debian's tools do:
# lintian reports no error and no warning, the desktop entry, the AppStream metainfo and
# the MIME definition validate. Reports a skip (77) where a tool is missing.
#
#   deb_lint_test.sh BUILD_DIR SOURCE_DIR
set -u
build_dir=$1 source_dir=$2
for tool in cpack lintian desktop-file-validate appstreamcli update-mime-database; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not there"; exit 77; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0

cpack --config "$build_dir/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log"; echo "FAIL: cpack could not make the package"; exit 1; }
deb=$(ls "$work"/varnelle_*.deb)
# Lintian warns that it runs as root; only its tags count.
tags=$(lintian --fail-on none "$deb" 2>/dev/null | grep -E '^[EW]: ')
[ -z "$tags" ] || { echo "FAIL: lintian:"; echo "$tags"; status=1; }

desktop-file-validate "$source_dir/packaging/org.quorvyn.Varnelle.desktop" || status=1
appstreamcli validate --no-net "$source_dir/packaging/org.quorvyn.Varnelle.metainfo.xml" >"$work/as.log" 2>&1 ||
  { cat "$work/as.log"; status=1; }
# The MIME definition alone, compiled into a scratch database as the package's trigger does.
mkdir -p "$work/mime/packages"
cp "$source_dir/packaging/varnelle-collage.xml" "$work/mime/packages/"
XDG_DATA_DIRS="$work" update-mime-database "$work/mime" >"$work/mime.log" 2>&1 || { cat "$work/mime.log"; status=1; }
[ ! -s "$work/mime.log" ] || { echo "FAIL: update-mime-database:"; cat "$work/mime.log"; status=1; }
grep -q '^[0-9]*:application/x-varnelle-collage:\*\.lit$' "$work/mime/globs2" ||
  { echo "FAIL: no glob for collage files"; status=1; }
[ "$status" -eq 0 ] && echo "lintian, desktop-file-validate and appstreamcli and update-mime-database found nothing to fix"
exit "$status"
