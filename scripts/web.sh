#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
# SPDX-License-Identifier: MIT
# The calculator as a web page, built with Debian's Emscripten in build-web/
# (the CMake preset "web"), needing no other build.
#   scripts/web.sh build DIR   writes the site (static files, relative
#                              addresses) into DIR, for any static host
#   scripts/web.sh             builds it and serves it on 127.0.0.1:8000
#   scripts/web.sh test        builds it and runs its tests: the shared tables
#                              under node, the page in Chromium, Firefox ESR
#                              and WebKitGTK
#   WERROR=ON                  treat compiler warnings as errors
set -euo pipefail
called_from=$PWD
cd "$(dirname "$0")/.."

scripts/install-deps.sh web
cmake --preset web -DVESK_WERROR="${WERROR:-OFF}" >/dev/null
cmake --build --preset web

case ${1:-serve} in
build)
    [ -n "${2:-}" ] || { echo "usage: $0 build DIR" >&2; exit 2; }
    target=$2
    [[ $target = /* ]] || target=$called_from/$target
    mkdir -p "$target"
    cp build-web/site/* "$target"/
    echo "The site is in $target"
    ;;
test)
    ctest --preset web
    ;;
serve)
    echo "The site: http://127.0.0.1:8000/ (Ctrl+C ends)"
    exec /usr/bin/python3 -m http.server --bind 127.0.0.1 --directory build-web/site 8000
    ;;
*)
    echo "usage: $0 [build DIR | test]" >&2
    exit 2
    ;;
esac
