#!/usr/bin/env bash
# Measures the flashing of the standard sessions with mirelta-flash-check: every standard
# suggestion, both versions, the three speeds, "Буква" and "Матрица", on a 1024 x 768 window at
# 60 Hz, the first SECONDS seconds of each (60 by default), and prints a Markdown table: the
# failing seconds, the most flashes in any one second, the red flashes (and the most in a second),
# seconds in extended failure and the largest share of the screen under regular stripes.
# Usage: [STANDARDS="0 1 2 3 4 5"] tools/measure-flashes.sh [SECONDS [EXTRA CHECKER OPTIONS...]]
# Runs on one core; about ten seconds a combination on a quiet machine for 60 s of session.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
checker="$root/build/program/mirelta-flash-check"
[ -x "$checker" ] || {
    echo "no $checker: cmake --build build --target mirelta-flash-check"
    exit 1
}
seconds=${1:-60}
shift || true
names=(smoking beer alcohol drugs neuroses "weight loss")
echo "| suggestion | version | speed | display | failing s | most flashes/s | red flashes | most red/s | extended s | stripes |"
echo "|---|---|---|---|---|---|---|---|---|---|"
for standard in ${STANDARDS:-0 1 2 3 4 5}; do
    for version in m f; do
        for speed in high medium low; do
            for display in letter matrix; do
                status=0
                line=$("$checker" --standard "$standard" --version "$version" --speed "$speed" \
                    --"$display" --seconds "$seconds" --summary "$@" 2>/dev/null | grep '^summary:') ||
                    status=$?
                if [ -z "$line" ]; then
                    echo "| $standard ${names[$standard]} | $version | $speed | $display | no result (exit $status) |"
                    continue
                fi
                # summary: N s, F failing, E in extended failure, W with warnings; most flashes in
                # a second M, red flashes R (most in a second Q); stripes over S of the screen ...
                echo "$line" | sed -E 's/^summary: ([0-9]+) s, ([0-9]+) failing, ([0-9]+) in extended failure, [0-9]+ with warnings; most flashes in a second ([0-9]+), red flashes ([0-9]+) \(most in a second ([0-9]+)\); stripes over ([0-9]+%).*/\1 \2 \3 \4 \5 \6 \7/' |
                    while read -r total failing extended most red mostRed stripes; do
                        echo "| $standard ${names[$standard]} | $version | $speed | $display | $failing of $total | $most | $red | $mostRed | $extended | $stripes |"
                    done
            done
        done
    done
done
