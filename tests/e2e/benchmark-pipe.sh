#!/usr/bin/env bash
# benchmark-pipe.sh [EXCHANGES] [ROUNDS]: exchanges per second of HolvaraService.exe under Wine's
# service manager against two bare pipe loops (tests/tools/holvara-pipeloop), one that starts and
# joins a thread per request and one that does not, all in one Wine session on this machine.
set -uo pipefail
cd "$(dirname "$0")/../.."
source tests/e2e/wine-session.sh

PYTHONDONTWRITEBYTECODE=1 timeout --kill-after=15 900 \
  /usr/bin/python3 tests/e2e/benchmark_pipe.py "${1:-1000}" "${2:-3}" </dev/null
