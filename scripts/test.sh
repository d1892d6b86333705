#!/usr/bin/env bash
# Builds and runs every test: the g++ RelWithDebInfo build, then the clang
# AddressSanitizer + UBSan build with its bounded fuzz runs. Ends with CTest's summary.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

for preset in default asan; do
  echo "== build ($preset)"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
done

status=0
for preset in default asan; do
  echo "== test ($preset)"
  ctest --preset "$preset" || status=$?
done
exit $status
