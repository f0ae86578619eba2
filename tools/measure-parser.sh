#!/usr/bin/env bash
# Parses personal suggestions of 1, 5 and 15 MB with mirelta-check and prints the time and the
# peak memory of each, and the memory per byte of text. Usage: tools/measure-parser.sh [MB ...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
check="$root/build/program/mirelta-check"
[ -x "$check" ] || { echo "build the program first: $check is missing"; exit 2; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(1 5 15)

# A suggestion of about SIZE megabytes: theses of 1000 sentences each, Windows-1251, CR LF.
make_text() {
    local megabytes=$1 file=$2
    local sentence
    sentence=$(printf 'Я могу жить спокойно и радостно' | iconv -f UTF-8 -t WINDOWS-1251)
    awk -v target=$((megabytes * 1024 * 1024)) -v sentence="$sentence" 'BEGIN {
        ORS = "\r\n"; print ">"; size = 3; thesis = 1
        while (size < target - 100) {
            line = "@" thesis "#1%$0&10@"; print line; size += length(line) + 2
            for (i = 0; i < 1000; ++i) { print sentence; size += length(sentence) + 2 }
            ++thesis
        }
        print "<"; print "@1#1%$0&10@"; print sentence
    }' >"$file"
}

for megabytes in "${sizes[@]}"; do
    file="$work/text-$megabytes.txt"
    LC_ALL=C make_text "$megabytes" "$file"
    bytes=$(stat -c %s "$file")
    /usr/bin/time -f '%e %M' -o "$work/time" "$check" "$file" || true
    read -r seconds kilobytes <"$work/time"
    awk -v b="$bytes" -v s="$seconds" -v k="$kilobytes" 'BEGIN {
        printf "%6.1f MB text: %5.2f s, %6.0f MB at most, %5.1f bytes of memory a byte of text\n",
               b / 1048576, s, k / 1024, k * 1024 / b
    }'
done
