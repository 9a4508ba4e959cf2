#!/usr/bin/env bash
# Every test: the sources' formatting, the native suite, the same suite under the sanitizers, a
# short run of every fuzz target, the Windows build, and the end-to-end tests of the real .exe
# files under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

# Unformatted code fails the run before anything is built.
bash scripts/format.sh --check

jobs=$(nproc)
build() {
  cmake --preset "$1" >/dev/null
  cmake --build --preset "$1" -j "$jobs"
}

# The Wine tests need the Windows programs and the native tools.
build native
build windows

# The Wine tests spend their time waiting on the programs they drive, so they run beside the
# sanitizer build and the fuzz runs, which are niced to take the processors only when the tests
# leave them. Every step runs to its end; the script fails if any of them failed.
mkdir -p build
e2e_log=build/e2e.log
e2e=""
if [ -x tests/e2e/run.sh ]; then
  bash tests/e2e/run.sh >"$e2e_log" 2>&1 &
  e2e=$!
fi

set +e
failed=0
ctest --preset native -j "$jobs" || failed=1
(
  renice -n 15 "$BASHPID" >/dev/null
  build native-asan && ctest --preset native-asan -j "$jobs"
) || failed=1
# Every fuzz target for a few seconds on its corpus; docs/reliability.md has the long runs.
nice -n 15 bash scripts/fuzz.sh --seconds 4 || failed=1
if [ -n "$e2e" ]; then
  wait "$e2e" || failed=1
  cat "$e2e_log"
fi
exit "$failed"
