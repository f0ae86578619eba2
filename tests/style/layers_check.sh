#!/usr/bin/env bash
# The folders are layers: a folder includes only from the folders below it, the core holds no
# widget, and the suggestion text and the settings file are plain C++. Inside gui/ the features
# are layers too, and only the program's start builds the main window. Prints every include that
# breaks this and fails if there is one.
# usage: tests/style/layers_check.sh [ROOT]  (ROOT: a source tree, the repository by default)
# QT_WIDGETS_INCLUDE names Qt's QtWidgets header folder when qmake6 cannot say where it is.
set -euo pipefail
cd "${1:-$(dirname "$0")/../..}"
widgets=${QT_WIDGETS_INCLUDE:-$(qmake6 -query QT_INSTALL_HEADERS 2>/dev/null || echo /usr/include/x86_64-linux-gnu/qt6)/QtWidgets}
# Without the widget headers the widget check below would find nothing and pass.
if [ ! -e "$widgets/QWidget" ]; then
    echo "no Qt widget headers in $widgets (set QT_WIDGETS_INCLUDE): cannot check the layers"
    exit 2
fi

# folder: the project folders its includes may name (besides its own). A file belongs to the
# longest folder here that holds it; a program source in no folder here is a fault.
core="engine display safety settings text platform"
declare -A allowed=(
    [text]=""
    [settings]="text"
    [platform/files]=""
    [platform/pictures]=""
    [platform/sound]=""
    [platform/desktop]=""
    [platform/presentation]=""
    [display]="text"
    [safety]=""
    [engine]="display safety settings text platform/pictures platform/sound platform/files"
    [packaging]=""
    # the gui features, from the bottom up; none includes the main window
    [gui/widgets]="$core"
    [gui/pages]="gui/widgets $core"
    [gui/language]="gui/widgets $core"
    [gui/session]="gui/widgets $core"
    [gui/settings]="gui/pages gui/widgets $core"
    [gui/choice]="gui/settings gui/pages gui/widgets $core"
    [gui/editor]="gui/settings gui/pages gui/widgets $core"
    [gui]="gui $core"
    [app]="gui $core"
)
# folders whose sources may include no Qt header at all
plain="text settings"
# folders whose sources may include no widget header
nowidgets="text settings display safety engine platform/files platform/pictures platform/sound platform/presentation"
# the only program sources that may include the main window
window_users="gui/main_window.cpp app/main.cpp"

faults=0
report() {
    echo "$1"
    faults=$((faults + 1))
}

if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    sources=$(git ls-files '*.h' '*.cpp')
else
    sources=$(find . -path ./build -prune -o \( -name '*.h' -o -name '*.cpp' \) -print | sed 's#^\./##')
fi
program=$(echo "$sources" | grep -vE '^(tests|tools|bench|fuzz)/' || true)
if [ -z "$program" ]; then
    echo "no program sources in $(pwd)"
    exit 2
fi

# sets folder to the layer FILE belongs to (without a subshell: this runs for every file)
folder_of() {
    local dir=${1%/*} candidate
    folder=""
    for candidate in "${!allowed[@]}"; do
        case "$dir/" in "$candidate"/*) [ ${#candidate} -le ${#folder} ] || folder=$candidate ;; esac
    done
}

in_list() {
    local item=$1
    shift
    for entry in "$@"; do [ "$entry" = "$item" ] && return 0; done
    return 1
}

declare -A unplaced=()
# every include of every program source, read in one pass: "file:#include ..."
while IFS= read -r line; do
    file=${line%%:*}
    directive=${line#*:}
    folder_of "$file"
    if [ -z "$folder" ]; then
        [ -n "${unplaced[$file]+set}" ] || report "$file lies in no declared layer"
        unplaced[$file]=1
        continue
    fi
    case "$directive" in
    '#include "'*)
        included=${directive#'#include "'}
        included=${included%%'"'*}
        if [ "$included" = gui/main_window.h ]; then
            in_list "$file" $window_users ||
                report "$file includes \"$included\": only the program's start builds the main window"
            continue
        fi
        target=${included%/*}
        ok=0
        for permitted in "$folder" ${allowed[$folder]}; do
            case "$target/" in "$permitted"/*) ok=1 ;; esac
        done
        [ $ok -eq 1 ] || report "$file includes \"$included\": $folder may not use $target/"
        ;;
    '#include <'*)
        header=${directive#'#include <'}
        header=${header%%'>'*}
        if in_list "$folder" $plain; then
            case "$header" in Q*) report "$file includes <$header>: $folder is plain C++" ;; esac
        fi
        if in_list "$folder" $nowidgets && [ -e "$widgets/$header" ]; then
            report "$file includes <$header>: $folder holds no widget"
        fi
        ;;
    esac
done < <(grep -H '^#include' $program /dev/null || true)
# a source without includes lies somewhere too
for file in $program; do
    folder_of "$file"
    [ -n "$folder" ] || [ -n "${unplaced[$file]+set}" ] || report "$file lies in no declared layer"
done

if [ $faults -ne 0 ]; then
    echo "$faults includes cross the layers"
    exit 1
fi
echo "every include of $(echo "$program" | wc -l) program sources runs down the layers"
