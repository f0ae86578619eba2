#!/usr/bin/env bash
# The real program, built with AddressSanitizer and LeakSanitizer, plays a one-sentence session
# to its end on a virtual X server: no memory error and no leak of ours when it closes.
set -euo pipefail
program=$1
here=$(cd "$(dirname "$0")" && pwd)
export E2E=$here/../e2e
source "$E2E/program_control.sh"
program_folder "$program"
printf '>\r\n@1#1%%$0&10@\r\n\xdf \xec\xee\xe3\xf3\r\n<\r\n' >"$work/Text/p.txt"
printf '[TMirelta]\r\nCgentle_Checked=False\r\nChperson_Checked=True\r\nCperson_Text=p\r\nEpov_Text=1\r\n' >"$work/polufabu.ini"

cat >"$work/drive.sh" <<'DRIVE'
set -uo pipefail
source "$E2E/program_control.sh"
cd "$1"
ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS="suppressions=$2" ./mirelta 2>"$1/errors.txt" &
pid=$!
xdotool search --sync --onlyvisible --limit 1 --name 'Мирельта' >/dev/null
sleep 3
press_start
answer_closing_message "$pid" 120
wait "$pid"
echo "$?" >"$1/status"
DRIVE
timeout 300 xvfb-run -a -s "-screen 0 1024x768x24" bash "$work/drive.sh" "$work" "$here/lsan.supp"
if grep -qE 'Sanitizer|runtime error' "$work/errors.txt" || [ "$(cat "$work/status")" != 0 ]; then
    echo "the sanitized program reported:"
    grep -A 30 -E 'Sanitizer|runtime error' "$work/errors.txt" | head -60
    exit 1
fi
grep -q $'^Eslov_Text=19\r$' "$work/polufabu.ini" || { echo "the session did not play to its end"; exit 1; }
echo "played a session to its end under AddressSanitizer and LeakSanitizer: no report"
