#!/usr/bin/env bash
# What a session's states became on a real compositor, in the compositor's own record: a headless
# Weston with its timeline debug scope recorded while the program plays one thesis of four
# sentences three times at "Средняя". Every state the program committed must have been taken into
# a repaint, each must have stayed on the screen its planned number of output cycles, the session
# must last its plan for the measured cycle within 2 %, and the program's report (what the
# compositor told it through wp_presentation) must agree with the timeline state by state.
# With HOLD (a state's number), that state's paint is held back ~40 ms: both the timeline and the
# report must count it.
# Usage: weston_presentation.sh PROGRAM REPAINT_WINDOW|default [HOLD]
set -euo pipefail
export E2E=$(cd "$(dirname "$0")" && pwd)
source "$E2E/program_control.sh"
program=$1
repaint_window=${2:-default}
hold=${3:-0}
program_folder "$program"
# "Четыре": one thesis of four sentences, played three times, letter by letter at "Средняя".
text=$(printf '>\r\n@1#1%%$0&10@\r\nЯ дышу ровно.\r\nЯ спокоен.\r\nМне легко.\r\nЯ могу.\r\n<\r\n' | iconv -f utf-8 -t cp1251)
printf '%s' "$text" >"$work/Text/$(printf 'Четыре')".txt
printf '[TMirelta]\r\nChperson_Checked=True\r\nCperson_Text=\xd7\xe5\xf2\xfb\xf0\xe5\r\nEpov_Text=3\r\nRskor_ItemIndex=1\r\nCbuk_Checked=True\r\nCmatr_Checked=False\r\nCzv_Checked=False\r\nCubav_Checked=False\r\nCgentle_Checked=False\r\n' >"$work/polufabu.ini"

export WAYLAND_DISPLAY=mirelta-timeline
config=()
if [ "$repaint_window" != default ]; then
    printf '[core]\nrepaint-window=%s\n' "$repaint_window" >"$work/weston.ini"
    config=(--config="$work/weston.ini")
fi
trap 'kill "${weston:-}" "${recorder:-}" 2>/dev/null || true; rm -rf "$work"' EXIT
start_weston "${config[@]}"
weston-debug timeline -o "$work/timeline.json" 2>/dev/null &
recorder=$!

export MIRELTA_TEST_HOLD_BACK_STATE=$hold
play_on_wayland 200 120
kill "$recorder" 2>/dev/null || true
wait "$recorder" 2>/dev/null || true
[ -s "$work/frame-log.txt" ] || { echo "the program wrote no frame log"; exit 1; }
echo "Weston's repaint window: $repaint_window"
grep -q . "$work/program.txt" && echo "the program said: $(tail -n 3 "$work/program.txt")"
# KEEP=DIR keeps the records for a closer look.
[ -n "${KEEP:-}" ] && mkdir -p "$KEEP" && cp "$work"/{timeline.json,frame-log.txt,report.txt,weston.log,program.txt} "$KEEP"/
args=("$work/timeline.json" "$work/frame-log.txt" "$work/report.txt")
[ "$hold" -gt 0 ] && args+=(--held-back="$hold")
python3 "$E2E/weston_timeline.py" "${args[@]}"
