#!/usr/bin/env bash
# Drives Setup.exe under Wine through its dialogs, on an X server of its own:
#   setup_gui_test.sh SCENARIO SETUP_FOLDER DRIVER
# Runs inside scripts/wine-sandbox.sh. Each scenario installs from a fresh copy of the setup
# folder in C:\setup-SCENARIO with Wine reporting Windows XP (so the shortcuts go to the
# all-users Start menu), and leaves the prefix as it found it.
set -euo pipefail
scenario=$1 folder=$2 driver=$3
run=$(cd "$(dirname "$0")/../../scripts" && pwd)/wine-run.sh
c=$WINEPREFIX/drive_c
work=$c/setup-$scenario
programs="$c/Documents and Settings/All Users/Start Menu/Programs"
S='C:\setup-'$scenario'\' I='C:\Varnelle\' M='C:\Documents and Settings\All Users\Start Menu\Programs\Varnelle'

tmp=$(mktemp -d)
. "$(dirname "$0")/private_display.sh"
cleanup() {
  "$run" reg delete 'HKCU\Software\Wine' /v Version /f </dev/null >/dev/null 2>&1 || true
  close_private_display
  rm -rf "$tmp" "$work" "$c/Varnelle" "$c/Documents and Settings" "$c/afile"
}
trap cleanup EXIT

open_private_display 1024x768

"$run" reg add 'HKCU\Software\Wine' /v Version /d winxp /f >/dev/null
rm -rf "$work" "$c/Varnelle"
cp -r "$folder" "$work"
mkdir -p "$programs"
# A registry tree for the install to remove.
sed -i 's/^\[DELREGKEY\]\r$/[DELREGKEY]\r\nHKEY_CURRENT_USER\\Software\\Varnelle Test;\r/' "$work/config.cfg"

fail() { echo "setup_gui_test: $*" >&2; exit 1; }
drive() { "$run" "$driver" "$@"; }
# Setup started in folder $1 (unix path); its process id in $setup.
start() { (cd "$1" && exec "$run" Setup.exe) & setup=$!; }
ended() {
  for _ in $(seq 200); do kill -0 "$setup" 2>/dev/null || { wait "$setup" || true; return 0; }; sleep 0.05; done
  fail "Setup is still running"
}
line() { printf '%s\r\n' "$@"; }
agree() { drive wait "Varnelle Setup" click 1000 wait "License Agreement" click 1; }

case $scenario in
install_uninstall)
  "$run" reg add 'HKCU\Software\Varnelle Test\Deep\Deeper' /v Value /d x /f >/dev/null
  start "$work"
  agree
  kb=$(sed -n '/^\[INSTSIZE\]/{n;p}' "$work/config.cfg" | tr -d ';\r')
  drive wait Install expect 1011 'C:\Varnelle' expect 1014 "$((kb / 1024)) MB" hidden 1019 click 1 \
        wait Finished says "Setup has finished installing Varnelle" click 1
  ended
  for f in Varnelle.exe Setup.exe config.cfg Readme.txt License.txt samples/dawn.jpg samples/show.lit; do
    cmp "$work/$f" "$c/Varnelle/$f" || fail "$f not installed"
  done
  files="Varnelle.exe Setup.exe config.cfg Readme.txt License.txt samples\\dawn.jpg samples\\dusk.bmp samples\\night.jpg samples\\noon.png samples\\show.lit"
  {
    line "Creating the \"$I\" directory...Success." "Creating the \"${I}samples\" directory...Success."
    for f in $files; do line "Copying \"$S$f\" to \"$I$f\"...Success."; done
    line "Deleting the \"$M\\Varnelle\" shortcut...Failed." "Deleting the \"$M\\Varnelle Setup\" shortcut...Failed."
    line "Deleting the \"$M\" shortcut directory...Failed." "Creating the \"$M\" shortcut directory...Success."
    line "Creating the \"Varnelle\" shortcut...Success." "Creating the \"Varnelle Setup\" shortcut...Success."
    line 'Checking existance of the "HKEY_CURRENT_USER\Software\Varnelle Test" registry key...Success.'
    line 'Deleting the "HKEY_CURRENT_USER\Software\Varnelle Test" registry key...Success.'
  } >"$tmp/Install.log"
  cmp "$tmp/Install.log" "$c/Varnelle/Install.log" || { diff <(tr -d '\r' <"$tmp/Install.log") <(tr -d '\r' <"$c/Varnelle/Install.log"); fail "Install.log differs"; }
  link="$programs/Varnelle/Varnelle Setup.LNK"
  [ "$(head -c 4 "$link" | od -An -tx1 | tr -d ' ')" = 4c000000 ] || fail "no shell link"
  grep -aq 'C:\\Varnelle\\Setup.exe' "$link" || fail "the link's target is not the installed Setup.exe"
  grep -aq 'C:\\Varnelle\\Varnelle.exe' "$programs/Varnelle/Varnelle.LNK" || fail "no shortcut to the viewer"
  ! "$run" reg query 'HKCU\Software\Varnelle Test' >/dev/null 2>&1 || fail "the registry tree stays"

  # The uninstall runs from the installation folder.
  start "$c/Varnelle"
  drive wait "Varnelle Setup" click 1001 wait Careful says "Are you sure you want to uninstall Varnelle?" click 6 \
        wait Note click 1
  ended
  [ ! -e "$link" ] && [ ! -e "$programs/Varnelle" ] || fail "the shortcut stays"
  [ ! -e "$c/Varnelle/samples" ] && [ ! -e "$c/Varnelle/Readme.txt" ] || fail "files stay"
  grep -aqF "Deleting the \"${I}Readme.txt\" file...Success." "$c/Varnelle/Uninstall.log" || fail "no Uninstall.log"
  ;;
cancel_exit)
  start "$work"
  agree
  drive wait Install click 2 gone Install wait "Varnelle Setup" click 2
  ended
  [ ! -e "$c/Varnelle" ] || fail "Cancel installed"
  ;;
licence_close)
  start "$work"
  drive wait "Varnelle Setup" click 1000 wait "License Agreement" apart 1030 1 apart 1030 2 click 2
  ended
  [ ! -e "$c/Varnelle" ] || fail "Close installed"
  ;;
access_code_editor)
  start "$work"
  agree
  # One letter in another case does nothing; the code brings back the directory and Edit.
  drive wait Install set 1011 'tkvQ!!' expect 1011 'tkvQ!!' hidden 1019 set 1011 'tkvq!!' \
        expect 1011 'C:\Varnelle' shown 1019 click 1019 wait "Edit Config.cfg" apart 1040 1 apart 1040 1041 click 1041 \
        wait Instructions says "* Headers must not be terminated." click 2 gone Instructions \
        wait "Edit Config.cfg" set 1040 $'[APPNAME]\nEdited;\n[DELREGKEY]' click 1 \
        wait Setup says "Bad config.cfg file." click 1 wait Install click 2 wait "Varnelle Setup" click 2
  ended
  [ "$(cat "$work/config.cfg")" = $'[APPNAME]\r\nEdited;\r\n[DELREGKEY]' ] || fail "config.cfg not written by the editor"
  ;;
refusals)
  # The first "Full Drive" box is gone before the second is waited for: a box that has just
  # re-enabled its owner is still on screen for a moment, and would take the second answer.
  : >"$c/afile"
  sed -i '/^\[INSTSIZE\]\r$/{n;s/^[0-9]*;/2000000000;/}' "$work/config.cfg"
  start "$work"
  agree
  drive wait Install set 1011 'Q:\Varnelle' click 1 wait Invalid click 1 \
        wait Install set 1011 'C:\Varnelle' click 1 wait "Full Drive" click 7 gone "Full Drive" \
        wait Install set 1011 'C:\afile\Varnelle' click 1 wait "Full Drive" click 6 \
        wait Error says $'Setup was unable to create the installation directory.\n\nPlease try another installation directory.' \
        click 1 wait Install click 2 wait "Varnelle Setup" click 2
  ended
  [ ! -e "$c/Varnelle" ] || fail "a refused install made the folder"
  ;;
choose_drive)
  # The last fixed drive is the build folder's v:, whatever else the sandbox maps; a double
  # click on a drive (the first, c:) takes it at once.
  start "$work"
  agree
  drive wait Install click 1012 wait "Choose Directory" key 1020 35 click 1 gone "Choose Directory" \
        wait Install expect 1011 'V:\Varnelle' click 1012 wait "Choose Directory" click 2 gone "Choose Directory" \
        wait Install expect 1011 'V:\Varnelle' click 1012 wait "Choose Directory" dblclick 1020 1 \
        gone "Choose Directory" wait Install expect 1011 'C:\Varnelle' click 2 wait "Varnelle Setup" click 2
  ended
  ;;
explore)
  # Setup gives way to the file window on its own folder, each argument whole.
  start "$work"
  drive wait "Varnelle Setup" click 1002
  ended
  ps -eo args | grep -qF 'EXPLORER.EXE ,/n ,C:\setup-explore' || fail "no file window on the setup folder"
  ;;
*) fail "unknown scenario $scenario" ;;
esac
