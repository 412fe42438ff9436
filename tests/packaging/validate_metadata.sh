#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
# SPDX-License-Identifier: MIT
# The desktop entry and the AppStream metadata pass their validators with no
# error and no warning, the entry's keywords are the program's own words, and
# both carry the program's name and summary in every shipped language.
# Usage: validate_metadata.sh DESKTOP_FILE METAINFO_FILE LINGUAS
set -uo pipefail
for tool in desktop-file-validate appstreamcli; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
status=0
keywords=$(sed -n 's/^Keywords=//p' "$1")
[ "$keywords" = "vesk;factor;speed;light;calculator;" ] || { echo "Keywords: $keywords"; status=1; }
for tag in $(sed 's/#.*//' "$3"); do
    for key in Name Comment Keywords; do
        grep -q "^$key\[$tag\]=." "$1" || { echo "the entry has no $key[$tag]"; status=1; }
    done
    # gettext before 0.22 writes the tag as it stands (pt_BR), later ones in
    # BCP 47 (pt-BR, zh-Hans-CN).
    bcp47=$tag
    [[ $tag = *_* ]] && bcp47="${tag%_*}(-[A-Z][a-z]{3})?-${tag#*_}"
    for element in name summary; do
        grep -qE "<$element xml:lang=\"($tag|$bcp47)\">" "$2" ||
            { echo "the metadata has no $element in $tag"; status=1; }
    done
done
out=$(desktop-file-validate "$1" 2>&1) || status=1
[ -z "$out" ] || { echo "$out"; status=1; }
out=$(appstreamcli validate --no-net "$2" 2>&1) || status=1
echo "$out"
if grep -qE '^(E|W): ' <<<"$out"; then status=1; fi
[ "$status" = 0 ] && echo "2 passed, 0 failed" || echo "0 passed, 1 failed"
exit "$status"
