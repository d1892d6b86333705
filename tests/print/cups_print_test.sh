#!/usr/bin/env bash
# Prints through a real CUPS: starts a private scheduler on loopback with its own
# configuration, spool, cache, state, logs and output in a temporary folder under /tmp (the
# filters run as lp, which may not be able to enter the checkout's folders), adds a PDF
# queue (a file device fed by pdftopdf) as the default printer, runs the print test program
# against it, and stops the scheduler and removes that folder whatever happens. The test
# program's own files, the printed pages and the scheduler's logs stay in WORKDIR. Exits 77
# (skipped, with the reason) when CUPS or poppler is missing or the scheduler cannot start.
#
#   cups_print_test.sh TEST_PROGRAM WORKDIR PPD
set -u

program=$1 work=$2 ppd=$3
skip() {
  echo "SKIPPED: $*" >&2
  exit 77
}

cupsd_bin=$(command -v cupsd || echo /usr/sbin/cupsd)
lpadmin_bin=$(command -v lpadmin || echo /usr/sbin/lpadmin)
[ -x "$cupsd_bin" ] || skip "cupsd is not installed (scripts/install-deps.sh installs cups)"
[ -x "$lpadmin_bin" ] || skip "lpadmin is not installed (scripts/install-deps.sh installs cups)"
command -v lpstat >/dev/null || skip "lpstat is not installed (scripts/install-deps.sh installs cups)"
command -v pdftoppm >/dev/null || skip "pdftoppm is not installed (scripts/install-deps.sh installs poppler-utils)"
command -v pdfimages >/dev/null || skip "pdfimages is not installed (scripts/install-deps.sh installs poppler-utils)"
[ -x /usr/lib/cups/filter/pdftopdf ] || skip "the pdftopdf filter is missing (cups-filters)"
[ "$(id -u)" -eq 0 ] || skip "the private scheduler needs root to hand jobs to its filters"

cupsd_pid= sched=
cleanup() {
  if [ -n "$cupsd_pid" ] && kill -0 "$cupsd_pid" 2>/dev/null; then
    kill "$cupsd_pid" 2>/dev/null
    for _ in $(seq 100); do kill -0 "$cupsd_pid" 2>/dev/null || break; sleep 0.1; done
    kill -9 "$cupsd_pid" 2>/dev/null
    wait "$cupsd_pid" 2>/dev/null
  fi
  if [ -n "$sched" ]; then
    cp -r "$sched/log" "$work/" 2>/dev/null
    rm -rf "$sched"
  fi
}
trap cleanup EXIT
trap 'exit 130' INT TERM

rm -rf "$work"
mkdir -p "$work" || exit 1
sched=$(mktemp -d /tmp/varnelle-cups.XXXXXX) || exit 1
mkdir -p "$sched"/conf/ppd "$sched"/spool/tmp "$sched"/cache "$sched"/state "$sched"/log "$sched"/out "$sched"/home
# The filters run as lp: they must reach the spool and write the device file.
chmod 0755 "$sched" "$sched"/conf "$sched"/log "$sched"/home
chmod 0777 "$sched"/out
chmod 1777 "$sched"/spool/tmp

# A free loopback port, chosen by the kernel.
port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])' 2>/dev/null) ||
  port=$((20000 + RANDOM % 20000))
server=127.0.0.1:$port

cat >"$sched/conf/cupsd.conf" <<CONF
Listen $server
LogLevel info
MaxLogSize 0
WebInterface No
Browsing No
BrowseLocalProtocols none
DefaultAuthType None
DefaultShared No
JobKillDelay 5
# A device that cannot be written ends its job instead of stopping the queue (a failing
# filter stops its job, which the test program sees and reports at once).
ErrorPolicy abort-job
<Location />
  Order allow,deny
  Allow from 127.0.0.1
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
CONF
cat >"$sched/conf/cups-files.conf" <<CONF
ServerRoot $sched/conf
RequestRoot $sched/spool
TempDir $sched/spool/tmp
CacheDir $sched/cache
StateDir $sched/state
AccessLog $sched/log/access_log
ErrorLog $sched/log/error_log
PageLog $sched/log/page_log
Printcap $sched/state/printcap
FileDevice Yes
Sandboxing relaxed
User lp
Group lp
SystemGroup root
CONF

"$cupsd_bin" -f -c "$sched/conf/cupsd.conf" -s "$sched/conf/cups-files.conf" >"$sched/log/cupsd.out" 2>&1 &
cupsd_pid=$!

export CUPS_SERVER=$server
export HOME=$sched/home  # no lpoptions or client.conf of the user's
ready=
for _ in $(seq 300); do
  kill -0 "$cupsd_pid" 2>/dev/null || break
  if lpstat -r 2>/dev/null | grep -q 'is running'; then ready=1; break; fi
  sleep 0.1
done
if [ -z "$ready" ]; then
  cat "$sched/log/cupsd.out" "$sched/log/error_log" 2>/dev/null >&2
  skip "the private CUPS scheduler did not start on $server"
fi

queue=VarnelleTestPdf
device=$sched/out/page.pdf
if ! "$lpadmin_bin" -p "$queue" -E -v "file://$device" -P "$ppd" >"$sched/log/lpadmin.out" 2>&1 ||
  ! "$lpadmin_bin" -d "$queue" >>"$sched/log/lpadmin.out" 2>&1; then
  cat "$sched/log/lpadmin.out" "$sched/log/error_log" >&2
  skip "the PDF queue could not be added to the private scheduler"
fi

export VARNELLE_PRINT_DEVICE=$device
export VARNELLE_PRINT_WORK=$work
export VARNELLE_PRINT_QUEUE=$queue
# The test program shows it the moment a job goes wrong.
export VARNELLE_PRINT_ERROR_LOG=$sched/log/error_log
export QT_QPA_PLATFORM=offscreen
"$program"
status=$?
if [ "$status" -ne 0 ]; then
  echo "scheduler log:" >&2
  grep -v 'envp\[' "$sched/log/error_log" | tail -n 40 >&2
fi
exit "$status"
