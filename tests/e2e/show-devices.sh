#!/usr/bin/env bash
# show-devices.sh [MACHINE.json]: installs the product with HolvaraSetup.exe /S into a fresh Wine
# prefix (build/demo/prefix), points the installed service at a simulated machine
# (examples/machines/pm-enclosure.json unless given), prints the device list through the installed
# HolvaraCli.exe, clicks the tray icon open and saves screenshots under build/demo/screenshots.
# On the user's display ($DISPLAY answers) everything stays running; on a private Xvfb it ends.
# show-devices.sh --stop: ends what a run left running (programs, service, wineserver, Xvfb).
set -uo pipefail
if [ "${1:-}" = --stop ]; then
  stop=1
else
  stop=0
  machine=$(realpath "${1:-$(dirname "$0")/../../examples/machines/pm-enclosure.json}") || exit 2
fi
cd "$(dirname "$0")/../.."
# A Wine folder of its own, so the demonstration never touches the tests' prefix.
export HOLVARA_WINE_ROOT=${HOLVARA_DEMO_ROOT:-$PWD/build/demo}
# Its lock, and on exit the end of every process the run started.
source tests/e2e/wine-session.sh
# What an earlier run left running ends first: its prefix is about to be made afresh.
end_wine_session
((stop)) && exit 0

keep=()
if [ -n "${DISPLAY:-}" ] && xdpyinfo -display "$DISPLAY" >/dev/null 2>&1; then
  keep=(--keep "$DISPLAY")
fi
PYTHONDONTWRITEBYTECODE=1 timeout --kill-after=15 600 \
  /usr/bin/python3 tests/e2e/show_devices.py "${keep[@]}" "$machine" </dev/null
status=$?
# Left running for the user: the exit must not end it.
((status == 0 && ${#keep[@]})) && trap - EXIT
exit $status
