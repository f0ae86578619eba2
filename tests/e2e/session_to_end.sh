#!/usr/bin/env bash
# The real program on a virtual X server plays a one-sentence personal suggestion once: "Старт" is
# pressed, the session ends by itself, its message is answered, the program closes, and the
# lowered pauses are in polufabu.ini.
set -euo pipefail
program=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$program" "$work/mirelta"
mkdir -p "$work/Text" "$work/Image" "$work/Sound"
# "Один": a one-sentence suggestion, chosen, played once.
printf '>\r\n@1#1%%$0&10@\r\n\xdf \xec\xee\xe3\xf3\r\n<\r\n' >"$work/Text/$(printf '\xce\xe4\xe8\xed' | iconv -f cp1251 -t utf-8).txt"
printf '[TMirelta]\r\nChperson_Checked=True\r\nCperson_Text=\xce\xe4\xe8\xed\r\nEpov_Text=1\r\n' >"$work/polufabu.ini"

cat >"$work/drive.sh" <<'DRIVE'
set -euo pipefail
cd "$1"
./mirelta 2>/dev/null &
pid=$!
sleep 2
window=$(xdotool search --sync --onlyvisible --limit 1 --name 'Мирельта')
eval "$(xdotool getwindowgeometry --shell "$window")"
# "Старт" lies 10 pixels below the centred panel, 150 pixels in from its left edge.
xdotool mousemove --sync $((WIDTH / 2 - 212 + 180)) $((HEIGHT / 2 + 212 + 22)) click 1
# The session ends by itself with a message box: answer it.
for _ in $(seq 300); do
    boxes=$(xdotool search --onlyvisible --name 'Мирельта' 2>/dev/null | wc -l)
    [ "$boxes" -ge 2 ] && break
    kill -0 "$pid" 2>/dev/null || { echo "the program ended before its message"; exit 1; }
    sleep 0.1
done
box=$(xdotool search --onlyvisible --name 'Мирельта' | tail -n 1)
xdotool windowfocus --sync "$box"
xdotool key Return
for _ in $(seq 100); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
done
if kill -0 "$pid" 2>/dev/null; then
    echo "the program did not close after the message"
    kill "$pid"
    exit 1
fi
wait "$pid"
DRIVE
timeout 120 xvfb-run -a -s "-screen 0 1024x768x24" bash "$work/drive.sh" "$work"
grep -q $'^Eslov_Text=19\r$' "$work/polufabu.ini" && grep -q $'^Epred_Text=29\r$' "$work/polufabu.ini" || {
    echo "the pauses were not lowered:"
    cat -A "$work/polufabu.ini"
    exit 1
}
echo "played the session to its end, answered its message, closed, lowered the pauses"
