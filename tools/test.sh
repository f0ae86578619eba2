#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test, the bounded fuzz runs and
# the tests on a virtual X server included.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
cmake --workflow --preset default
