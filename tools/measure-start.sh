#!/usr/bin/env bash
# Times the real program from its start to its window shown on a virtual X server: the program is
# started, and the window list is polled every 5 ms until the window is there and mapped. Prints
# each of RUNS starts (5 by default) and their median, in milliseconds.
# Usage: tools/measure-start.sh [RUNS]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-5}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$root/build/program/." "$work/"
rm -f "$work/polufabu.ini"

cat >"$work/drive.sh" <<'DRIVE'
set -euo pipefail
cd "$1"
for _ in $(seq "$2"); do
    started=$(date +%s%N)
    ./mirelta 2>/dev/null &
    pid=$!
    until xdotool search --onlyvisible --name 'Мирельта' >/dev/null 2>&1; do
        kill -0 "$pid" 2>/dev/null || { echo "the program ended before its window showed" >&2; exit 1; }
        sleep 0.005
    done
    shown=$(date +%s%N)
    echo $(((shown - started) / 1000000))
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    # The settings of a first start each time.
    rm -f polufabu.ini
done
DRIVE
xvfb-run -a -s "-screen 0 1920x1080x24" bash "$work/drive.sh" "$work" "$runs" >"$work/times.txt"
tr '\n' ' ' <"$work/times.txt"
echo "ms; median $(sort -n "$work/times.txt" | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }') ms"
