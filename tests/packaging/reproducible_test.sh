#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
# SPDX-License-Identifier: MIT
# Two builds of one commit, in two build folders at two times, give the same
# package, byte for byte: the package of the build at hand against one made
# afresh in a folder of its own.
# Usage: reproducible_test.sh SOURCE_DIR BUILD_DIR
set -uo pipefail
source=$1
build=$(realpath "$2")
for tool in cpack dpkg-deb cmake; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

package() { # package BUILD_DIR OUT_DIR
    mkdir -p "$2" && (cd "$2" && cpack -G DEB --config "$1/CPackConfig.cmake" >cpack.log 2>&1) ||
        { cat "$2/cpack.log"; exit 1; }
}
package "$build" "$work/first"
generator=$(sed -n 's/^CMAKE_GENERATOR:INTERNAL=//p' "$build/CMakeCache.txt")
cmake -S "$source" -B "$work/second-build" -G "$generator" -DBUILD_TESTING=OFF \
    -DVESK_BUILD_BENCH=OFF >"$work/configure.log" 2>&1 || { cat "$work/configure.log"; exit 1; }
cmake --build "$work/second-build" >"$work/build.log" 2>&1 || { tail -n 30 "$work/build.log"; exit 1; }
package "$work/second-build" "$work/second"
first=$(sha256sum "$work"/first/*.deb | cut -d' ' -f1)
second=$(sha256sum "$work"/second/*.deb | cut -d' ' -f1)
echo "first:  $first"
echo "second: $second"
if [ "$first" = "$second" ]; then
    echo "1 passed, 0 failed"
else
    diff <(dpkg-deb -c "$work"/first/*.deb) <(dpkg-deb -c "$work"/second/*.deb)
    echo "0 passed, 1 failed"
    exit 1
fi
