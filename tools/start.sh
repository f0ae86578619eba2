#!/usr/bin/env bash
# Installs what is missing, builds the program, installs it as a program folder of the user's
# (~/Мирельта, or MIRELTA_FOLDER) with a launcher in the desktop's applications, and starts it
# from there. Where there is no display, the program runs on a virtual X server.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default --target mirelta mirelta-check mirelta-trace
folder=${MIRELTA_FOLDER:-$HOME/Мирельта}
# The user's settings and personal suggestions in the folder are kept: nothing installed has
# their names.
cmake --install build --prefix "$folder" | grep -E "Launcher" || true
echo "Мирельта is installed in $folder"
program=$folder/mirelta
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    exec "$program"
fi
echo "No display found: starting Мирельта on a virtual X server (Xvfb, 1024x768)."
echo "Press Ctrl+C to stop it."
exec xvfb-run -a -s "-screen 0 1024x768x24" "$program"
