#!/usr/bin/env bash
# The folders are layers: a folder includes only from the folders below it, the core holds no
# widget, and the suggestion text and the settings file are plain C++. Prints every include that
# breaks this and fails if there is one.
set -euo pipefail
cd "$(dirname "$0")/.."
widgets=${QT_WIDGETS_INCLUDE:-$(qmake6 -query QT_INSTALL_HEADERS 2>/dev/null || echo /usr/include/x86_64-linux-gnu/qt6)/QtWidgets}

# folder: the project folders its includes may name (besides its own)
declare -A allowed=(
    [text]=""
    [settings]="text"
    [platform/files]=""
    [platform/pictures]=""
    [platform/sound]=""
    [platform/desktop]=""
    [display]="text"
    [safety]=""
    [engine]="display safety text platform/pictures platform/sound platform/files"
    [gui]="gui engine display settings text platform"
    [app]="gui engine display settings text platform"
)
# folders whose sources may include no Qt header at all
plain="text settings"
# folders whose sources may include no widget header
core="text settings display safety engine platform/files platform/pictures platform/sound"

faults=0
report() {
    echo "$1"
    faults=$((faults + 1))
}

for folder in "${!allowed[@]}"; do
    for file in $(git ls-files "$folder/*.h" "$folder/*.cpp"); do
        while IFS= read -r included; do
            target=${included%/*}
            ok=0
            for permitted in "$folder" ${allowed[$folder]}; do
                case "$target/" in "$permitted"/*) ok=1 ;; esac
            done
            [ $ok -eq 1 ] || report "$file includes \"$included\": $folder may not use ${target%%/*}/"
        done < <(sed -n 's/^#include "\([^"]*\)".*/\1/p' "$file")
    done
done

for folder in $plain; do
    for file in $(git ls-files "$folder/*.h" "$folder/*.cpp"); do
        while IFS= read -r header; do
            case "$header" in Q*) report "$file includes <$header>: $folder is plain C++" ;; esac
        done < <(sed -n 's/^#include <\([^>]*\)>.*/\1/p' "$file")
    done
done

for folder in $core; do
    for file in $(git ls-files "$folder/*.h" "$folder/*.cpp"); do
        while IFS= read -r header; do
            if [ -e "$widgets/$header" ]; then
                report "$file includes <$header>: $folder holds no widget"
            fi
        done < <(sed -n 's/^#include <\([^>]*\)>.*/\1/p' "$file")
    done
done

if [ $faults -ne 0 ]; then
    echo "$faults includes cross the layers"
    exit 1
fi
echo "every include of $(git ls-files '*.h' '*.cpp' | grep -cvE '^(tests|tools|bench|fuzz)/') program sources runs down the layers"
