#!/usr/bin/env bash
# Runs a command with a sound server of its own whose one output is a null sink: Qt Multimedia
# then plays sounds as on a machine with a sound card, into nothing, on any machine.
set -euo pipefail
dir=$(mktemp -d)
server=
finish() {
    [ -z "$server" ] || kill "$server" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$dir"
}
trap finish EXIT
mkdir -p "$dir/run" "$dir/home"
XDG_RUNTIME_DIR="$dir/run" HOME="$dir/home" pulseaudio -n --daemonize=no --exit-idle-time=-1 \
    --use-pid-file=no -L "module-null-sink sink_name=silence" \
    -L "module-native-protocol-unix socket=$dir/native auth-anonymous=1" >"$dir/server.log" 2>&1 &
server=$!
for _ in $(seq 200); do
    [ -S "$dir/native" ] && break
    sleep 0.05
done
[ -S "$dir/native" ] || { echo "the sound server did not start:"; cat "$dir/server.log"; exit 1; }
PULSE_SERVER="unix:$dir/native" "$@"
