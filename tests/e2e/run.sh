#!/usr/bin/env bash
# The end-to-end tests of the real .exe files under Wine. Exits non-zero when a test fails, and
# ends every process it started (Xvfb, Wine programs, the wineserver) also on failure or time-out.
set -uo pipefail
cd "$(dirname "$0")/../.."

export HOLVARA_WINE_ROOT=${HOLVARA_WINE_ROOT:-$PWD/build/wine}
mkdir -p "$HOLVARA_WINE_ROOT"
# One session per prefix at a time: a second run waits instead of sharing the wineserver.
exec 9>"$HOLVARA_WINE_ROOT/session.lock"
flock 9

end_everything() {
  if [ -s "$HOLVARA_WINE_ROOT/pids" ]; then
    while read -r pid; do
      kill -KILL -- "-$pid" 2>/dev/null || true
    done <"$HOLVARA_WINE_ROOT/pids"
    : >"$HOLVARA_WINE_ROOT/pids"
  fi
  if [ -d "$HOLVARA_WINE_ROOT/prefix" ]; then
    WINEPREFIX="$HOLVARA_WINE_ROOT/prefix" wineserver -k </dev/null >/dev/null 2>&1 || true
  fi
}
trap end_everything EXIT

PYTHONDONTWRITEBYTECODE=1 timeout --kill-after=15 "${HOLVARA_E2E_TIME_LIMIT:-900}" \
  /usr/bin/python3 -m pytest tests/e2e "$@" </dev/null
