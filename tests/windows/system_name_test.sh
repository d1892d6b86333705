#!/usr/bin/env bash
# Runs the system-name suite with Wine set to report one Windows version:
#   system_name_test.sh WINE_VERSION EXPECTED_NAME TEST_PROGRAM
# The version is set in the sandbox's registry for the run and removed after it, so the
# other tests see Wine's default version again.
set -euo pipefail
version=$1 expected=$2 program=$3
run=$(dirname "$0")/../../scripts/wine-run.sh
"$run" reg add 'HKCU\Software\Wine' /v Version /d "$version" /f >/dev/null
code=0
VARNELLE_EXPECTED_SYSTEM_NAME=$expected "$run" "$program" --gtest_filter='SystemName.*' || code=$?
"$run" reg delete 'HKCU\Software\Wine' /v Version /f >/dev/null
exit $code
