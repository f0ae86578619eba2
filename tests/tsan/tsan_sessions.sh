#!/usr/bin/env bash
# The tests whose sessions run on a thread of their own, and one real session of the program on a
# virtual X server with "Старт" pressed as soon as the window appears (before its border switch),
# all built with ThreadSanitizer: no data race may be reported.
set -euo pipefail
tsan=$1
here=$(cd "$(dirname "$0")" && pwd)
export E2E=$here/../e2e
source "$E2E/program_control.sh"
# Why each option, and why nothing else is left out, is said in tsan.supp.
export TSAN_OPTIONS="ignore_noninstrumented_modules=1 suppressions=$here/tsan.supp halt_on_error=0 exitcode=66"

program_folder "$tsan/program/mirelta"
# "Один": a one-sentence suggestion, chosen, played once.
printf '>\r\n@1#1%%$0&10@\r\n\xdf \xec\xee\xe3\xf3\r\n<\r\n' >"$work/Text/p.txt"
printf '[TMirelta]\r\nCgentle_Checked=False\r\nChperson_Checked=True\r\nCperson_Text=p\r\nEpov_Text=1\r\n' >"$work/polufabu.ini"

failed=0
report() {
    echo "$1:"
    grep -A 40 -E 'WARNING: ThreadSanitizer|FAILED' "$2" | head -80
    failed=1
}

for test in paced_session_test session_start_test; do
    log="$work/$test.txt"
    if ! QT_QPA_PLATFORM=offscreen "$tsan/tests/$test" >"$log" 2>&1 ||
        grep -q 'ThreadSanitizer' "$log"; then
        report "$test under ThreadSanitizer" "$log"
    fi
done

cat >"$work/drive.sh" <<'DRIVE'
set -uo pipefail
source "$E2E/program_control.sh"
cd "$1"
./mirelta 2>"$1/errors.txt" &
pid=$!
# "Старт" as soon as the window shows, well within the 700 ms before its border switch.
until xdotool search --onlyvisible --limit 1 --name 'Мирельта' >/dev/null 2>&1; do
    sleep 0.02
done
press_start
answer_closing_message "$pid" 200
wait "$pid"
echo "$?" >"$1/status"
DRIVE
timeout 300 xvfb-run -a -s "-screen 0 1024x768x24" bash "$work/drive.sh" "$work" || true
if grep -q 'ThreadSanitizer' "$work/errors.txt" || [ "$(cat "$work/status" 2>/dev/null)" != 0 ]; then
    report "the program under ThreadSanitizer (status $(cat "$work/status" 2>/dev/null))" \
        "$work/errors.txt"
elif ! grep -q $'^Eslov_Text=19\r$' "$work/polufabu.ini"; then
    echo "the program's session did not play to its end"
    failed=1
fi
[ "$failed" = 0 ] || exit 1
echo "the session tests and a real session started at once: no data race reported"
