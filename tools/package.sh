#!/usr/bin/env bash
# Installs what is missing, builds the program and makes its Debian package,
# build/package/mirelta_VERSION_ARCH.deb: the program installed as the system installs programs,
# for `sudo apt install ./build/package/mirelta_…deb`. The test command makes it the same way
# (the test package.deb) and checks it.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default --target deb
ls build/package/mirelta_*.deb
