#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
# SPDX-License-Identifier: MIT
# Installs what is missing, builds everything and runs every test: the Linux
# program, then the Windows program, its installer and zip, cross-built and
# tested under Wine, then the web page and its zip, tested in Chromium,
# Firefox ESR and WebKitGTK.
#   WERROR=ON      treat compiler warnings as errors
#   BUILD_DIR=dir  where to build (default: build; the Windows build goes to
#                  the same name with -windows, the web page's with -web)
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh test
build=${BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DBUILD_TESTING=ON -DVESK_BUILD_BENCH=AUTO \
    -DVESK_WERROR="${WERROR:-OFF}" ${CMAKE_ARGS:-} >/dev/null
cmake --build "$build"
ctest --test-dir "$build" --output-on-failure -j "$(nproc)"

windows=$build-windows
cmake -S . -B "$windows" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
    -DBUILD_TESTING=ON -DVESK_WERROR="${WERROR:-OFF}" \
    -DVESK_LINUX_FIGURES="$(realpath "$build")/tests/figures.tsv" >/dev/null
cmake --build "$windows"
ctest --test-dir "$windows" --output-on-failure

BUILD_DIR=$build scripts/web.sh test
