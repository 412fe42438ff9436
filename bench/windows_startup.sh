#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
# SPDX-License-Identifier: MIT
# The Windows program's start-up under Wine, side by side on one X display
# (Xvfb + openbox) with a warm Wine server: time from launch to the mapped
# main window and resident memory, for vesk.exe and for a bare Win32 window
# of the same size showing one label; then a later copy's hand-over.
# Usage: bench/windows_startup.sh [LINUX_BUILD_DIR] [WINDOWS_BUILD_DIR] [RUNS]
set -euo pipefail
build=${1:-build}
windows=${2:-$build-windows}
runs=${3:-15}
mapwait=$(realpath "$build/bench/vesk_mapwait")
vesk=$(realpath "$windows/app/vesk.exe")
bare=$(realpath "$windows/bench/win32/vesk_bare_window.exe")
session=$(mktemp -d)
trap 'bash "$(dirname "$0")/../tests/win32/wine_session.sh" stop "$session"' EXIT
bash "$(dirname "$0")/../tests/win32/wine_session.sh" start "$session" \
    "$(realpath "$windows/tests/win32/keep_desktop.exe")" >/dev/null
. "$session/env"

# Let the new prefix's own services settle, warm the server and the caches,
# then alternate run by run.
sleep 5
for _ in 1 2 3; do
    "$mapwait" Bare wine "$bare" >/dev/null
    "$mapwait" Vesk wine "$vesk" >/dev/null
done
for _ in $(seq "$runs"); do
    "$mapwait" Bare wine "$bare" >>"$session/bare"
    "$mapwait" Vesk wine "$vesk" >>"$session/vesk"
done

wine "$vesk" >/dev/null 2>&1 &
first=$!
for _ in $(seq 100); do xdotool search --onlyvisible --name '^Vesk$' >/dev/null && break; sleep 0.05; done
for _ in $(seq "$runs"); do
    t0=$(date +%s%N)
    wine "$vesk"
    t1=$(date +%s%N)
    echo "$(((t1 - t0) / 1000))" >>"$session/handover"
done
kill "$first"

median() { sort -n | awk '{a[NR]=$1} END{print (NR%2 ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2)}'; }
bare_ms=$(cut -d' ' -f1 "$session/bare" | median)
vesk_ms=$(cut -d' ' -f1 "$session/vesk" | median)
bare_kib=$(cut -d' ' -f2 "$session/bare" | median)
vesk_kib=$(cut -d' ' -f2 "$session/vesk" | median)
hand_ms=$(awk '{print $1/1000}' "$session/handover" | median)
echo "medians of $runs runs under $(wine --version), warm server, one display, alternating"
printf '%-30s %10s %12s\n' "" "start ms" "resident KiB"
printf '%-30s %10s %12s\n' "bare Win32 window, one label" "$bare_ms" "$bare_kib"
printf '%-30s %10s %12s\n' "vesk.exe" "$vesk_ms" "$vesk_kib"
awk -v v="$vesk_ms" -v b="$bare_ms" -v vk="$vesk_kib" -v bk="$bare_kib" -v h="$hand_ms" 'BEGIN {
    printf "against the bare window:       %.3f (target <= 1.10), %+.2f MiB\n", v / b, (vk - bk) / 1024
    printf "later copy hand-over:          %.1f ms = %.2f x vesk start-up\n", h, h / v
}'
printf 'vesk.exe: %d bytes; imports: %s\n' "$(stat -c %s "$vesk")" \
    "$(x86_64-w64-mingw32-objdump -p "$vesk" | awk '/DLL Name/ {printf "%s ", $3}')"
