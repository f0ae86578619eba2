#!/usr/bin/env bash
# Plays a whole standard suggestion in the real program on a virtual X server and prints how the
# session kept pace: frames presented, frames per second, how late the latest frame was, and the
# memory of the running program. Usage: tools/measure-session.sh [ITEM [WIDTHxHEIGHT]]
# ITEM is the standard suggestion (0 smoking … 5 weight loss, the largest; 5 by default).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
item=${1:-5}
size=${2:-1920x1080}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$root/build/program/." "$work/"
rm -f "$work/polufabu.ini"
printf '[TMirelta]\r\nRgnast_ItemIndex=%s\r\n' "$item" >"$work/polufabu.ini"

cat >"$work/drive.sh" <<'DRIVE'
set -euo pipefail
cd "$1"
MIRELTA_SESSION_REPORT="$1/report.txt" ./mirelta 2>/dev/null &
pid=$!
sleep 2
window=$(xdotool search --sync --onlyvisible --limit 1 --name 'Мирельта')
eval "$(xdotool getwindowgeometry --shell "$window")"
xdotool mousemove --sync $((WIDTH / 2 - 212 + 180)) $((HEIGHT / 2 + 212 + 22)) click 1
started=$(date +%s.%N)
peak=0
while :; do
    rss=$(awk '/^VmRSS/ { print $2 }' "/proc/$pid/status" 2>/dev/null || echo 0)
    [ "${rss:-0}" -gt "$peak" ] && peak=$rss
    [ "$(xdotool search --onlyvisible --name 'Мирельта' 2>/dev/null | wc -l)" -ge 2 ] && break
    kill -0 "$pid" 2>/dev/null || { echo "the program ended before its message"; exit 1; }
    sleep 0.5
done
ended=$(date +%s.%N)
box=$(xdotool search --onlyvisible --name 'Мирельта' | tail -n 1)
xdotool windowfocus --sync "$box" key Return
wait "$pid"
awk -v a="$started" -v b="$ended" 'BEGIN { printf "seconds %.2f\n", b - a }' >>report.txt
echo "peak_rss_kb $peak" >>report.txt
DRIVE
xvfb-run -a -s "-screen 0 ${size}x24" bash "$work/drive.sh" "$work"
awk '{ v[$1] = $2 } END {
    printf "frames %d in %.1f s: %.1f frames per second\n", v["frames"], v["seconds"], v["frames"] / v["seconds"]
    printf "refresh %.1f ms; the latest frame came %.1f ms after its refresh\n", v["refresh_ms"], v["longest_late_ms"]
    printf "memory of the running session: %.0f MB at most\n", v["peak_rss_kb"] / 1024
}' "$work/report.txt"
