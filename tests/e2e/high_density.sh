#!/usr/bin/env bash
# On a screen of twice the pixels the program looks as on an ordinary one, only sharper: the same
# one-sentence session is played on a virtual X server of 1920x1080 at scale 1 and of 3840x2160
# with QT_SCALE_FACTOR=2. At scale 2 the window covers the screen, the panel covers 850x850 screen
# pixels made of 2x2 blocks of one colour each (the 425x425 frame enlarged without smoothing) and
# shows a frame the session presented, the session presents the same frames as at scale 1, the
# frame rings around the panel at the session's end are, taken back to one pixel a block,
# exactly those of scale 1 (one logical pixel wide, their colours kept), and the settings view
# differs from scale 1's only where text is drawn sharper.
# Usage: high_density.sh PROGRAM SCREEN_TOOL
set -euo pipefail
export E2E=$(cd "$(dirname "$0")" && pwd)
source "$E2E/program_control.sh"
program=$1
export SCREEN_TOOL=$(realpath "$2")
program_folder "$program"
# "Один": a one-sentence suggestion with "Буква" on, played once.
printf '>\r\n@1#1%%$0&10@\r\n\xdf \xec\xee\xe3\xf3\r\n<\r\n' >"$work/Text/$(printf '\xce\xe4\xe8\xed' | iconv -f cp1251 -t utf-8).txt"
printf '[TMirelta]\r\nCgentle_Checked=False\r\nChperson_Checked=True\r\nCperson_Text=\xce\xe4\xe8\xed\r\nEpov_Text=1\r\nCbuk_Checked=True\r\nCmatr_Checked=False\r\n' >"$work/settings.ini"

cat >"$work/drive.sh" <<'DRIVE'
set -euo pipefail
source "$E2E/program_control.sh"
cd "$1"
scale=$2
shots=$3
cp settings.ini polufabu.ini
QT_SCALE_FACTOR=$scale MIRELTA_FRAME_LOG="$shots/frames.txt" ./mirelta 2>/dev/null &
pid=$!
# Past the border switch, which makes the window anew.
sleep 2
window=$(xdotool search --sync --onlyvisible --limit 1 --name 'Мирельта')
xdotool getwindowgeometry --shell "$window" >"$shots/window.txt"
"$SCREEN_TOOL" grab "$shots/settings.png"
press_start "$scale"
sleep 1.5
"$SCREEN_TOOL" grab "$shots/session.png"
wait_for_closing_message "$pid" 60
# The box comes before its first painting: give it that.
sleep 0.5
xdotool getwindowgeometry --shell "$(closing_message_window)" >"$shots/message.txt"
"$SCREEN_TOOL" grab "$shots/end.png"
answer_closing_message "$pid" 5
wait_for_end "$pid" "the message was answered"
DRIVE

play() {
    local scale=$1 size=$2
    mkdir -p "$work/scale$scale"
    timeout 120 xvfb-run -a -s "-screen 0 ${size}x24" bash "$work/drive.sh" "$work" "$scale" "$work/scale$scale"
}
play 1 1920x1080
play 2 3840x2160

failed=0
fail() {
    echo "$*"
    failed=1
}
geometry() { awk -F= -v key="$2" '$1 == key { print $2 }' "$work/scale$1/$3.txt"; }

for scale in 1 2; do
    covered="$(geometry $scale X window),$(geometry $scale Y window) $(geometry $scale WIDTH window)x$(geometry $scale HEIGHT window)"
    expected="0,0 $((1920 * scale))x$((1080 * scale))"
    [ "$covered" = "$expected" ] || fail "at scale $scale the window covers $covered, not the screen ($expected)"
    echo "scale $scale, the session's panel:"
    "$SCREEN_TOOL" panel "$work/scale$scale/session.png" --scale "$scale" --frames "$work/scale$scale/frames.txt" ||
        fail "at scale $scale the panel is not the session's frame, or not drawn as blocks of one colour"
done

# The same frames in the same order: what was drawn does not depend on the scale.
# (what each showed and its checksum; not when it was shown nor for how many refreshes of the
# cycle measured in each session)
awk '{ print $2, $3 }' "$work/scale1/frames.txt" >"$work/frames1.txt"
awk '{ print $2, $3 }' "$work/scale2/frames.txt" >"$work/frames2.txt"
[ -s "$work/frames1.txt" ] || fail "the session at scale 1 presented no frame"
cmp -s "$work/frames1.txt" "$work/frames2.txt" ||
    fail "the session presented other frames at scale 2 ($(wc -l <"$work/frames2.txt")) than at scale 1 ($(wc -l <"$work/frames1.txt"))"

# At the end the settings pages lie over the panel again and the message box over the window:
# both are text, left out; everything else is the rings.
panel=$(( (1920 / 2 - 425 / 2) - 1 )),$(( (1080 / 2 - 425 / 2) - 1 )),427,427
ignored=(--ignore "$panel")
for scale in 1 2; do
    ignored+=(--ignore "$(( $(geometry $scale X message) / scale )),$(( $(geometry $scale Y message) / scale )),$(( $(geometry $scale WIDTH message) / scale + 1 )),$(( $(geometry $scale HEIGHT message) / scale + 1 ))")
done
echo "the rings at the session's end, scale 2 against scale 1:"
"$SCREEN_TOOL" compare "$work/scale1/end.png" "$work/scale2/end.png" --scale 2 "${ignored[@]}" ||
    fail "the rings at scale 2 are not those of scale 1, one logical pixel wide with their colours"

# Text is drawn anew at twice the pixels, so it may differ; all else may not, and text is a small
# part of the settings view.
echo "the settings view, scale 2 against scale 1:"
"$SCREEN_TOOL" compare "$work/scale1/settings.png" "$work/scale2/settings.png" --scale 2 --at-most 3 ||
    fail "the settings view at scale 2 differs from scale 1's by more than its text"

[ "$failed" -eq 0 ] || exit 1
echo "at scale 2 the window covers the screen, the panel is the session's frame on 850x850 pixels without smoothing, and the rings and the settings view are those of scale 1"
