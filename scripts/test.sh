#!/usr/bin/env bash
# Builds and runs every test: the g++ RelWithDebInfo build, then the clang
# AddressSanitizer + UBSan build with its bounded fuzz runs, then the picture cache's tests
# (the one place with a worker thread) under ThreadSanitizer, built alone to stay cheap,
# then the Windows cross build's tests under Wine (VARNELLE_SKIP_WINDOWS=1 leaves that stage
# out; CI never sets it).
# Ends with one line per build giving CTest's summary, and fails when any build's tests failed.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

presets=(default asan tsan)
[ "${VARNELLE_SKIP_WINDOWS:-0}" = 1 ] || presets+=(windows)

for preset in "${presets[@]}"; do
  echo "== build ($preset)"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
done

status=0
results=()
output=$(mktemp)
trap 'rm -f "$output"' EXIT
for preset in "${presets[@]}"; do
  echo "== test ($preset)"
  code=0
  if [ "$preset" = windows ]; then
    scripts/wine-sandbox.sh build/windows ctest --preset windows 2>&1 | tee "$output" || code=$?
  else
    ctest --preset "$preset" 2>&1 | tee "$output" || code=$?
  fi
  summary=$(grep -E '^[0-9]+% tests passed' "$output" | tail -n 1 || true)
  [ -n "$summary" ] || summary="no test summary"
  [ "$code" -eq 0 ] || { summary+=" (ctest exit status $code)"; status=$code; }
  results+=("$preset: $summary")
done

# A later build's output would otherwise hide a failure of an earlier one.
echo "== results"
printf '%s\n' "${results[@]}"
exit $status
