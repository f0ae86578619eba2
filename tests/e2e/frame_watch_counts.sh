#!/usr/bin/env bash
# The frame watch against a client whose drawing is known beforehand, on a virtual X server: it
# counts exactly the drawings that cover the whole panel (one wider than the panel and a fill of
# the whole window too; ring outlines, a ring on the panel's edge and a panel put in two halves
# not), writes each with the checksum of its pixels, and follows a window that the same process
# replaces by another of a different size. Usage: frame_watch_counts.sh WATCH PAINTER
set -euo pipefail
export WATCH=$(realpath "$1") PAINTER=$(realpath "$2")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cat >"$work/drive.sh" <<'DRIVE'
set -euo pipefail
cd "$1"
# Waits up to 10 s for FILE to hold COUNT lines starting with TEXT.
wait_for_lines() {
    local file=$1 text=$2 count=$3
    for _ in $(seq 200); do
        [ "$(grep -c "$text" "$file" 2>/dev/null || true)" -ge "$count" ] && return
        sleep 0.05
    done
    echo "no \"$text\" number $count in $file:"
    cat "$file"
    return 1
}
"$PAINTER" expected >painter.out &
painter=$!
"$WATCH" --pid "$painter" --output frames 2>watch.err &
watch=$!
# The painter draws on each of its two windows once the watch has it.
for window in 1 2; do
    wait_for_lines watch.err "watching window" "$window"
    kill -USR1 "$painter"
done
wait "$painter"
wait "$watch"
DRIVE
timeout 90 xvfb-run -a -s "-screen 0 1280x1024x24" bash "$work/drive.sh" "$work"

cat "$work/watch.err"
expected=$(wc -l <"$work/expected")
got=$(wc -l <"$work/frames")
[ "$expected" -gt 0 ] || { echo "the painter drew nothing"; exit 1; }
if [ "$got" -ne "$expected" ]; then
    echo "the watch counted $got frames where $expected covered the panel"
    paste "$work/expected" "$work/frames"
    exit 1
fi
# A checksum read back after a newer picture had arrived is not its frame's own: only its place
# in the count is checked.
if ! paste -d ' ' "$work/expected" "$work/frames" |
    awk '$4 != "overtaken" && $1 != $3 { print "frame " NR ": expected " $1 ", read " $3; bad = 1 }
         END { exit bad }'; then
    exit 1
fi
overtaken=$(grep -c overtaken "$work/frames" || true)
echo "the watch counted all $expected whole-panel drawings with their checksums ($overtaken read after a newer one)"
