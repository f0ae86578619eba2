#!/usr/bin/env bash
# Every state the real program presents during a session reaches the X server as a picture of its
# own, in order: on a virtual X server, a short personal suggestion with "Буква" on is played to
# its end while mirelta-frame-watch reads back every picture of the panel the server gets. The
# program's own count (MIRELTA_SESSION_REPORT), its frame log (MIRELTA_FRAME_LOG) and the server's
# pictures must agree, and the letter, blank and photo states of the log must be exactly the letter
# steps mirelta-trace plays for the same folder.
#
# MODE "present" (the default): the X server's Present extension paces the session and says what
# it presented; a state it copied on the same refresh as the next was never seen and may be
# missing from the server's pictures, every other one must be there. "timer": the program's own
# timer at the screen's refresh (MIRELTA_NO_PRESENT=1), every state a picture of its own.
# "held_back": Present, with one state's paint held back 40 ms: the report counts the refreshes
# that passed unanswered and the state's lateness (a refresh at least), and says so on standard
# error.
# Usage: frames_reach_server.sh PROGRAM TRACE WATCH [MODE]
set -euo pipefail
export E2E=$(cd "$(dirname "$0")" && pwd)
source "$E2E/program_control.sh"
program=$1
trace=$2
export WATCH=$(realpath "$3")
mode=${4:-present}
case $mode in
present) ;;
timer) export MIRELTA_NO_PRESENT=1 ;;
held_back) export MIRELTA_TEST_HOLD_BACK_STATE=120 ;;
*) echo "unknown mode $mode"; exit 2 ;;
esac
match="$E2E/../../tools/frame_watch/match_frames.awk"
program_folder "$program"
# "Один": "Я могу", two words, so the session has a blank step between them; played once.
printf '>\r\n@1#1%%$0&10@\r\n\xdf \xec\xee\xe3\xf3\r\n<\r\n' >"$work/Text/$(printf '\xce\xe4\xe8\xed' | iconv -f cp1251 -t utf-8).txt"
printf '[TMirelta]\r\nCgentle_Checked=False\r\nChperson_Checked=True\r\nCperson_Text=\xce\xe4\xe8\xed\r\nEpov_Text=1\r\nCbuk_Checked=True\r\nCmatr_Checked=False\r\n' >"$work/polufabu.ini"
# The trace first: the session lowers the pauses in polufabu.ini when it ends.
"$trace" --folder "$work" --window 1024x768 >"$work/trace.txt" 2>/dev/null

cat >"$work/drive.sh" <<'DRIVE'
set -euo pipefail
source "$E2E/program_control.sh"
cd "$1"
MIRELTA_FRAME_LOG="$1/frame-log.txt" MIRELTA_SESSION_REPORT="$1/report.txt" ./mirelta 2>"$1/errors.txt" &
pid=$!
"$WATCH" --pid "$pid" --output "$1/server-frames.txt" 2>"$1/watch.txt" &
watch=$!
trap 'kill "$watch" 2>/dev/null || true' EXIT
sleep 2
press_start
answer_closing_message "$pid" 60
wait_for_end "$pid" "the message was answered"
# The watch ends when the window is gone.
wait "$watch"
DRIVE
timeout 150 xvfb-run -a -s "-screen 0 1024x768x24" bash "$work/drive.sh" "$work" || {
    cat "$work/watch.txt" 2>/dev/null || true
    exit 1
}

failed=0
fail() {
    echo "$*"
    failed=1
}
[ -s "$work/frame-log.txt" ] || {
    echo "the program wrote no frame log to MIRELTA_FRAME_LOG"
    exit 1
}
reported=$(awk '$1 == "frames" { print $2 }' "$work/report.txt")
figure() { awk -v key="$1" '$1 == key { print $2 }' "$work/report.txt"; }
awk -f "$match" "$work/frame-log.txt" "$work/server-frames.txt" >"$work/match.txt"
value() { awk -v key="$1" '$1 == key { print $2 }' "$work/match.txt"; }
presented=$(value presented)
session=$(value session_frames)
found=$(value found)
unreadable=$(value unreadable)
tail -n 1 "$work/watch.txt"

[ "$presented" -gt 0 ] || fail "the frame log has no states"
[ "${reported:-none}" = "$presented" ] ||
    fail "the report says ${reported:-nothing} frames, the frame log has $presented"
# States the display said it replaced unseen (the Present extension's copies of two states on
# one refresh) may be missing from the server's pictures; all others must be there.
lost=$(figure states_discarded)
lost=${lost:-0}
case $mode in
timer)
    [ "$(figure refresh_source)" = timer ] || fail "with MIRELTA_NO_PRESENT=1 the session was not paced by the timer"
    [ "$(figure figures_source)" = clock ] || fail "without Present the figures come from $(figure figures_source)"
    [ "$lost" = 0 ] || fail "the program's own clock cannot know of $lost lost states"
    ;;
*)
    [ "$(figure refresh_source)" = server_blanks ] ||
        fail "the session was paced by $(figure refresh_source), not by the X server's blanks"
    [ "$(figure figures_source)" = x_present ] ||
        fail "the figures come from $(figure figures_source), not from the X server's completions"
    [ "$(figure states_planned)" = "$presented" ] ||
        fail "the report plans $(figure states_planned) states, the frame log has $presented"
    [ $(($(figure states_presented) + lost)) = "$presented" ] ||
        fail "the X server answered $(($(figure states_presented) + lost)) of the $presented states"
    [ "$(awk '$4 == "discarded"' "$work/frame-log.txt" | wc -l)" = "$lost" ] ||
        fail "the frame log marks other states discarded than the report's $lost"
    ;;
esac
[ "$session" -ge $((presented - lost)) ] && [ "$session" -le "$presented" ] ||
    fail "the server got $session pictures of the panel during the session for $presented states ($lost replaced unseen)"
# A picture the watch read only after a newer one had come cannot show its own state; it still
# stands in its place.
[ $((found + unreadable)) -ge $((presented - lost)) ] ||
    fail "$((presented - lost - found - unreadable)) of the $((presented - lost)) states the display presented never reached the server in order ($found found, $unreadable unreadable)"
if [ "$mode" = held_back ]; then
    [ "$(figure refreshes_missed)" -ge 1 ] ||
        fail "a paint held back 40 ms left no refresh unanswered in the report"
    # Held back past at least one whole refresh, however the 40 ms fell against the blanks.
    awk '$1 == "refresh_ms" { cycle = $2 } $1 == "worst_late_ms" { late = $2 }
         END { exit !(late >= 0.8 * cycle) }' "$work/report.txt" ||
        fail "a state held back 40 ms is only $(figure worst_late_ms) ms late in the report"
    grep -q "пропущено обновлений экрана" "$work/errors.txt" ||
        fail "the program did not say on standard error that refreshes were missed"
fi

steps=$(grep -cE '^(letter|matrix) |^gap$' "$work/trace.txt" || true)
shown=$(awk '$2 == "letter" || $2 == "blank" || $2 == "photo"' "$work/frame-log.txt" | wc -l)
[ "$steps" -gt 0 ] || fail "mirelta-trace played no letter step"
[ "$shown" = "$steps" ] ||
    fail "the frame log has $shown letter, blank and photo states; mirelta-trace plays $steps letter steps"

if [ "$failed" -ne 0 ]; then
    echo "states per kind:"
    grep '^kind_' "$work/match.txt" | sed 's/^kind_/  /'
    exit 1
fi
echo "$mode: all $((presented - lost)) states the display presented of $presented reached the server in order ($unreadable read after a newer one); $steps letter steps as mirelta-trace plays them"
