#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
# SPDX-License-Identifier: MIT
# The calculator as a web page, built with Debian's Emscripten.
#   scripts/web.sh build DIR   writes the site (static files, relative
#                              addresses) into DIR, for any static host
#   scripts/web.sh             builds it and serves it on 127.0.0.1:8000
#   scripts/web.sh test        builds it and runs its tests: the shared tables
#                              under node, the page in Chromium, Firefox ESR
#                              and WebKitGTK
#                              (after the Linux build's own tests, whose
#                              figures it compares)
#   BUILD_DIR=dir              the Linux build that makes the icons (default:
#                              build); the page is built in the same name
#                              with -web
#   WERROR=ON                  treat compiler warnings as errors
set -euo pipefail
called_from=$PWD
cd "$(dirname "$0")/.."

scripts/install-deps.sh web
build=${BUILD_DIR:-build}
web=$build-web

# The icons, from the desktop's icon maker.
# A build of its own (nothing but the icon maker) where there is none yet.
[ -f "$build/CMakeCache.txt" ] ||
    cmake -S . -B "$build" -G Ninja -DBUILD_TESTING=OFF -DVESK_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --target make_icons >/dev/null
QT_QPA_PLATFORM=offscreen "$build/packaging/make_icons" --web "$web/icons" 2>/dev/null

figures=$(realpath "$build")/tests/figures.tsv
if [ ! -f "$figures" ]; then
    # The page's test compares the Linux program's figures: without them it
    # cannot run, and a test that cannot run has not passed.
    [ "${1:-serve}" != test ] ||
        { echo "$0 test: no $figures: run the Linux build's tests first (scripts/test.sh)" >&2; exit 1; }
    figures=
fi
emcmake cmake -S . -B "$web" -G Ninja -DCMAKE_BUILD_TYPE=MinSizeRel -DBUILD_TESTING=ON \
    -DVESK_WERROR="${WERROR:-OFF}" -DVESK_WEB_ICONS="$(realpath "$web/icons")" \
    -DVESK_LINUX_FIGURES="$figures" >/dev/null
cmake --build "$web"

case ${1:-serve} in
build)
    [ -n "${2:-}" ] || { echo "usage: $0 build DIR" >&2; exit 2; }
    target=$2
    [[ $target = /* ]] || target=$called_from/$target
    mkdir -p "$target"
    cp "$web"/site/* "$target"/
    echo "The site is in $target"
    ;;
test)
    ctest --test-dir "$web" --output-on-failure --no-tests=error
    ctest --test-dir "$web" -N -R '^web\.page\.' | grep -q 'Total Tests: 3' ||
        { echo "$0 test: the page's test is not in the build" >&2; exit 1; }
    ;;
serve)
    echo "The site: http://127.0.0.1:8000/ (Ctrl+C ends)"
    exec /usr/bin/python3 -m http.server --bind 127.0.0.1 --directory "$web/site" 8000
    ;;
*)
    echo "usage: $0 [build DIR | test]" >&2
    exit 2
    ;;
esac
