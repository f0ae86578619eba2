#!/usr/bin/env bash
# The real program in a fresh program folder on a virtual X server: it starts, switches its border
# off, closes on a key sent to its window, and leaves the settings file of a first run behind.
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
# The window is made anew when its border goes, 700 ms after the first showing: wait past that.
sleep 2
close_with_key "$pid"
DRIVE
timeout 60 xvfb-run -a -s "-screen 0 1024x768x24" bash "$work/drive.sh" "$work"
if ! cmp "$work/polufabu.ini" "$expected"; then
    echo "polufabu.ini differs from a first run's:"
    cat -A "$work/polufabu.ini" 2>/dev/null || echo "(no file)"
    exit 1
fi
echo "started, switched its border, closed on a key, wrote the default settings"
