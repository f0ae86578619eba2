#!/usr/bin/env bash
# The real program started with its foreign-language trainer on a virtual X server: both windows
# show, and closing the main window ends the program though the trainer is still open.
set -euo pipefail
export E2E=$(cd "$(dirname "$0")" && pwd)
source "$E2E/program_control.sh"
program=$1
program_folder "$program"

cat >"$work/drive.sh" <<'DRIVE'
set -euo pipefail
source "$E2E/program_control.sh"
cd "$1"
./mirelta --language-trainer 2>/dev/null &
pid=$!
xdotool search --sync --onlyvisible --limit 1 --name 'Иностранный язык' >/dev/null
# The main window is made anew when its border goes, 700 ms after the first showing: wait past that.
sleep 2
close_with_key "$pid"
DRIVE
timeout 60 xvfb-run -a -s "-screen 0 1024x768x24" bash "$work/drive.sh" "$work"
grep -q $'^\\[TMirelta\\]\r$' "$work/polufabu.ini" || { echo "the settings were not saved"; exit 1; }
echo "closing the main window ended the program with the trainer open"
