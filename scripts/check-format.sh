#!/usr/bin/env bash
# Fails when a tracked C or C++ source differs from what clang-format (Debian's
# clang-format 14, with the tree's .clang-format) makes of it, and shows the difference.
#   bash scripts/check-format.sh          check (run by scripts/test.sh)
#   bash scripts/check-format.sh --fix    rewrite the sources in place
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
format=$(command -v clang-format-14 || command -v clang-format)
mapfile -t sources < <(git ls-files -- '*.c' '*.cpp' '*.h')

if [ "${1:-}" = "--fix" ]; then
    "$format" -i "${sources[@]}"
    exit 0
fi

status=0
for file in "${sources[@]}"; do
    if ! "$format" "$file" | diff -u --label "$file" --label "$file (formatted)" "$file" - ; then
        status=1
    fi
done
if [ "$status" -ne 0 ]; then
    echo "check-format: sources differ from the house style; bash scripts/check-format.sh --fix rewrites them" >&2
fi
exit "$status"
