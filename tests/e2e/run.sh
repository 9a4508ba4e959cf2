#!/usr/bin/env bash
# The end-to-end tests of the real .exe files under Wine. Exits non-zero when a test fails, and
# ends every process it started (Xvfb, Wine programs, the wineserver) also on failure or time-out.
set -uo pipefail
cd "$(dirname "$0")/../.."
source tests/e2e/wine-session.sh

PYTHONDONTWRITEBYTECODE=1 timeout --kill-after=15 "${HOLVARA_E2E_TIME_LIMIT:-1800}" \
  /usr/bin/python3 -m pytest tests/e2e "$@" </dev/null
