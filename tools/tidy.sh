#!/usr/bin/env bash
# clang-tidy over every source of the program, its tools, tests and benchmarks, with the checks of
# .clang-tidy. Needs a configured build (build/compile_commands.json). Exits 1 on any finding.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
tidy=$(command -v clang-tidy-14 || command -v clang-tidy)
# Generated sources (Qt's moc and resources, embedded data) are not ours to tidy.
python3 - "$build/compile_commands.json" "$root" >"$build/tidy-files.txt" <<'PY'
import json, sys
root = sys.argv[2] + "/"
for entry in json.load(open(sys.argv[1])):
    path = entry["file"]
    if path.startswith(root) and not path.startswith(root + "build/"):
        print(path)
PY
count=$(wc -l <"$build/tidy-files.txt")
log="$build/tidy.log"
if xargs -P "$(nproc)" -n 4 "$tidy" -p "$build" --quiet <"$build/tidy-files.txt" >"$log" 2>&1; then
    echo "clang-tidy: $count sources, no findings"
else
    grep -E "(warning|error):" "$log" | sort -u
    echo "clang-tidy found the above in $count sources (whole output: $log)"
    exit 1
fi
