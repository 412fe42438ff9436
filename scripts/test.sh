#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
# SPDX-License-Identifier: MIT
# Installs what is missing, builds everything and runs every test, one CMake
# preset after another (CMakePresets.json): the Linux program in build/, then
# the Windows program, its installer and zip in build-windows/, cross-built
# and tested under Wine, then the web page and its zip in build-web/, tested
# under node and in Chromium, Firefox ESR and WebKitGTK. Each of the three
# builds stands alone; here the later two take the programs they run while
# building (the icon maker, the figures) from the Linux build rather than
# making their own.
#   WERROR=ON      treat compiler warnings as errors
#   CCACHE_DIR=DIR compile through ccache, with its cache in DIR (as CI
#                  does, between its runs), whatever folder the clone is in
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh test
. scripts/ccache.sh
for preset in linux windows web; do
    echo "== $preset"
    arguments=(-DVESK_WERROR="${WERROR:-OFF}")
    [ "$preset" = linux ] || arguments+=(-DVESK_HOST_TOOLS_DIR="$PWD/build")
    arguments+=("${launchers[@]}")
    cmake --preset "$preset" "${arguments[@]}" >/dev/null
    cmake --build --preset "$preset"
    # (The Wine tests take turns by themselves; each page test has a browser
    # of its own, and spends most of its time waiting on it.)
    jobs=$(nproc)
    [ "$preset" != web ] || jobs=$((jobs + 1))
    ctest --preset "$preset" -j "$jobs"
done
