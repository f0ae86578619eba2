#!/usr/bin/env bash
# Every standard suggestion in both versions, each with a different mix of the settings so that
# every value of every setting is played at least once, through the trace runner built with the
# sanitizers: no report, no failure, every session to its end.
set -euo pipefail
trace=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export ASAN_OPTIONS=detect_leaks=1:halt_on_error=1:abort_on_error=0
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1

"$(dirname "$0")/../support/grey_bmp.sh" "$work/me.bmp"

letters=("Cmatr_Checked=True" "Cbuk_Checked=True" "Cbuk_Checked=False")
brightness=(off 100 500)
windows=(800x600 1920x1080)
run=0
failed=0
for item in 0 1 2 3 4 5; do
    for sex in 0 1; do
        folder="$work/run$run"
        mkdir -p "$folder/Text"
        {
            printf '[TMirelta]\r\nRgnast_ItemIndex=%d\r\nRpol_ItemIndex=%d\r\nEpov_Text=1\r\n' "$item" "$sex"
            printf '%s\r\n' "${letters[run % 3]}"
            printf 'Rskor_ItemIndex=%d\r\nRvid_ItemIndex=%d\r\n' $(((run + 1) % 3)) $(((run / 3) % 3))
            printf 'Cslov_Checked=%s\r\n' "$([ $((run % 2)) -eq 0 ] && echo True || echo False)"
            if [ $((run % 2)) -eq 1 ]; then
                printf 'Cfoto_Checked=True\r\nOpenf_FileName=%s\r\n' "$work/me.bmp"
            fi
        } >"$folder/polufabu.ini"
        if ! "$trace" --folder "$folder" --window "${windows[run % 2]}" \
            --brightness "${brightness[run % 3]}" >"$folder/trace.txt" 2>"$folder/errors.txt"; then
            echo "run $run (suggestion $item, sex $sex) failed:"
            tail -n 30 "$folder/errors.txt"
            failed=1
        elif grep -qE 'Sanitizer|runtime error' "$folder/errors.txt"; then
            echo "run $run (suggestion $item, sex $sex) has a sanitizer report:"
            grep -A 20 -E 'Sanitizer|runtime error' "$folder/errors.txt" | head -40
            failed=1
        elif ! tail -n 1 "$folder/trace.txt" | grep -q '^end '; then
            echo "run $run (suggestion $item, sex $sex) did not end"
            failed=1
        else
            echo "run $run (suggestion $item, sex $sex): $(wc -l <"$folder/trace.txt") events, ended"
        fi
        run=$((run + 1))
    done
done
exit $failed
