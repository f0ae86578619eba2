#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it. Where there is no display, the
# program runs on a virtual X server.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default --target mirelta mirelta-check
program=build/program/mirelta
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    exec "$program"
fi
echo "No display found: starting Мирельта on a virtual X server (Xvfb, 1024x768)."
echo "Press Ctrl+C to stop it."
exec xvfb-run -a -s "-screen 0 1024x768x24" "$program"
