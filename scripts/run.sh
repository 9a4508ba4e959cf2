#!/usr/bin/env bash
# The main job: builds everything and shows the devices of the default example machine as the
# service reports them through the real pipe, with the service running under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake --preset windows >/dev/null
cmake --build --preset windows -j "$(nproc)"
cmake --preset native >/dev/null
cmake --build --preset native -j "$(nproc)"
if [ -x tests/e2e/show-devices.sh ]; then
  bash tests/e2e/show-devices.sh "$@"
fi
