#!/usr/bin/env bash
# `cmake --install` makes a self-contained program folder with a desktop launcher and our icon. The
# program is started the way a desktop starts it, from the launcher's Path with its Exec line; then
# the folder is copied somewhere else, the original removed, and the copy started from another
# working folder. Each time it shows its window, closes on a key and keeps its settings in its own
# folder.
set -euo pipefail
export E2E=$(cd "$(dirname "$0")" && pwd)
source "$E2E/program_control.sh"
cmake=$1
build=$2
temporary_folder
export HOME="$work/home"
mkdir -p "$HOME"
folder="$work/Мирельта"
"$cmake" --install "$build" --prefix "$folder" >/dev/null

for entry in mirelta mirelta-check Text Image Sound Site Iniaz/angl/book Iniaz/angl/slov \
    "О программе.doc" "Внушения.doc" mirelta.png mirelta.desktop; do
    [ -e "$folder/$entry" ] || { echo "the installed folder has no $entry"; exit 1; }
done
launcher="$HOME/.local/share/applications/mirelta.desktop"
[ -f "$launcher" ] || { echo "no launcher in the user's applications"; exit 1; }
grep -qx "Exec=\"$folder/mirelta\"" "$launcher" || { echo "the launcher starts something else:"; cat "$launcher"; exit 1; }
grep -qx "Icon=$folder/mirelta.png" "$launcher" || { echo "the launcher has no icon of ours"; exit 1; }
[ "$(head -c 8 "$folder/mirelta.png" | od -An -tx1 | tr -d ' ')" = 89504e470d0a1a0a ] ||
    { echo "the icon is not a PNG"; exit 1; }

cat >"$work/drive.sh" <<'DRIVE'
set -euo pipefail
source "$E2E/program_control.sh"
cd "$1"
eval "$2" 2>/dev/null &
pid=$!
sleep 2
close_with_key "$pid"
DRIVE
start_and_close() {
    timeout 60 xvfb-run -a -s "-screen 0 1024x768x24" bash "$work/drive.sh" "$1" "$2"
    [ -f "$3/polufabu.ini" ] || { echo "no settings were kept in $3"; exit 1; }
    grep -q $'^\\[TMirelta\\]\r$' "$3/polufabu.ini" || { echo "the settings file is not the program's"; exit 1; }
}

start_and_close "$(sed -n 's/^Path=//p' "$launcher")" "$(sed -n 's/^Exec=//p' "$launcher")" "$folder"
echo "installed and started from its launcher"

moved="$work/elsewhere/копия программы"
mkdir -p "$(dirname "$moved")"
cp -r "$folder" "$moved"
rm -rf "$folder" "$moved/polufabu.ini"
start_and_close / "'$moved/mirelta'" "$moved"
echo "copied elsewhere, it runs from there and keeps its settings beside itself"
