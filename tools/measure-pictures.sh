#!/usr/bin/env bash
# Gives the picture loader, as the program uses it for the photo and the thesis pictures, each
# file that build/tools/mirelta-hostile-pictures writes (many scans, huge declared sizes, headers
# without their data, the largest files it reads), and prints for each what the loader said, the
# time it took (wall clock, and processor time: user and system, which other work on a shared
# machine does not stretch) and its peak memory, all from /usr/bin/time -v.
#
#   tools/measure-pictures.sh [LOADER]
#
# LOADER is build/tools/mirelta-load-picture unless named, so that another build of the loader
# (an older one, say) is measured on the same files.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${MIRELTA_BUILD:-build}
loader=${1:-$build/tools/mirelta-load-picture}
[ -x /usr/bin/time ] || { echo "needs /usr/bin/time: apt-get install time" >&2; exit 2; }
cmake --build "$build" --target mirelta-hostile-pictures mirelta-load-picture >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/files"
"$build/tools/mirelta-hostile-pictures" "$work/files" >/dev/null

printf '%-30s %9s %6s %6s %5s  %s\n' file bytes wall cpu "MB" "what the loader said"
for file in "$work"/files/*; do
    status=0
    /usr/bin/time -v -o "$work/time" timeout 120 "$loader" "$file" >"$work/out" 2>&1 || status=$?
    elapsed=$(sed -n 's/.*Elapsed (wall clock) time (h:mm:ss or m:ss): //p' "$work/time")
    seconds=$(echo "$elapsed" | awk -F: '{ s = 0; for (i = 1; i <= NF; ++i) s = s * 60 + $i; printf "%.2f", s }')
    cpu=$(sed -n 's/.*\(User\|System\) time (seconds): //p' "$work/time" | awk '{ s += $1 } END { printf "%.2f", s }')
    kilobytes=$(sed -n 's/.*Maximum resident set size (kbytes): //p' "$work/time")
    said=$(tail -n 1 "$work/out")
    [ "$status" -eq 124 ] && said="still decoding after 120 s"
    printf '%-30s %9d %6s %6s %5d  %s\n' "$(basename "$file")" "$(stat -c %s "$file")" "$seconds" \
        "$cpu" $((kilobytes / 1024)) "$said"
done
