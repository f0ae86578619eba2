#!/usr/bin/env bash
# The real program on a virtual X server plays a one-sentence personal suggestion once: "Старт" is
# pressed, the session ends by itself, its message is answered, the program closes, and the
# lowered pauses are in polufabu.ini.
set -euo pipefail
export E2E=$(cd "$(dirname "$0")" && pwd)
source "$E2E/program_control.sh"
program=$1
program_folder "$program"
# "Один": a one-sentence suggestion, chosen, played once.
printf '>\r\n@1#1%%$0&10@\r\n\xdf \xec\xee\xe3\xf3\r\n<\r\n' >"$work/Text/$(printf '\xce\xe4\xe8\xed' | iconv -f cp1251 -t utf-8).txt"
printf '[TMirelta]\r\nCgentle_Checked=False\r\nChperson_Checked=True\r\nCperson_Text=\xce\xe4\xe8\xed\r\nEpov_Text=1\r\n' >"$work/polufabu.ini"

cat >"$work/drive.sh" <<'DRIVE'
set -euo pipefail
source "$E2E/program_control.sh"
cd "$1"
./mirelta 2>/dev/null &
pid=$!
sleep 2
press_start
answer_closing_message "$pid" 30
wait_for_end "$pid" "the message was answered"
DRIVE
timeout 120 xvfb-run -a -s "-screen 0 1024x768x24" bash "$work/drive.sh" "$work"
grep -q $'^Eslov_Text=19\r$' "$work/polufabu.ini" && grep -q $'^Epred_Text=29\r$' "$work/polufabu.ini" || {
    echo "the pauses were not lowered:"
    cat -A "$work/polufabu.ini"
    exit 1
}
echo "played the session to its end, answered its message, closed, lowered the pauses"
