#!/usr/bin/env bash
# show-devices.sh [MACHINE.json]: starts HolvaraServiceSim.exe under Wine's service manager on a
# simulated machine (examples/machines/pm-enclosure.json unless given), lists its devices as the
# service reports them through the real pipe, then removes the service and ends Wine.
set -uo pipefail
machine=$(realpath "${1:-$(dirname "$0")/../../examples/machines/pm-enclosure.json}") || exit 2
cd "$(dirname "$0")/../.."
source tests/e2e/wine-session.sh

PYTHONDONTWRITEBYTECODE=1 timeout --kill-after=15 300 \
  /usr/bin/python3 tests/e2e/show_devices.py "$machine" </dev/null
