#!/usr/bin/env bash
# Runs one fuzz target for a bounded time over a copy of its seed corpus, so that the seeds in
# the repository stay as they are. Any crash, leak, time-out or sanitizer report fails the run.
# Options after SECONDS go to libFuzzer after the common ones, so they win.
set -euo pipefail
fuzzer=$1 seeds=$2 seconds=$3
shift 3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/corpus"
if "$fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=8192 \
    "$@" -print_final_stats=1 -artifact_prefix="$work/" "$work/corpus" "$seeds" >"$work/log" 2>&1; then
    grep -E '^stat::number_of_executed_units|^Done' "$work/log" || true
    echo "fuzzing $(basename "$fuzzer"): no failure in ${seconds}s"
else
    tail -n 60 "$work/log"
    for artifact in "$work"/crash-* "$work"/leak-* "$work"/timeout-* "$work"/oom-*; do
        [ -e "$artifact" ] && { echo "input that failed (base64):"; base64 "$artifact"; }
    done
    exit 1
fi
