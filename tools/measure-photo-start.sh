#!/usr/bin/env bash
# Times the real program from its start to its window shown on a virtual X server when the photo
# kept in its settings is one of the hostile picture files, and reads its peak memory (VmHWM)
# then. The window shows only after the photo was loaded or refused, so this is what such a photo
# costs the user at every start.
#
#   tools/measure-photo-start.sh [PROGRAM]
#
# PROGRAM is build/program/mirelta unless named: another build of it (an older one, say) runs in
# the same program folder on the same files.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${MIRELTA_BUILD:-$root/build}
program=$(realpath "${1:-$build/program/mirelta}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$build/program/." "$work/"
cp "$program" "$work/mirelta"
mkdir "$work/photos"
"$build/tools/mirelta-hostile-pictures" "$work/photos" >/dev/null

cat >"$work/drive.sh" <<'DRIVE'
set -euo pipefail
cd "$1"
shift
for photo in "$@"; do
    if [ "$photo" = none ]; then
        printf '[TMirelta]\r\nCfoto_Checked=False\r\n' >polufabu.ini
    else
        printf '[TMirelta]\r\nCfoto_Checked=True\r\nOpenf_FileName=%s\r\n' "$PWD/photos/$photo" >polufabu.ini
    fi
    started=$(date +%s%N)
    ./mirelta 2>/dev/null &
    pid=$!
    until xdotool search --onlyvisible --name 'Мирельта' >/dev/null 2>&1; do
        kill -0 "$pid" 2>/dev/null || { echo "the program ended before its window showed" >&2; exit 1; }
        sleep 0.005
    done
    shown=$(date +%s%N)
    peak=$(sed -n 's/^VmHWM:[[:space:]]*\([0-9]*\) kB/\1/p' "/proc/$pid/status")
    printf '%-28s %8d ms %6d MB\n' "$photo" $(((shown - started) / 1000000)) $((peak / 1024))
    kill "$pid"
    wait "$pid" 2>/dev/null || true
done
DRIVE
echo "photo                         to window   peak"
xvfb-run -a -s "-screen 0 1920x1080x24" bash "$work/drive.sh" "$work" none valid-4096.jpg \
    scans-3000-8192.jpg scans-3000-4096.jpg valid-16384.jpg header-16384.jpg
