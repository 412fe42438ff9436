#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
# SPDX-License-Identifier: MIT
# The desktop entry and the AppStream metadata pass their validators with no
# error and no warning, and the entry's keywords are the program's own words.
# Usage: validate_metadata.sh DESKTOP_FILE METAINFO_FILE
set -uo pipefail
for tool in desktop-file-validate appstreamcli; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
status=0
keywords=$(sed -n 's/^Keywords=//p' "$1")
[ "$keywords" = "vesk;factor;speed;light;calculator;" ] || { echo "Keywords: $keywords"; status=1; }
out=$(desktop-file-validate "$1" 2>&1) || status=1
[ -z "$out" ] || { echo "$out"; status=1; }
out=$(appstreamcli validate --no-net "$2" 2>&1) || status=1
echo "$out"
if grep -qE '^(E|W): ' <<<"$out"; then status=1; fi
[ "$status" = 0 ] && echo "2 passed, 0 failed" || echo "0 passed, 1 failed"
exit "$status"
