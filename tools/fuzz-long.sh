#!/usr/bin/env bash
# Runs every fuzz target of fuzz/ for a long time, one after the other, and keeps what it finds.
#
#   tools/fuzz-long.sh DURATION [FOLDER]
#
# DURATION is for each target: 45 or 45m (minutes), 3h (hours), 90s (seconds). FOLDER, by
# default build/fuzz-findings, gets a folder for each target with
#   corpus/    the inputs that reached new code, kept from run to run: a second run goes on where
#              the first stopped, and `NAME_fuzz -merge=1 fuzz/corpus/NAME FOLDER/NAME/corpus`
#              adds the best of them to the seeds;
#   findings/  every input that crashed, leaked, hung or ran out of memory (crash-*, leak-*,
#              timeout-*, oom-*); a finding does not end the run;
#   log        what libFuzzer said.
# It ends 1 when any target found something. The test command's short runs are fuzz/run-fuzzer.sh;
# a target's own flags there (its input size, its memory limits) hold here too.
set -euo pipefail
cd "$(dirname "$0")/.."

usage() {
    sed -n '4,5p' "$0" >&2
    exit 2
}
[ $# -ge 1 ] && [ $# -le 2 ] && [[ $1 =~ ^([0-9]+)([hms]?)$ ]] || usage
count=$((10#${BASH_REMATCH[1]}))
case ${BASH_REMATCH[2]} in
h) seconds=$((count * 3600)) ;;
s) seconds=$count ;;
*) seconds=$((count * 60)) ;;
esac
[ "$seconds" -gt 0 ] || usage
build=${MIRELTA_BUILD:-build}
folder=$(realpath -m "${2:-$build/fuzz-findings}")

cmake --build "$build" --target fuzzers >/dev/null

# The flags that a target's test gives fuzz/run-fuzzer.sh after its seconds, one a line.
flags_of() {
    ctest --test-dir "$build" --show-only=json-v1 | python3 -c '
import json, sys
for test in json.load(sys.stdin)["tests"]:
    if test["name"] == "fuzz." + sys.argv[1]:
        for flag in test["command"][4:]:
            print(flag)
' "$1"
}

status=0
for source in fuzz/*_fuzz.cpp; do
    name=$(basename "$source" _fuzz.cpp)
    out="$folder/$name"
    mkdir -p "$out/corpus" "$out/findings"
    mapfile -t own < <(flags_of "$name")
    kept=$(find "$out/corpus" -type f | wc -l)
    echo "fuzzing $name for ${seconds}s into $out${own[*]:+ with ${own[*]}}"
    # Fork mode runs the target in a child that is started again after a finding, so that one
    # finding does not end hours of fuzzing. The common flags are run-fuzzer.sh's.
    "$build/fuzz/${name}_fuzz" -fork=1 -ignore_crashes=1 -ignore_timeouts=1 -ignore_ooms=1 \
        -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=8192 "${own[@]}" \
        -print_final_stats=1 -artifact_prefix="$out/findings/" "$out/corpus" "fuzz/corpus/$name" \
        >"$out/log" 2>&1 || true
    corpus=$(find "$out/corpus" -type f | wc -l)
    findings=$(find "$out/findings" -type f | wc -l)
    # The last status line of fork mode: "#RUNS: cov: EDGES ft: FEATURES corp: INPUTS ...".
    runs=$(grep -E '^#[0-9]+: cov:' "$out/log" | tail -n 1 | awk '{ sub(/^#/, "", $1); sub(/:$/, "", $1); print $1 " runs, " $3 " edges covered" }' || true)
    echo "  ${runs:-no runs}; $((corpus - kept)) new corpus entries ($corpus in all); $findings findings"
    if [ "$findings" -gt 0 ]; then
        status=1
        find "$out/findings" -type f -printf '  finding: %p\n'
    fi
done
echo "kept in $folder"
exit $status
