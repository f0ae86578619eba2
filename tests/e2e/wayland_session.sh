#!/usr/bin/env bash
# The real program on a Wayland desktop: a headless Weston compositor and no X server. The program
# finds Wayland by itself, as on a user's desktop; "Старт" is pressed and the closing message
# answered through the accessibility bus (AT-SPI), as a Wayland client cannot see another's windows
# to click them. The window covers the output with no border (a screenshot of the compositor's
# output shows nothing but the window's background along every edge), the session plays the
# letter steps mirelta-trace plays for the same folder, every state presented counted once, at
# the output's refresh, and its end lowers the pauses in polufabu.ini.
# Usage: wayland_session.sh PROGRAM TRACE SCREEN_TOOL
set -euo pipefail
export E2E=$(cd "$(dirname "$0")" && pwd)
source "$E2E/program_control.sh"
program=$1
trace=$2
screen_tool=$3
program_folder "$program"
# "Один": "Я могу", a one-sentence suggestion with "Буква" on, played once.
printf '>\r\n@1#1%%$0&10@\r\n\xdf \xec\xee\xe3\xf3\r\n<\r\n' >"$work/Text/$(printf '\xce\xe4\xe8\xed' | iconv -f cp1251 -t utf-8).txt"
printf '[TMirelta]\r\nCgentle_Checked=False\r\nChperson_Checked=True\r\nCperson_Text=\xce\xe4\xe8\xed\r\nEpov_Text=1\r\nCbuk_Checked=True\r\nCmatr_Checked=False\r\n' >"$work/polufabu.ini"
"$trace" --folder "$work" --window 1280x800 >"$work/trace.txt" 2>/dev/null

# The compositor: one output of 1280x800, drawn in memory (pixman) so that it can be read back;
# --debug lets weston-screenshooter do that.
export WAYLAND_DISPLAY=mirelta-test
trap 'kill "${weston:-}" 2>/dev/null || true; rm -rf "$work"' EXIT
start_weston

# The window's size and a screenshot of the output, before "Старт".
look_at_window() {
    "$E2E/atspi_control.py" size >"$1/size.txt"
    (cd "$1/shot" && weston-screenshooter >/dev/null)
}
export -f look_at_window
mkdir "$work/shot"
play_on_wayland 150 60 look_at_window

failed=0
fail() {
    echo "$*"
    failed=1
}
[ "$(cat "$work/size.txt")" = 1280x800 ] || fail "the window is $(cat "$work/size.txt"), not the output's 1280x800"
echo "the closing message: $(cat "$work/message.txt")"

shot=$(ls "$work"/shot/*.png 2>/dev/null | head -n 1)
if [ -z "$shot" ]; then
    fail "weston-screenshooter wrote no screenshot"
else
    # Every edge of the output: a title bar, a border or the compositor's own panel would show there.
    echo "the output's edges: $("$screen_tool" uniform "$shot" 0,0,1280,40 0,760,1280,40 0,0,40,800 1240,0,40,800)" ||
        fail "the output's edges show something besides the window's background"
fi

[ -s "$work/frame-log.txt" ] || { echo "the program wrote no frame log"; exit 1; }
reported=$(awk '$1 == "frames" { print $2 }' "$work/report.txt")
refresh=$(awk '$1 == "refresh_ms" { print $2 }' "$work/report.txt")
presented=$(wc -l <"$work/frame-log.txt")
[ "${reported:-none}" = "$presented" ] || fail "the report says ${reported:-nothing} frames, the frame log has $presented"
# Paced by the compositor's own frame callbacks, at the cycle measured from them (Weston's headless
# output says 60 Hz but repaints about every 25.7 ms with its default repaint window).
source_of_refreshes=$(awk '$1 == "refresh_source" { print $2 }' "$work/report.txt")
[ "${source_of_refreshes:-none}" = frame_callbacks ] || fail "the session was paced by ${source_of_refreshes:-nothing}, not the compositor's frame callbacks"
awk -v r="${refresh:-0}" 'BEGIN { exit !(r > 10 && r < 40) }' || fail "the session measured a cycle of ${refresh:-no} ms"
steps=$(grep -cE '^(letter|matrix) |^gap$' "$work/trace.txt" || true)
shown=$(awk '$2 == "letter" || $2 == "blank" || $2 == "photo"' "$work/frame-log.txt" | wc -l)
[ "$steps" -gt 0 ] || fail "mirelta-trace played no letter step"
[ "$shown" = "$steps" ] || fail "the frame log has $shown letter, blank and photo states; mirelta-trace plays $steps letter steps"
grep -q $'^Eslov_Text=19\r$' "$work/polufabu.ini" && grep -q $'^Epred_Text=29\r$' "$work/polufabu.ini" ||
    fail "the pauses were not lowered at the session's end"
echo "session: $(awk '$1 == "planned_ms" { p = $2 } $1 == "session_ms" { s = $2 } END { print s " ms for " p " ms planned" }' "$work/report.txt"), $presented states presented"

[ "$failed" -eq 0 ] || exit 1
echo "on Wayland: full screen without a border, \"Старт\" pressed and the message answered through AT-SPI, $steps letter steps as mirelta-trace plays them, paced by the compositor's frame callbacks at the ${refresh} ms cycle it measured"
