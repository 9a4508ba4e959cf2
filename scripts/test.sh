#!/usr/bin/env bash
# Every test: the native suite, the same suite under the sanitizers, a short run of every fuzz
# target, the Windows build, and the end-to-end tests of the real .exe files under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

jobs=$(nproc)
for preset in native native-asan; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
  ctest --preset "$preset" -j "$jobs"
done

# Every fuzz target for a few seconds on its corpus; docs/reliability.md has the long runs.
bash scripts/fuzz.sh --seconds 4

cmake --preset windows >/dev/null
cmake --build --preset windows -j "$jobs"
if [ -x tests/e2e/run.sh ]; then
  bash tests/e2e/run.sh
fi
