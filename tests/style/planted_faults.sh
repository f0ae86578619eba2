#!/usr/bin/env bash
# The style checks fail on what they are there to catch: each fault is planted in a temporary
# copy of the sources and the check must reject it, naming the file; the untouched copy must pass.
# usage: tests/style/planted_faults.sh layers|format
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
check=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0

# A fresh copy of the program's sources (no git, so the checks list the files themselves).
fresh_copy() {
    rm -rf "$scratch/tree"
    mkdir -p "$scratch/tree"
    (cd "$root" && git ls-files -z '*.h' '*.cpp' .clang-format | grep -zvE '^(tests|tools|bench|fuzz)/' |
        xargs -0 cp --parents -t "$scratch/tree")
}

# expect_failure DESCRIPTION EXPECTED_TEXT COMMAND...: the command must end non-zero and print
# EXPECTED_TEXT.
expect_failure() {
    local description=$1 expected=$2
    shift 2
    local output status=0
    output=$("$@" 2>&1) || status=$?
    if [ $status -eq 0 ]; then
        echo "NOT CAUGHT: $description"
        echo "$output" | tail -3
        failures=$((failures + 1))
    elif ! grep -qF -- "$expected" <<<"$output"; then
        echo "CAUGHT WITHOUT SAYING \"$expected\": $description"
        echo "$output" | tail -3
        failures=$((failures + 1))
    else
        echo "caught: $description"
    fi
}

expect_success() {
    local description=$1
    shift
    local output
    if output=$("$@" 2>&1); then
        echo "passes: $description"
    else
        echo "FAILS: $description"
        echo "$output" | tail -5
        failures=$((failures + 1))
    fi
}

# plant FILE LINE: appends an include line to FILE of a fresh copy
plant() {
    fresh_copy
    echo "$2" >>"$scratch/tree/$1"
}

case "$check" in
layers)
    run=("$here/layers_check.sh" "$scratch/tree")
    fresh_copy
    expect_success "the sources as they are" "${run[@]}"
    plant gui/pages/menu_panel.cpp '#include "gui/settings/settings_panel.h"'
    expect_failure "pages using settings" "gui/pages/menu_panel.cpp" "${run[@]}"
    plant gui/widgets/controls.cpp '#include "gui/pages/highlights.h"'
    expect_failure "widgets using pages" "gui/widgets/controls.cpp" "${run[@]}"
    plant gui/settings/settings_panel.cpp '#include "gui/choice/suggestion_choice.h"'
    expect_failure "settings using choice" "gui/settings/settings_panel.cpp" "${run[@]}"
    plant gui/choice/suggestion_choice.cpp '#include "gui/editor/editor_panel.h"'
    expect_failure "choice using editor" "gui/choice/suggestion_choice.cpp" "${run[@]}"
    plant gui/editor/editor_panel.cpp '#include "gui/main_window.h"'
    expect_failure "a feature including the main window" "gui/editor/editor_panel.cpp" "${run[@]}"
    plant gui/session/panel_view.cpp '#include "gui/border_switch.h"'
    expect_failure "a feature using the window's own files" "gui/session/panel_view.cpp" "${run[@]}"
    plant engine/session_run.cpp '#include "gui/session/session_host.h"'
    expect_failure "the engine using gui" "engine/session_run.cpp" "${run[@]}"
    plant display/compositor.cpp '#include "engine/session_state.h"'
    expect_failure "display using the engine" "display/compositor.cpp" "${run[@]}"
    plant engine/session_run.cpp '#include <QLabel>'
    expect_failure "a widget in the engine" "engine/session_run.cpp includes <QLabel>" "${run[@]}"
    plant settings/profile_file.cpp '#include <QString>'
    expect_failure "Qt in settings" "settings/profile_file.cpp includes <QString>" "${run[@]}"
    fresh_copy
    mkdir -p "$scratch/tree/extra"
    echo '#include "text/cp1251.h"' >"$scratch/tree/extra/stray.cpp"
    expect_failure "a folder of no layer" "extra/stray.cpp lies in no declared layer" "${run[@]}"
    fresh_copy
    expect_failure "no Qt headers where they are looked for" "no Qt widget headers" \
        env QT_WIDGETS_INCLUDE="$scratch/nowhere" "${run[@]}"
    rm -rf "$scratch/tree" && mkdir -p "$scratch/tree"
    expect_failure "a tree without sources" "no program sources" "${run[@]}"
    ;;
format)
    run=("$here/format_check.sh" "$scratch/tree")
    # A path with every tool the check uses except the formatters, which are added one at a time.
    mkdir -p "$scratch/bin"
    for tool in bash env git find wc dirname sed cat; do
        ln -s "$(command -v "$tool")" "$scratch/bin/$tool"
    done
    fresh_copy
    expect_success "the sources as they are" "${run[@]}"
    expect_failure "neither formatter installed" "neither clang-format-14 nor clang-format" \
        env PATH="$scratch/bin" "${run[@]}"
    ln -s "$(command -v clang-format-14 || command -v clang-format)" "$scratch/bin/clang-format-14"
    expect_success "only clang-format-14 installed" env PATH="$scratch/bin" "${run[@]}"
    plant text/cp1251.cpp 'int  badly   laid_out ( ){return 0 ;}'
    expect_failure "a badly laid out line" "text/cp1251.cpp" env PATH="$scratch/bin" "${run[@]}"
    rm -rf "$scratch/tree" && mkdir -p "$scratch/tree"
    expect_failure "a tree without sources" "no C++ sources" "${run[@]}"
    ;;
*)
    echo "usage: $0 layers|format" >&2
    exit 2
    ;;
esac

if [ $failures -ne 0 ]; then
    echo "$failures planted faults went uncaught"
    exit 1
fi
echo "every planted fault was caught"
