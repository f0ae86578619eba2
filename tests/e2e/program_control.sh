# Driving the real program on a virtual X server, for the end-to-end scripts (sourced).

# A temporary folder in $work, removed when the script ends.
temporary_folder() {
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
}

# A temporary program folder in $work: the executable PROGRAM with empty Text, Image and Sound.
program_folder() {
    temporary_folder
    cp "$1" "$work/mirelta"
    mkdir -p "$work/Text" "$work/Image" "$work/Sound"
}

# Waits up to 10 s for the program PID to end, then gives up: kills it and fails, saying after
# what it should have ended.
wait_for_end() {
    local pid=$1 after=$2
    for _ in $(seq 100); do
        kill -0 "$pid" 2>/dev/null || { wait "$pid"; return; }
        sleep 0.1
    done
    echo "the program did not end after $after"
    kill "$pid"
    return 1
}

# Gives the main window itself the focus with a click on its background (the bottom right corner,
# away from the panel and the controls) and presses KEY there, as a user closes the program: a key
# pressed while a control holds the focus is a stray and leaves the program running.
key_on_background() {
    local window X Y WIDTH HEIGHT
    window=$(xdotool search --sync --onlyvisible --limit 1 --name 'Мирельта')
    eval "$(xdotool getwindowgeometry --shell "$window")"
    xdotool mousemove --sync $((X + WIDTH - 5)) $((Y + HEIGHT - 5)) click 1
    xdotool windowfocus --sync "$window" key "$1"
}

# A key on the main window's background, which closes the program.
close_with_key() {
    key_on_background a
    wait_for_end "$1" "a key on the window's background"
}

# "Старт": 10 pixels below the panel centred in the window, 180 pixels in from its left edge; on a
# screen of SCALE device pixels to a logical one (QT_SCALE_FACTOR), those distances are SCALE times
# as many of the screen's pixels.
press_start() {
    local scale=${1:-1} window WIDTH HEIGHT
    window=$(xdotool search --sync --onlyvisible --limit 1 --name 'Мирельта')
    eval "$(xdotool getwindowgeometry --shell "$window")"
    xdotool mousemove --sync $((WIDTH / 2 + (180 - 212) * scale)) $((HEIGHT / 2 + (212 + 22) * scale)) click 1
}

# Waits up to SECONDS for the session's closing message box; fails when the program ends first or
# the box does not come.
wait_for_closing_message() {
    local pid=$1 seconds=$2
    for _ in $(seq $((seconds * 10))); do
        [ "$(xdotool search --onlyvisible --name 'Мирельта' 2>/dev/null | wc -l)" -ge 2 ] && return
        kill -0 "$pid" 2>/dev/null || { echo "the program ended before its message"; return 1; }
        sleep 0.1
    done
    echo "no closing message within $seconds s"
    return 1
}

# The message box shown over the main window.
closing_message_window() {
    xdotool search --onlyvisible --name 'Мирельта' | tail -n 1
}

# Waits up to SECONDS for the session's closing message box and answers it; fails when the
# program ends before it.
answer_closing_message() {
    wait_for_closing_message "$1" "$2"
    xdotool windowfocus --sync "$(closing_message_window)" key Return
}

# A headless Weston of 1280x800 drawn in memory (pixman), its socket WAYLAND_DISPLAY in a runtime
# folder of $work, with --debug so that its screenshots and debug scopes can be read; further
# arguments go to weston (a --config, or --no-config when none is given). Sets $weston to its PID
# and returns once its socket is there, or fails with its log.
start_weston() {
    export XDG_RUNTIME_DIR="$work/runtime"
    mkdir -m 0700 "$XDG_RUNTIME_DIR"
    local config=("$@")
    [ ${#config[@]} -gt 0 ] || config=(--no-config)
    weston --backend=headless-backend.so --socket="$WAYLAND_DISPLAY" --width=1280 --height=800 \
        --use-pixman --debug --idle-time=0 "${config[@]}" --log="$work/weston.log" 2>/dev/null &
    weston=$!
    for _ in $(seq 100); do
        [ -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ] && return 0
        kill -0 "$weston" 2>/dev/null || { echo "weston did not start:"; cat "$work/weston.log"; return 1; }
        sleep 0.1
    done
    echo "weston's socket did not appear"
    return 1
}

# Plays a session of the program in $work on the Wayland compositor of $WAYLAND_DISPLAY, driven
# through an accessibility bus of its own (AT-SPI: a Wayland client cannot see another's windows to
# click them). The program starts as on a Wayland desktop, with no X server to fall back to, and
# writes its frame log and session report into $work; past the border switch the function named
# LOOK, if any (exported with `export -f`), runs with $work, then "Старт" is pressed and the
# closing message answered within ANSWER seconds, all within LIMIT seconds. The bus's own output
# goes to $work/bus.txt and is shown, with the program's, when anything fails.
# Usage: play_on_wayland LIMIT ANSWER [LOOK]
play_on_wayland() {
    local limit=$1 answer=$2 look=${3:-}
    timeout "$limit" dbus-run-session -- bash -c \
        'set -euo pipefail; source "$E2E/program_control.sh"; drive_on_wayland "$@"' \
        drive "$work" "$answer" "$look" >"$work/bus.txt" 2>&1 || {
        cat "$work/bus.txt"
        echo "the program's output:"
        cat "$work/program.txt" 2>/dev/null || true
        return 1
    }
}

# The program's side of play_on_wayland, on the accessibility bus: FOLDER ANSWER LOOK.
drive_on_wayland() {
    local folder=$1 answer=$2 look=$3 atspi="$E2E/atspi_control.py" pid
    cd "$folder"
    unset DISPLAY QT_QPA_PLATFORM
    export XDG_SESSION_TYPE=wayland QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
    MIRELTA_FRAME_LOG="$folder/frame-log.txt" MIRELTA_SESSION_REPORT="$folder/report.txt" \
        ./mirelta 2>"$folder/program.txt" &
    pid=$!
    # Past the border switch, which makes the window anew.
    sleep 2
    [ -z "$look" ] || "$look" "$folder"
    "$atspi" press Старт
    "$atspi" answer "Сеанс окончен" "$answer" >"$folder/message.txt"
    wait_for_end "$pid" "the message was answered"
}
