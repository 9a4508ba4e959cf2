#!/usr/bin/env bash
# Refreshes the README's pictures (docs/images/) from the screenshots of the Wine click tests
# (tests/e2e/test_tray_clicks.py, in build/wine/screenshots), each cut to what it shows.
# Run it after: bash tests/e2e/run.sh -k test_tray_clicks (and tests/e2e/test_removal_reason.py)
set -euo pipefail
cd "$(dirname "$0")/.."
shots=${HOLVARA_WINE_ROOT:-build/wine}/screenshots
cut() {  # cut SCREENSHOT GEOMETRY PICTURE
  convert "$shots/$1.png" -crop "$2" +repage -strip "docs/images/$3.png"
}
cut clicks-en-device-menu 560x200+464+568 device-menu
cut clicks-en-command-menu-selected 260x170+764+598 command-menu
cut clicks-en-remove-device 571x365+226+191 remove-device-dialog
cut clicks-en-removal-refused 356x110+333+318 removal-refused
