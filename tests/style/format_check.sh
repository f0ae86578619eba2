#!/usr/bin/env bash
# Every C++ source of the project is laid out as .clang-format says.
# usage: tests/style/format_check.sh [ROOT]  (ROOT: a source tree, the repository by default)
set -euo pipefail
cd "${1:-$(dirname "$0")/../..}"
formatter=$(command -v clang-format-14 || command -v clang-format || true)
if [ -z "$formatter" ]; then
    echo "neither clang-format-14 nor clang-format is installed: cannot check the layout" >&2
    exit 2
fi
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    files=$(git ls-files '*.cpp' '*.h')
else
    files=$(find . -path ./build -prune -o \( -name '*.cpp' -o -name '*.h' \) -print)
fi
if [ -z "$files" ]; then
    echo "no C++ sources in $(pwd)" >&2
    exit 2
fi
"$formatter" --dry-run --Werror $files
echo "$(echo "$files" | wc -w) files laid out as .clang-format says ($formatter)"
