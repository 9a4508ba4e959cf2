#!/usr/bin/env bash
# Formats the C++ sources with the style in .clang-format.
#
#   scripts/format.sh            formats every tracked C++ file in place
#   scripts/format.sh --check    changes nothing; lists the files that are not formatted and
#                                exits 1 when there are any
#
# The files come from git ls-files, so build folders and anything untracked are never touched.
# Only *.cpp, *.h and *.c are taken: the resource scripts (*.rc, *.rc.in) are not C++ and
# clang-format would mangle them, the fuzz corpora are data, and the generated sources live in
# the build folders, not in the tree.
#
# Each clang-format release formats a little differently, so the check only means something
# with the release the tree is formatted with: 14, as on Debian 12 and the CI machine.
# CLANG_FORMAT names another binary of that release.
set -euo pipefail
cd "$(dirname "$0")/.."

check=false
case "${1:-}" in
  "") ;;
  --check) check=true ;;
  *) echo "usage: scripts/format.sh [--check]" >&2; exit 2 ;;
esac

clang_format=${CLANG_FORMAT:-}
if [[ -z "$clang_format" ]]; then
  clang_format=clang-format
  command -v clang-format-14 >/dev/null && clang_format=clang-format-14
fi
version=$("$clang_format" --version) || { echo "$clang_format is missing (apt-get install clang-format)" >&2; exit 2; }
if [[ ! "$version" =~ version\ 14\. ]]; then
  echo "$clang_format is not release 14 ($version); set CLANG_FORMAT to a clang-format 14" >&2
  exit 2
fi

mapfile -d '' files < <(git ls-files -z -- '*.cpp' '*.h' '*.c')

if ! $check; then
  "$clang_format" -i --style=file -- "${files[@]}"
  exit 0
fi

# One line per place that differs ("FILE:LINE:COLUMN: error: code should be clang-formatted");
# any other failure is shown as it is.
status=0
report=$("$clang_format" --dry-run --Werror --style=file -- "${files[@]}" 2>&1) || status=$?
((status == 0)) && exit 0
unformatted=$(grep -E '^.+:[0-9]+:[0-9]+: error: code should be clang-formatted' <<<"$report" |
  sed -E 's/:[0-9]+:[0-9]+: error: .*//' | sort -u) || true
if [[ -z "$unformatted" ]]; then
  echo "$report" >&2
  exit "$status"
fi
echo "Not formatted (bash scripts/format.sh formats them):" >&2
echo "$unformatted" >&2
exit 1
