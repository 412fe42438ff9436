#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
# SPDX-License-Identifier: MIT
# Every file of the tree says its copyright and licence (the REUSE rules).
# Usage: reuse_test.sh SOURCE_DIR
set -uo pipefail
command -v reuse >/dev/null || { echo "SKIP: reuse is not installed"; exit 77; }
reuse --root "$1" lint
