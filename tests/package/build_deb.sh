#!/usr/bin/env bash
# The Debian package as the README's command makes it: built from the build tree, it holds the
# program in the system's layout and nothing of the program folder's, depends on what its
# executables link (worked out by dpkg-shlibdeps) and on the Wayland platform, and lintian finds no
# error in it; its AppStream data is valid, its launcher starts a program it installs, its icon is
# there at every size named, and each manual page has a name line.
# Usage: build_deb.sh CMAKE BUILD DEB
set -euo pipefail
cmake=$1
build=$2
deb=$3
rm -f "$deb"
"$cmake" --build "$build" --target deb >/dev/null
[ -f "$deb" ] || { echo "no package $deb"; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
dpkg-deb -x "$deb" "$work/root"

failed=0
fail() {
    echo "$*"
    failed=1
}

for path in usr/bin/mirelta usr/bin/mirelta-check usr/bin/mirelta-trace \
    usr/share/mirelta/Image usr/share/mirelta/Sound usr/share/mirelta/Site/index.html \
    usr/share/mirelta/Iniaz/angl/book usr/share/mirelta/Iniaz/angl/slov \
    "usr/share/mirelta/О программе.doc" "usr/share/mirelta/Внушения.doc" \
    usr/share/applications/invalid.mirelta.Mirelta.desktop \
    usr/share/metainfo/invalid.mirelta.Mirelta.metainfo.xml \
    usr/share/man/man1/mirelta.1.gz usr/share/man/man1/mirelta-check.1.gz \
    usr/share/man/man1/mirelta-trace.1.gz \
    usr/share/doc/mirelta/copyright usr/share/doc/mirelta/changelog.gz; do
    [ -e "$work/root/$path" ] || fail "the package has no /$path"
done
[ "$(find "$work/root/usr/share/mirelta/Image" -type f | wc -l)" -gt 0 ] || fail "the package has no pictures"
[ "$(find "$work/root/usr/share/mirelta/Sound" -type f | wc -l)" -gt 0 ] || fail "the package has no sounds"
# The program folder's layout must not leak in: everything lies under /usr, nothing beside the
# executables but executables, and no settings file or launcher of a user's.
stray=$(cd "$work/root" && find . -mindepth 1 -maxdepth 1 ! -name usr; find usr -mindepth 1 -maxdepth 1 ! -name bin ! -name share;
    find usr/bin -mindepth 1 ! -name 'mirelta*'; find . -name polufabu.ini -o -name mirelta.desktop -o -name Text)
[ -z "$stray" ] || fail "the package holds what belongs to the program folder: $stray"
for program in mirelta mirelta-check mirelta-trace; do
    [ -x "$work/root/usr/bin/$program" ] || fail "/usr/bin/$program is not executable"
done

depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for package in qt6-wayland libqt6widgets6 libqt6multimedia6 libjpeg62-turbo libc6; do
    [[ ", $depends," == *", $package"[\ ,]* ]] || fail "the package does not depend on $package"
done

# The launcher names a program and an icon the package installs.
launcher="$work/root/usr/share/applications/invalid.mirelta.Mirelta.desktop"
exec_line=$(sed -n 's/^Exec=//p' "$launcher")
[ -x "$work/root/usr/bin/${exec_line%% *}" ] || fail "the launcher starts \"$exec_line\", which the package does not install in /usr/bin"
icon=$(sed -n 's/^Icon=//p' "$launcher")
for size in 16 22 24 32 48 64 128 256; do
    png="$work/root/usr/share/icons/hicolor/${size}x${size}/apps/$icon.png"
    if [ ! -f "$png" ]; then
        fail "no icon $icon at ${size}x${size}"
        continue
    fi
    # A PNG's width and height are the two big-endian words after its signature and IHDR header.
    dimensions=$(od -An -tu1 -j16 -N8 "$png" | awk '{ print $1*16777216 + $2*65536 + $3*256 + $4 "x" $5*16777216 + $6*65536 + $7*256 + $8 }')
    [ "$dimensions" = "${size}x${size}" ] || fail "the ${size}x${size} icon is $dimensions"
done
grep -q '^Name=Мирельта$' "$launcher" || fail "the launcher is not called Мирельта"

# The screenshots' addresses cannot be reached from here, so they are not fetched.
appstreamcli validate --no-net "$work/root/usr/share/metainfo/invalid.mirelta.Mirelta.metainfo.xml" ||
    fail "appstreamcli finds the AppStream data invalid"
for page in mirelta mirelta-check mirelta-trace; do
    whatis=$(lexgrog "$work/root/usr/share/man/man1/$page.1.gz" 2>&1) || true
    [[ "$whatis" == *"\"$page - "* ]] || fail "the manual page of $page has no name line: $whatis"
done

lintian "$deb" >"$work/lintian.txt" 2>&1 || true
grep -v 'running with root privileges' "$work/lintian.txt" || true
! grep -q '^E: ' "$work/lintian.txt" || fail "lintian finds errors in the package"

[ "$failed" -eq 0 ] || exit 1
echo "$(basename "$deb"): $(dpkg-deb -c "$deb" | wc -l) entries, lintian finds no error, appstreamcli validates its AppStream data"
