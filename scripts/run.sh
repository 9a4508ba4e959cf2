#!/usr/bin/env bash
# The main job: builds everything, installs the product into a fresh Wine prefix, and shows it
# working on a simulated PC (tests/e2e/show-devices.sh does the showing).
#   bash scripts/run.sh [MACHINE.json]   build, install, list the devices, click the icon open
#   bash scripts/run.sh --stop           end what a run on the user's display left running
set -euo pipefail
cd "$(dirname "$0")/.."
if [ "${1:-}" = --stop ]; then
  exec bash tests/e2e/show-devices.sh --stop
fi
bash scripts/setup.sh
cmake --preset windows >/dev/null
cmake --build --preset windows -j "$(nproc)"
cmake --preset native >/dev/null
cmake --build --preset native --target holvara-sim -j "$(nproc)"
exec bash tests/e2e/show-devices.sh "$@"
