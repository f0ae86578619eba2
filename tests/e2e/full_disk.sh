#!/usr/bin/env bash
# A disk that takes no more bytes while the settings are saved (simulated with a file-size limit
# of zero): the real program says it could not write, closes, and the previous settings file is
# left whole, with no half-written file beside it.
set -euo pipefail
export E2E=$(cd "$(dirname "$0")" && pwd)
source "$E2E/program_control.sh"
program=$1
program_folder "$program"
printf '[TMirelta]\r\nEname_Text=\xc8\xe2\xe0\xed\r\nEslov_Text=15\r\n' >"$work/polufabu.ini"
cp "$work/polufabu.ini" "$work/before.ini"

cat >"$work/drive.sh" <<'DRIVE'
set -uo pipefail
source "$E2E/program_control.sh"
cd "$1"
# Writing past the limit fails with an error instead of ending the process.
(trap '' XFSZ; ulimit -f 0; exec ./mirelta 2>/dev/null) &
pid=$!
xdotool search --sync --onlyvisible --limit 1 --name 'Мирельта' >/dev/null
sleep 2
key_on_background a
for _ in $(seq 100); do
    [ "$(xdotool search --onlyvisible --name 'Мирельта' 2>/dev/null | wc -l)" -ge 1 ] || break
    box=$(xdotool search --onlyvisible --name 'Мирельта' | tail -n 1)
    [ -n "$box" ] && xdotool windowfocus --sync "$box" key Return 2>/dev/null
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.2
done
wait "$pid"
DRIVE
timeout 60 xvfb-run -a -s "-screen 0 1024x768x24" bash "$work/drive.sh" "$work"
cmp "$work/polufabu.ini" "$work/before.ini" || { echo "the previous settings were changed"; exit 1; }
leftovers=$(find "$work" -maxdepth 1 -name 'polufabu.ini?*' | wc -l)
[ "$leftovers" -eq 0 ] || { echo "a half-written settings file was left behind"; exit 1; }
echo "the save failed, the program closed, the previous settings are whole"
