#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
# SPDX-License-Identifier: MIT
# The Windows resource script compiles with Debian's cross resource compiler
# and carries the version and the product name, and the icon whole, its
# 32 x 32 entry the 16-colour picture itself.
# Usage: windres_test.sh DIR_WITH_RC_AND_ICO
set -uo pipefail
command -v x86_64-w64-mingw32-windres >/dev/null || { echo "SKIP: no windres"; exit 77; }
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
x86_64-w64-mingw32-windres --preprocessor=cpp -I "$1" -i "$1/vesk.rc" -O coff -o "$out/vesk.o" || exit 1
strings=$(strings -el "$out/vesk.o")
for want in FileVersion ProductVersion 1.01 "Vesk Calculator"; do
    grep -qx "$want" <<<"$strings" || { echo "missing: $want"; exit 1; }
done
# The icon went in whole: the resource section holds at least the .ico's images.
size=$(stat -c %s "$out/vesk.o")
ico=$(stat -c %s "$1"/*.ico)
[ "$size" -gt "$ico" ] || { echo "the icon is missing"; exit 1; }
# The 32 x 32 entry is the 16-colour picture itself, a 4-bit bitmap, not a PNG.
/usr/bin/python3 - "$1"/*.ico <<'PY' || { echo "the 32 x 32 entry is not a 16-colour bitmap"; exit 1; }
import struct, sys
d = open(sys.argv[1], 'rb').read()
for i in range(struct.unpack('<H', d[4:6])[0]):
    w, h, colours, _, _, bits, size, at = struct.unpack('<BBBBHHII', d[6 + 16 * i:22 + 16 * i])
    if (w, h) == (32, 32):
        header = struct.unpack('<IiiHH', d[at:at + 16])
        sys.exit(0 if colours == 16 and bits == 4 and header == (40, 32, 64, 1, 4) else 1)
sys.exit(1)
PY
echo "1 passed, 0 failed"
