#!/usr/bin/env bash
# The real program on a virtual X server: keys pressed before the user has clicked anything (a
# letter, Escape, F1) reach a control that has no use for them and leave the program running, both
# while the window still has its border and after the border is gone. Once the window's background
# has been clicked, a key closes the program, which saves its settings.
set -euo pipefail
export E2E=$(cd "$(dirname "$0")" && pwd)
source "$E2E/program_control.sh"
program=$1
expected=$2
program_folder "$program"

cat >"$work/drive.sh" <<'DRIVE'
set -euo pipefail
source "$E2E/program_control.sh"
cd "$1"
./mirelta 2>/dev/null &
pid=$!
stray_keys() {
    local window
    for key in a Escape F1; do
        window=$(xdotool search --onlyvisible --limit 1 --name 'Мирельта' 2>/dev/null) || true
        # The window may be made anew under the key when its border goes.
        [ -z "$window" ] || xdotool windowfocus --sync "$window" key "$key" 2>/dev/null || true
        sleep 0.3
        kill -0 "$pid" 2>/dev/null || { echo "a stray key ($key, $1) closed the program"; return 1; }
    done
}
xdotool search --sync --onlyvisible --limit 1 --name 'Мирельта' >/dev/null
stray_keys "at once"
# The window is made anew when its border goes, 700 ms after the first showing: wait past that.
sleep 2
stray_keys "after the border switch"
close_with_key "$pid"
DRIVE
timeout 60 xvfb-run -a -s "-screen 0 1024x768x24" bash "$work/drive.sh" "$work"
if ! cmp "$work/polufabu.ini" "$expected"; then
    echo "polufabu.ini differs from a first run's:"
    cat -A "$work/polufabu.ini" 2>/dev/null || echo "(no file)"
    exit 1
fi
echo "stray keys left the program running; a key on its background closed it and saved the settings"
