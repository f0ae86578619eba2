#!/usr/bin/env bash
# The Debian package installed in a scratch root (dpkg -x), its program started by the name its
# launcher gives on a virtual X server. A first user's first start makes that user's own folder in
# ~/.local/share/Мирельта, readable by that user alone, with copies of the shipped pictures and
# sounds and a first run's settings; a short session played there runs to its end and lowers the
# pauses in that user's settings. A second user (with XDG_DATA_HOME set) starts with a folder and
# settings of their own, and the first user's stay as they were. Nothing is ever written where the
# program is installed.
# Usage: installed_package.sh DEB EXPECTED_FIRST_SETTINGS
set -euo pipefail
export E2E=$(cd "$(dirname "$0")" && pwd)
source "$E2E/program_control.sh"
deb=$1
expected=$2
[ -f "$deb" ] || { echo "no package $deb: the package test makes it"; exit 1; }
temporary_folder
root="$work/root"
dpkg-deb -x "$deb" "$root"
listing() { (cd "$root" && find . -printf '%p %s %T@ %m\n' | sort); }
listing >"$work/installed.txt"

cat >"$work/drive.sh" <<'DRIVE'
set -euo pipefail
source "$E2E/program_control.sh"
root=$1
what=$2
cd "$HOME"
# The launcher's Exec line names the program alone: it is found on the PATH.
PATH="$root/usr/bin:$PATH"
exec_line=$(sed -n 's/^Exec=//p' "$root/usr/share/applications/invalid.mirelta.Mirelta.desktop")
$exec_line 2>/dev/null &
pid=$!
sleep 2
if [ "$what" = session ]; then
    press_start
    answer_closing_message "$pid" 30
    wait_for_end "$pid" "the message was answered"
else
    close_with_key "$pid"
fi
DRIVE
run() {
    timeout 120 xvfb-run -a -s "-screen 0 1024x768x24" bash "$work/drive.sh" "$root" "$1"
}

failed=0
fail() {
    echo "$*"
    failed=1
}

# The first user's first start.
export HOME="$work/first"
mkdir -p "$HOME"
unset XDG_DATA_HOME
first="$HOME/.local/share/Мирельта"
run close
[ -d "$first" ] || { echo "the first start made no folder $first"; exit 1; }
[ "$(stat -c %a "$first")" = 700 ] || fail "the user's folder may be read by others: $(stat -c %a "$first")"
cmp -s "$first/polufabu.ini" "$expected" || fail "the first start did not leave a first run's settings in $first"
[ -d "$first/Text" ] || fail "the user's folder has no Text folder"
diff -r "$root/usr/share/mirelta/Image" "$first/Image" >/dev/null || fail "the user's Image folder is not a copy of the shipped one"
diff -r "$root/usr/share/mirelta/Sound" "$first/Sound" >/dev/null || fail "the user's Sound folder is not a copy of the shipped one"
echo "first start: $(find "$first/Image" "$first/Sound" -type f | wc -l) pictures and sounds copied to $first"

# A one-sentence personal suggestion, "Один", chosen and played once by the first user.
printf '>\r\n@1#1%%$0&10@\r\n\xdf \xec\xee\xe3\xf3\r\n<\r\n' >"$first/Text/$(printf '\xce\xe4\xe8\xed' | iconv -f cp1251 -t utf-8).txt"
printf '[TMirelta]\r\nCgentle_Checked=False\r\nChperson_Checked=True\r\nCperson_Text=\xce\xe4\xe8\xed\r\nEpov_Text=1\r\n' >"$first/polufabu.ini"
run session
grep -q $'^Eslov_Text=19\r$' "$first/polufabu.ini" && grep -q $'^Epred_Text=29\r$' "$first/polufabu.ini" ||
    fail "the session did not end with the pauses lowered in the user's settings"
echo "the installed program played a session to its end in the user's folder"
cp "$first/polufabu.ini" "$work/first-settings.ini"

# The second user, whose desktop names another data folder.
export HOME="$work/second"
export XDG_DATA_HOME="$HOME/данные"
mkdir -p "$HOME"
second="$XDG_DATA_HOME/Мирельта"
run close
[ -d "$second" ] || fail "the second user's first start made no folder $second"
cmp -s "$second/polufabu.ini" "$expected" || fail "the second user did not start with a first run's settings"
[ -z "$(ls -A "$second/Text")" ] || fail "the second user sees personal suggestions: $(ls "$second/Text")"
cmp -s "$first/polufabu.ini" "$work/first-settings.ini" || fail "the second user's start changed the first user's settings"
echo "a second user has settings of their own in $second"

listing >"$work/after.txt"
diff "$work/installed.txt" "$work/after.txt" || fail "the program wrote where it is installed"
[ "$failed" -eq 0 ] || exit 1
echo "installed from the package: each user's settings and suggestions in their own folder, nothing written beside the program"
