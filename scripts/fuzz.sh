#!/usr/bin/env bash
# Builds the fuzz targets (preset "fuzz": clang, libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs each in turn on its corpus.
#
#   scripts/fuzz.sh [--seconds N] [--runs N] [TARGET...]
#
# TARGET is one of the names below (default: all), each run for N seconds (default 5) or N
# executions, whichever comes first when both are given. The seeds in tests/fuzz/corpus/TARGET are only read; inputs the fuzzer finds are
# kept in build/fuzz/corpus/TARGET, an input that breaks an invariant in build/fuzz/findings/,
# and the whole output in build/fuzz/logs/TARGET.log.
set -euo pipefail
cd "$(dirname "$0")/.."

declare -A max_len=(
  [service_request]=1664        # up to 8 requests of 208 bytes
  [device_list_refresh]=32768   # a count and 26 records with their basic-disk replies
  [machine_loader]=8192
  [registry_value]=2048
  [text_loader]=1024
)
all=(service_request device_list_refresh machine_loader registry_value text_loader)

seconds=""
runs=""
while (($#)); do
  case "$1" in
    --seconds) seconds=$2; shift 2 ;;
    --runs) runs=$2; shift 2 ;;
    -*) echo "unknown option $1" >&2; exit 2 ;;
    *) break ;;
  esac
done
[[ -n "$seconds$runs" ]] || seconds=5
limit=(-max_total_time="${seconds:-0}")
[[ -z "$runs" ]] || limit+=(-runs="$runs")
targets=("$@")
((${#targets[@]})) || targets=("${all[@]}")
for target in "${targets[@]}"; do
  [[ -n "${max_len[$target]:-}" ]] || { echo "unknown target $target (one of: ${all[*]})" >&2; exit 2; }
done

# A smaller quarantine and shorter allocation stacks than AddressSanitizer's defaults: on a
# virtual machine fresh pages are dear, and a finding is replayed with the defaults anyway
# (build/fuzz/tests/fuzz/TARGET_fuzzer FINDING). Set ASAN_OPTIONS to choose otherwise.
export ASAN_OPTIONS=${ASAN_OPTIONS:-quarantine_size_mb=16:malloc_context_size=5}

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --target "${targets[@]/%/_fuzzer}" >/dev/null

mkdir -p build/fuzz/findings build/fuzz/logs
failed=0
for target in "${targets[@]}"; do
  work=build/fuzz/corpus/$target
  log=build/fuzz/logs/$target.log
  mkdir -p "$work"
  if build/fuzz/tests/fuzz/${target}_fuzzer "${limit[@]}" -max_len="${max_len[$target]}" -timeout=10 \
      -print_final_stats=1 -artifact_prefix="build/fuzz/findings/$target-" \
      "$work" "tests/fuzz/corpus/$target" >"$log" 2>&1; then
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
    printf 'fuzz %-20s %10s runs, %7s runs/s, no invariant broken\n' "$target" "$runs" "$rate"
  else
    tail -n 40 "$log"
    printf 'fuzz %-20s FAILED, see %s and build/fuzz/findings/\n' "$target" "$log"
    failed=1
  fi
done
exit "$failed"
