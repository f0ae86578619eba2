#!/usr/bin/env bash
# Writes what the parser and the session engine produce for every standard suggestion, both
# versions, under several mixes of the settings, plus the parser's view of the fuzz seeds, into
# OUT. Run it before and after a change that must not alter behaviour and compare the folders
# with `diff -r`.
# usage: tools/record-outputs.sh PROGRAM_DIR OUT
set -euo pipefail
program=$(cd "$1" && pwd)
out=$2
root=$(cd "$(dirname "$0")/.." && pwd)
mkdir -p "$out"
# Traces name the photo's path, so the folders they play in are at one fixed place; two people
# recording at once on one machine give each their own with MIRELTA_RECORD_WORK (the same before
# and after a change).
work=${MIRELTA_RECORD_WORK:-/tmp/mirelta-record-outputs}
rm -rf "$work"
mkdir -p "$work"
trap 'rm -rf "$work"' EXIT

"$(dirname "$0")/../tests/support/grey_bmp.sh" "$work/me.bmp"

for item in 0 1 2 3 4 5; do
    for sex in m f; do
        "$program/mirelta-check" --sex "$sex" --name "Иван" --dump --standard "$item" \
            >"$out/check-$item-$sex.txt" 2>&1 || true
    done
done
for seed in "$root"/fuzz/corpus/parser/*; do
    "$program/mirelta-check" --dump "$seed" >"$out/check-seed-$(basename "$seed").txt" 2>&1 || true
done

letters=("Cmatr_Checked=True" "Cbuk_Checked=True" "Cbuk_Checked=False")
brightness=(off 100 500 250)
windows=(800x600 1920x1080 1024x768)
run=0
for mix in 0 1 2; do
    for item in 0 1 2 3 4 5; do
        for sex in 0 1; do
            folder="$work/run$run"
            mkdir -p "$folder/Text"
            {
                printf '[TMirelta]\r\nRgnast_ItemIndex=%d\r\nRpol_ItemIndex=%d\r\nEpov_Text=%d\r\n' \
                    "$item" "$sex" $((mix + 1))
                printf '%s\r\n' "${letters[(run + mix) % 3]}"
                printf 'Rskor_ItemIndex=%d\r\nRvid_ItemIndex=%d\r\n' $(((run + 1) % 3)) $(((run / 3) % 3))
                printf 'Cslov_Checked=%s\r\n' "$([ $(((run + mix) % 2)) -eq 0 ] && echo True || echo False)"
                if [ $((run % 2)) -eq 1 ]; then
                    printf 'Cfoto_Checked=True\r\nOpenf_FileName=%s\r\n' "$work/me.bmp"
                fi
            } >"$folder/polufabu.ini"
            "$program/mirelta-trace" --folder "$folder" --window "${windows[run % 3]}" \
                --brightness "${brightness[run % 4]}" >"$out/trace-$run.txt" 2>/dev/null || true
            run=$((run + 1))
        done
    done
done
echo "$(ls "$out" | wc -l) outputs in $out"
