#!/usr/bin/env bash
# show-devices.sh [MACHINE.json]: installs the product with HolvaraSetup.exe /S into a fresh Wine
# prefix (build/demo/prefix), points the installed service at a simulated machine
# (examples/machines/pm-enclosure.json unless given), prints the device list through the installed
# HolvaraCli.exe, saves a screenshot of the desktop under build/demo/screenshots, and ends Wine.
set -uo pipefail
machine=$(realpath "${1:-$(dirname "$0")/../../examples/machines/pm-enclosure.json}") || exit 2
cd "$(dirname "$0")/../.."
# A Wine folder of its own, so the demonstration never touches the tests' prefix.
export HOLVARA_WINE_ROOT=${HOLVARA_DEMO_ROOT:-$PWD/build/demo}
source tests/e2e/wine-session.sh

PYTHONDONTWRITEBYTECODE=1 timeout --kill-after=15 600 \
  /usr/bin/python3 tests/e2e/show_devices.py "$machine" </dev/null
