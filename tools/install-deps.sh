#!/usr/bin/env bash
# Installs the Debian packages the program, its tools and its tests are built with, and only
# those that are missing, so that a second run costs nothing.
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-multimedia-dev libjpeg62-turbo-dev zlib1g-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    clang-14 libclang-rt-14-dev clang-format clang-tidy
    xvfb xauth xdotool gdb pulseaudio time
    libx11-dev libxext-dev libxdamage-dev libxfixes-dev
    # the Debian package: making it, and the checks of lintian and AppStream
    dpkg-dev file lintian appstream man-db
    # Wayland: the platform the program runs on there, and a compositor and the accessibility bus
    # for its test
    qt6-wayland weston dbus-daemon at-spi2-core python3-pyatspi
    # the compositor's presentation feedback: the protocol, its client library and Qt's native
    # interface that hands out the window's surface
    libwayland-dev wayland-protocols qt6-base-private-dev
    # an X server's Present extension, which puts the session's frames up on its vertical blanks
    libxcb1-dev libxcb-present-dev libxcb-xfixes0-dev libxcb-shm0-dev
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
