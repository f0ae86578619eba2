#!/usr/bin/env bash
# Plays a whole standard suggestion in the real program on a virtual X server and prints how the
# session kept pace: its length against its planned length, the states presented and how many of
# them reached the X server as pictures of their own (read back there by mirelta-frame-watch),
# frames per second, how late the latest frame was, and the memory of the running program.
# Usage: tools/measure-session.sh [--load] [ITEM [WIDTHxHEIGHT]]
# ITEM is the standard suggestion (0 smoking … 5 weight loss, the largest; 5 by default). With
# --load every core spins in a busy process of its own while the session plays (each ends with
# the session, and after 15 minutes at the latest whatever happens to this script).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
load=0
if [ "${1:-}" = "--load" ]; then
    load=1
    shift
fi
item=${1:-5}
size=${2:-1920x1080}
watch="$root/build/tools/mirelta-frame-watch"
[ -x "$watch" ] || {
    echo "no $watch: cmake --build build --target mirelta-frame-watch"
    exit 1
}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$root/build/program/." "$work/"
rm -f "$work/polufabu.ini"
printf '[TMirelta]\r\nCgentle_Checked=False\r\nRgnast_ItemIndex=%s\r\n' "$item" >"$work/polufabu.ini"
export WATCH=$watch LOAD=$load

cat >"$work/drive.sh" <<'DRIVE'
set -euo pipefail
cd "$1"
MIRELTA_FRAME_LOG="$1/frame-log.txt" MIRELTA_SESSION_REPORT="$1/report.txt" ./mirelta 2>/dev/null &
pid=$!
"$WATCH" --pid "$pid" --output "$1/server-frames.txt" 2>"$1/watch.txt" &
watch=$!
busy=()
stop_load() {
    for spinner in "${busy[@]}"; do
        kill "$spinner" 2>/dev/null || true
    done
    busy=()
}
trap 'stop_load; kill "$watch" 2>/dev/null || true' EXIT
sleep 2
window=$(xdotool search --sync --onlyvisible --limit 1 --name 'Мирельта')
eval "$(xdotool getwindowgeometry --shell "$window")"
xdotool mousemove --sync $((WIDTH / 2 - 212 + 180)) $((HEIGHT / 2 + 212 + 22)) click 1
started=$(date +%s.%N)
if [ "$LOAD" = 1 ]; then
    for _ in $(seq "$(nproc)"); do
        timeout 900 sh -c 'while :; do :; done' &
        busy+=($!)
    done
fi
peak=0
while :; do
    rss=$(awk '/^VmRSS/ { print $2 }' "/proc/$pid/status" 2>/dev/null || echo 0)
    [ "${rss:-0}" -gt "$peak" ] && peak=$rss
    [ "$(xdotool search --onlyvisible --name 'Мирельта' 2>/dev/null | wc -l)" -ge 2 ] && break
    kill -0 "$pid" 2>/dev/null || { echo "the program ended before its message"; exit 1; }
    sleep 0.5
done
ended=$(date +%s.%N)
stop_load
box=$(xdotool search --onlyvisible --name 'Мирельта' | tail -n 1)
xdotool windowfocus --sync "$box" key Return
wait "$pid"
# The watch ends when the window is gone.
wait "$watch" || echo "the frame watch failed: $(cat watch.txt)"
awk -v a="$started" -v b="$ended" 'BEGIN { printf "seconds %.2f\n", b - a }' >>report.txt
echo "peak_rss_kb $peak" >>report.txt
DRIVE
xvfb-run -a -s "-screen 0 ${size}x24" bash "$work/drive.sh" "$work"

if [ "$load" = 1 ]; then
    echo "under load: $(nproc) busy processes during the session"
fi
awk '{ v[$1] = $2 } END {
    if ("session_ms" in v && "planned_ms" in v && v["planned_ms"] > 0)
        printf "session %.2f s against %.2f s planned (%+.2f %%)\n", v["session_ms"] / 1000,
               v["planned_ms"] / 1000, (v["session_ms"] / v["planned_ms"] - 1) * 100
    printf "frames %d in %.1f s: %.1f frames per second\n", v["frames"], v["seconds"], v["frames"] / v["seconds"]
    printf "refresh %.1f ms; the latest frame came %.1f ms after its refresh\n", v["refresh_ms"], v["longest_late_ms"]
    printf "memory of the running session: %.0f MB at most\n", v["peak_rss_kb"] / 1024
}' "$work/report.txt"
if [ -s "$work/frame-log.txt" ]; then
    awk -f "$root/tools/frame_watch/match_frames.awk" "$work/frame-log.txt" \
        "$work/server-frames.txt" | awk '{ v[$1] = $2 } END {
        printf "states presented %d; pictures of the panel the server got during the session %d\n", v["presented"], v["session_frames"]
        printf "the program'"'"'s frames found among them in order: %d (%d missing; %d pictures read back only after a newer one)\n", v["found"], v["missing"], v["unreadable"]
    }'
else
    echo "the program wrote no frame log; the server got $(wc -l <"$work/server-frames.txt") pictures of the panel in all"
fi
