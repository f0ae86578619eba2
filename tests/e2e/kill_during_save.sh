#!/usr/bin/env bash
# The program killed while it saves its settings: stopped under gdb at the moment it starts writing
# the new file, and again when the new file is written but not yet in place, then killed outright.
# Either way the previous polufabu.ini must be left whole, with nothing half-written beside it.
# A run that is not killed must change the file, or the kill proved nothing.
set -euo pipefail
export E2E=$(cd "$(dirname "$0")" && pwd)
source "$E2E/program_control.sh"
program=$1
program_folder "$program"
# Settings an earlier run left: the save on close rewrites them with every other setting added.
printf '[TMirelta]\r\nEname_Text=\xc8\xe2\xe0\xed\r\nEslov_Text=15\r\n' >"$work/before.ini"

cat >"$work/drive.sh" <<'DRIVE'
set -uo pipefail
source "$E2E/program_control.sh"
cd "$1"
stop_at=$2
if [ "$stop_at" = none ]; then
    ./mirelta 2>/dev/null &
else
    gdb -q -batch -ex 'set debuginfod enabled off' -ex 'set breakpoint pending on' \
        -ex "break $stop_at" -ex run -ex 'info program' -ex kill --args ./mirelta \
        >gdb.log 2>&1 &
fi
pid=$!
xdotool search --sync --onlyvisible --limit 1 --name 'Мирельта' >/dev/null
# The window is made anew when its border goes, 700 ms after the first showing: wait past that.
sleep 3
key_on_background a
wait "$pid"
DRIVE

run() {
    cp "$work/before.ini" "$work/polufabu.ini"
    rm -f "$work/gdb.log"
    timeout 90 xvfb-run -a -s "-screen 0 1024x768x24" bash "$work/drive.sh" "$work" "$1"
}

for stop_at in QSaveFile::writeData QSaveFile::commit; do
    run "$stop_at"
    grep -Eq "Breakpoint 1(\.[0-9]+)?, .*$stop_at" "$work/gdb.log" ||
        { echo "the save never reached $stop_at:"; cat "$work/gdb.log"; exit 1; }
    grep -q "Program stopped" "$work/gdb.log" || { cat "$work/gdb.log"; exit 1; }
    cmp "$work/polufabu.ini" "$work/before.ini" ||
        { echo "killed in $stop_at, the previous settings were changed"; exit 1; }
    leftovers=$(find "$work" -maxdepth 1 -name 'polufabu.ini?*' | wc -l)
    [ "$leftovers" -eq 0 ] || { echo "killed in $stop_at, a partial file was left"; exit 1; }
    echo "killed in $stop_at: the previous settings are whole"
done

run none
if cmp -s "$work/polufabu.ini" "$work/before.ini"; then
    echo "a run that was not killed saved nothing, so the kills proved nothing"
    exit 1
fi
echo "not killed: the settings were saved"
