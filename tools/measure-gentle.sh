#!/usr/bin/env bash
# The flash rules over the full session and the gentle one, on the sessions' own timeline.
#
#   tools/measure-gentle.sh PROGRAM_DIR [SECONDS] [--table-only | --matrix-only | --quick]
#
# First a table, one row a standard suggestion (men's version, "Средняя", "Буква", "Видимая",
# 60 Hz, the whole session): seconds, failing seconds, the most flashes in a second and red
# flashes, full against gentle. Then the gentle session over every standard suggestion x version
# x speed x "Буква"/"Матрица" x view ("Видимая", "Инверсия", "Скрытый"), each at 60 and at 144 Hz
# and with "Яркость" off and at 100 and 500 in turn, for the first SECONDS (20) of the session,
# with the worst photo and thesis pictures: a black and white checkerboard as the photo after
# every "Я", and every picture the suggestions name replaced by a saturated red one or by the
# checkerboard. --quick plays each combination of the matrix once, at 144 Hz every fourth and at
# 60 Hz the others, and leaves out the table. Ends 1 when any gentle session fails.
set -euo pipefail
program=$(cd "$1" && pwd)
seconds=${2:-20}
part=${3:-}
check="$program/mirelta-session-flashes"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# 425 x 425, 24-bit BMP: the panel's size, so a picture covers the whole panel.
python3 - "$work" <<'PY'
import struct, sys
def bmp(path, pixel):
    side = 425
    row = bytearray()
    rows = []
    for y in range(side):
        row = bytearray()
        for x in range(side):
            row += bytes(pixel(x, side - 1 - y))
        row += b"\0" * ((4 - len(row) % 4) % 4)
        rows.append(bytes(row))
    data = b"".join(rows)
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, side, side, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    open(path, "wb").write(header + info + data)
white, black = (255, 255, 255), (0, 0, 0)
bmp(sys.argv[1] + "/checkerboard.bmp", lambda x, y: white if (x // 25 + y // 25) % 2 else black)
bmp(sys.argv[1] + "/red.bmp", lambda x, y: (0, 0, 255))  # blue, green, red
PY

# A program folder whose every picture is the worst picture WORST.
folder_with() {
    local folder=$1 worst=$2
    mkdir -p "$folder/Text"
    cp -r "$program/Sound" "$folder/"
    (cd "$program" && find Image -type f) | while read -r picture; do
        mkdir -p "$folder/$(dirname "$picture")"
        cp "$work/$worst" "$folder/$picture"
    done
}

settings() { # item sex speed letters view photo
    printf '[TMirelta]\r\nRgnast_ItemIndex=%s\r\nRpol_ItemIndex=%s\r\nRskor_ItemIndex=%s\r\n' "$1" "$2" "$3"
    printf '%s\r\nRvid_ItemIndex=%s\r\nEpov_Text=1\r\n' "$4" "$5"
    if [ -n "$6" ]; then
        printf 'Cfoto_Checked=True\r\nOpenf_FileName=%s\r\n' "$6"
    fi
}

failed=0
if [ "$part" != --matrix-only ] && [ "$part" != --quick ]; then
    folder="$work/table"
    mkdir -p "$folder/Text"
    cp -r "$program/Image" "$program/Sound" "$folder/"
    echo "| suggestion | seconds | full: failing seconds | full: most flashes a second | full: red flashes | gentle: failing seconds | gentle: most flashes a second | gentle: red flashes |"
    echo "|---|---:|---:|---:|---:|---:|---:|---:|"
    names=("0 smoking" "1 beer" "2 alcohol" "3 drugs" "4 neuroses" "5 weight loss")
    for item in 0 1 2 3 4 5; do
        settings "$item" 0 1 "Cbuk_Checked=True" 0 "" >"$folder/polufabu.ini"
        read -r _ n _ fail _ _ _ _ _ most _ red _ < <("$check" --folder "$folder" 2>/dev/null || true)
        read -r _ gn _ gfail _ _ _ _ _ gmost _ gred gverdict < <("$check" --folder "$folder" --gentle 2>/dev/null || true)
        echo "| ${names[item]} | $n | $fail | $most | $red | $gfail | $gmost | $gred |"
        [ "$gverdict" = pass ] || failed=1
    done
fi
[ "$part" = --table-only ] && exit $failed

folder_with "$work/red" red.bmp
folder_with "$work/checkerboard" checkerboard.bmp
letters=("Cbuk_Checked=True" "Cmatr_Checked=True")
brightness=(off 100 500)
runs=0
at144=0
failures=0
worst_flashes=0
for item in 0 1 2 3 4 5; do
    for sex in 0 1; do
        for speed in 0 1 2; do
            for mode in 0 1; do
                for view in 0 1 2; do
                    rates="60 144"
                    if [ "$part" = --quick ]; then
                        rates=$([ $((runs % 4)) -eq 3 ] && echo 144 || echo 60)
                    fi
                    for refresh in $rates; do
                        picture=$([ $(((runs / 2) % 2)) -eq 0 ] && echo red || echo checkerboard)
                        folder="$work/$picture"
                        settings "$item" "$sex" "$speed" "${letters[mode]}" "$view" \
                            "$work/checkerboard.bmp" >"$folder/polufabu.ini"
                        level=${brightness[runs % 3]}
                        line=$("$check" --folder "$folder" --gentle --refresh "$refresh" \
                            --seconds "$seconds" --brightness "$level" 2>/dev/null) || true
                        runs=$((runs + 1))
                        [ "$refresh" = 144 ] && at144=$((at144 + 1))
                        read -r _ _ _ fail _ extended _ _ _ most _ red verdict <<<"$line"
                        [ "${most:-0}" -gt "$worst_flashes" ] && worst_flashes=$most
                        if [ "${verdict:-}" != pass ] || [ "${red:-1}" != 0 ]; then
                            failures=$((failures + 1))
                            echo "FAIL suggestion $item sex $sex speed $speed mode $mode view $view" \
                                "${refresh} Hz brightness $level pictures $picture: $line"
                        fi
                    done
                done
            done
        done
    done
done
echo "gentle: $runs sessions of ${seconds} s ($at144 at 144 Hz), $failures failing; the most flashes in a second: $worst_flashes"
[ "$failures" -eq 0 ] || failed=1
exit $failed
