#!/usr/bin/env bash
# Takes the README's screenshots from the real program on a virtual X server: the settings view and
# a moment of a session, on an ordinary screen (1024x768) and on one of twice the pixels a side
# (2048x1536 with QT_SCALE_FACTOR=2), where the program looks the same, only sharper.
#   tools/screenshots.sh        (after a build; writes docs/settings.png, docs/session.png,
#                                docs/settings-2x.png and docs/session-2x.png)
set -euo pipefail
cd "$(dirname "$0")/.."
export SCREEN_TOOL=$PWD/build/tools/mirelta-screen
[ -x "$SCREEN_TOOL" ] || cmake --build build --target mirelta-screen
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r build/program/. "$work/"
rm -f "$work/polufabu.ini"
printf '[TMirelta]\r\nCgentle_Checked=False\r\nCbuk_Checked=True\r\nRgnast_ItemIndex=0\r\nEpov_Text=1\r\n' >"$work/settings.ini"
mkdir -p docs

cat >"$work/shoot.sh" <<'SHOOT'
set -euo pipefail
cd "$1"
scale=$2
suffix=$3
cp settings.ini polufabu.ini
QT_SCALE_FACTOR=$scale ./mirelta 2>/dev/null &
pid=$!
sleep 2
"$SCREEN_TOOL" grab "$4/settings$suffix.png"
window=$(xdotool search --onlyvisible --limit 1 --name 'Мирельта')
eval "$(xdotool getwindowgeometry --shell "$window")"
xdotool mousemove --sync $((WIDTH / 2 + (180 - 212) * scale)) $((HEIGHT / 2 + (212 + 22) * scale)) click 1
sleep 4.05
"$SCREEN_TOOL" grab "$4/session$suffix.png"
xdotool windowfocus --sync "$window" key Escape
wait "$pid" || true
SHOOT
xvfb-run -a -s "-screen 0 1024x768x24" bash "$work/shoot.sh" "$work" 1 "" "$PWD/docs"
xvfb-run -a -s "-screen 0 2048x1536x24" bash "$work/shoot.sh" "$work" 2 -2x "$PWD/docs"
echo "docs/settings.png, docs/session.png, docs/settings-2x.png and docs/session-2x.png written"
