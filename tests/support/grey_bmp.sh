#!/usr/bin/env bash
# Writes a small photo for the sessions that show one: a 24-bit BMP of 120 x 120 grey pixels.
# usage: grey_bmp.sh OUT
set -euo pipefail
python3 - "$1" <<'PY'
import struct, sys
w = h = 120
row = bytes([128, 128, 128]) * w
pad = (4 - len(row) % 4) % 4
pixels = (row + b"\0" * pad) * h
header = b"BM" + struct.pack("<IHHI", 54 + len(pixels), 0, 0, 54)
info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
open(sys.argv[1], "wb").write(header + info + pixels)
PY
