#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
# SPDX-License-Identifier: MIT
# Installs what is missing, builds everything and runs every test.
#   WERROR=ON      treat compiler warnings as errors
#   BUILD_DIR=dir  where to build (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh test
build=${BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DBUILD_TESTING=ON -DVESK_BUILD_BENCH=AUTO \
    -DVESK_WERROR="${WERROR:-OFF}" ${CMAKE_ARGS:-} >/dev/null
cmake --build "$build"
ctest --test-dir "$build" --output-on-failure -j "$(nproc)"
