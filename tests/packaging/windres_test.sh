#!/usr/bin/env bash
# The Windows resource script compiles with Debian's cross resource compiler
# and carries the version and the product name.
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
echo "1 passed, 0 failed"
