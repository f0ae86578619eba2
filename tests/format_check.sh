#!/usr/bin/env bash
# Every C++ source of the project is laid out as .clang-format says.
set -euo pipefail
cd "$(dirname "$0")/.."
files=$(git ls-files '*.cpp' '*.h' 2>/dev/null || find . -path ./build -prune -o \( -name '*.cpp' -o -name '*.h' \) -print)
clang-format --dry-run --Werror $files
echo "$(echo "$files" | wc -w) files laid out as .clang-format says"
