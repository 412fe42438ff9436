#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
# SPDX-License-Identifier: MIT
# Installs what is missing, builds the calculator and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh run
cmake -S . -B build -G Ninja -DBUILD_TESTING=OFF -DVESK_BUILD_BENCH=OFF >/dev/null
cmake --build build --target vesk
exec build/app/vesk
