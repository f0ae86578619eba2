#!/usr/bin/env bash
# Takes the README's two screenshots from the real program on a virtual X server: the settings
# view, and a moment of a session.
#   tools/screenshots.sh        (after a build; writes docs/settings.png and docs/session.png)
set -euo pipefail
cd "$(dirname "$0")/.."
command -v import >/dev/null || { echo "Installing imagemagick for the screenshots"; \
    ${SUDO:-$([ "$(id -u)" -eq 0 ] || echo sudo)} apt-get install -y -qq imagemagick >/dev/null; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r build/program/. "$work/"
rm -f "$work/polufabu.ini"
printf '[TMirelta]\r\nCbuk_Checked=True\r\nRgnast_ItemIndex=0\r\nEpov_Text=1\r\n' >"$work/polufabu.ini"
mkdir -p docs

cat >"$work/shoot.sh" <<'SHOOT'
set -euo pipefail
cd "$1"
./mirelta 2>/dev/null &
pid=$!
sleep 2
import -window root "$2/settings.png"
window=$(xdotool search --onlyvisible --limit 1 --name 'Мирельта')
eval "$(xdotool getwindowgeometry --shell "$window")"
xdotool mousemove --sync $((WIDTH / 2 - 212 + 180)) $((HEIGHT / 2 + 212 + 22)) click 1
sleep 4.05
import -window root "$2/session.png"
xdotool windowfocus --sync "$window" key Escape
wait "$pid" || true
SHOOT
xvfb-run -a -s "-screen 0 1024x768x24" bash "$work/shoot.sh" "$work" "$PWD/docs"
echo "docs/settings.png and docs/session.png written"
