#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
# SPDX-License-Identifier: MIT
# Start-up side by side on one X display (Xvfb + openbox): time from launch to
# the mapped main window and resident memory, for the calculator, for a bare
# Qt window of the same size (empty, and showing one label: any window that
# shows text pays for loading the fonts) and for the calculator's own windows
# made in plain Qt and nothing else (the floor of any Qt build of them); the
# instructions each runs up to its shown window (callgrind); the shared
# objects each maps; then the time a second copy takes to hand over, alone
# and under a flood of connections from 12 processes.
# The calculator started in another language (BENCH_LANGUAGE, German unless
# set) is measured beside it in English, and beside the same controls showing
# that language's texts (what any program pays for its script's fonts): time,
# instructions, shared objects.
# Usage: bench/startup.sh [BUILD_DIR] [RUNS]
set -euo pipefail
build=${1:-build}
runs=${2:-15}
mapwait=$build/bench/vesk_mapwait
bare=$build/bench/vesk_bare_window
same=$build/bench/vesk_same_controls
vesk=$build/app/vesk
flood=$build/bench/vesk_flood
other=${BENCH_LANGUAGE:-de}
other_locale=$(awk -v t="$other" '$1 == t {print $2}' "$(dirname "$0")/../tests/locales.txt")
in_other() { LANGUAGE=$other LANG=${other_locale:-C.UTF-8} LC_ALL= "$@"; }

work=$(mktemp -d)
chmod 700 "$work"
export XDG_RUNTIME_DIR=$work
unset WAYLAND_DISPLAY QT_QPA_PLATFORM
. "$(dirname "$0")/../tests/x_display.sh"
trap 'stop_display; rm -rf "$work"' EXIT
start_display --wm
# The other language's texts, for the same controls: English then translation,
# each ended by a NUL.
msgexec -i "$(dirname "$0")/../po/$other.po" \
    sh -c '[ -n "$MSGEXEC_MSGID" ] && printf "%s\0" "$MSGEXEC_MSGID" && cat && printf "\0"; :' \
    >"$work/texts"

# Warm the caches once (noting what each maps), then alternate run by run.
MAPWAIT_LIBS=$work/bare.libs "$mapwait" Bare "$bare" --text >/dev/null
MAPWAIT_LIBS=$work/vesk.libs "$mapwait" Vesk "$vesk" >/dev/null
MAPWAIT_LIBS=$work/other.libs in_other "$mapwait" Vesk "$vesk" >/dev/null
"$mapwait" Vesk "$same" >/dev/null
for _ in $(seq "$runs"); do
    "$mapwait" Bare "$bare" >>"$work/bare"
    "$mapwait" Bare "$bare" --text >>"$work/text"
    "$mapwait" Vesk "$same" >>"$work/same"
    "$mapwait" Vesk "$vesk" >>"$work/vesk"
    in_other "$mapwait" Vesk "$vesk" >>"$work/other"
    in_other "$mapwait" Vesk "$same" --texts "$work/texts" >>"$work/same_other"
done

# Instructions up to the shown window: each program under callgrind until its
# window is on the screen and a second more (its first paint done, its loop
# idle), when the count is taken, before it is ended; three rounds, alternating.
instructions() { # instructions PROGRAM [ARGS...]: prints the count
    valgrind --tool=callgrind --callgrind-out-file="$work/cg.%p" "$@" >/dev/null 2>&1 &
    local pid=$! at
    for _ in $(seq 1200); do
        xdotool search --onlyvisible --name '^(Vesk|Bare)$' >/dev/null 2>&1 && break
        sleep 0.05
    done
    sleep 1
    callgrind_control -d "$pid" >/dev/null 2>&1
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    at=$(sed -n 's/^summary: //p' "$work/cg.$pid".* | head -1)
    rm -f "$work/cg.$pid".*
    echo "${at:-0}"
}
if command -v valgrind >/dev/null && command -v callgrind_control >/dev/null; then
    for _ in 1 2 3; do
        instructions "$bare" --text >>"$work/text.ir"
        instructions "$same" >>"$work/same.ir"
        instructions "$vesk" >>"$work/vesk.ir"
        in_other instructions "$vesk" >>"$work/other.ir"
        in_other instructions "$same" --texts "$work/texts" >>"$work/same_other.ir"
    done
fi

# Hand-over: a second copy against a running first copy, launch to exit.
"$vesk" &
first=$!
for _ in $(seq 100); do [ -S "$XDG_RUNTIME_DIR"/vesk-*.socket ] 2>/dev/null && break; sleep 0.05; done
sleep 0.3
later_copies() { # later_copies FILE: microseconds from launch to exit, one a line
    for _ in $(seq "$runs"); do
        t0=$(date +%s%N)
        "$vesk"
        t1=$(date +%s%N)
        echo "$(((t1 - t0) / 1000)) " >>"$1"
    done
}
later_copies "$work/handover"
# The same while 12 processes connect and hang up as fast as they can: the
# requests alone, as a later copy makes them, and then whole later copies.
socket=$(echo "$XDG_RUNTIME_DIR"/vesk-*.socket)
"$flood" "$socket" 12 "$runs" >"$work/asked"
"$flood" "$socket" 12 0 &
flooding=$!
sleep 0.5
later_copies "$work/flooded"
kill "$flooding"
wait "$flooding" || true
kill "$first"

# The command line: --version, from process start to exit, with no display.
for _ in $(seq "$runs"); do
    t0=$(date +%s%N)
    env -u DISPLAY "$vesk" --version >/dev/null
    t1=$(date +%s%N)
    echo "$(((t1 - t0) / 1000)) " >>"$work/version"
done

median() { sort -n | awk '{a[NR]=$1} END{print (NR%2 ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2)}'; }
bare_ms=$(cut -d' ' -f1 "$work/bare" | median)
vesk_ms=$(cut -d' ' -f1 "$work/vesk" | median)
bare_kib=$(cut -d' ' -f2 "$work/bare" | median)
text_ms=$(cut -d' ' -f1 "$work/text" | median)
text_kib=$(cut -d' ' -f2 "$work/text" | median)
vesk_kib=$(cut -d' ' -f2 "$work/vesk" | median)
same_ms=$(cut -d' ' -f1 "$work/same" | median)
same_kib=$(cut -d' ' -f2 "$work/same" | median)
other_ms=$(cut -d' ' -f1 "$work/other" | median)
other_kib=$(cut -d' ' -f2 "$work/other" | median)
same_other_ms=$(cut -d' ' -f1 "$work/same_other" | median)
same_other_kib=$(cut -d' ' -f2 "$work/same_other" | median)
hand_ms=$(awk '{print $1/1000}' "$work/handover" | median)
flooded_ms=$(awk '{print $1/1000}' "$work/flooded" | median)
flooded_max=$(awk '{print $1/1000}' "$work/flooded" | sort -n | tail -1)
asked_ms=$(cut -d' ' -f1 "$work/asked" | median)
asked_max=$(cut -d' ' -f1 "$work/asked" | sort -n | tail -1)
answered=$(grep -c ' FOUND$' "$work/asked" || true)
version_ms=$(awk '{print $1/1000}' "$work/version" | median)

echo "medians of $runs runs, one display, alternating"
printf '%-28s %10s %12s\n' "" "start ms" "resident KiB"
printf '%-28s %10s %12s\n' "bare Qt window" "$bare_ms" "$bare_kib"
printf '%-28s %10s %12s\n' "bare window, one label" "$text_ms" "$text_kib"
printf '%-28s %10s %12s\n' "same controls, nothing else" "$same_ms" "$same_kib"
printf '%-28s %10s %12s\n' "vesk" "$vesk_ms" "$vesk_kib"
printf '%-28s %10s %12s\n' "same controls in $other" "$same_other_ms" "$same_other_kib"
printf '%-28s %10s %12s\n' "vesk in $other" "$other_ms" "$other_kib"
awk -v v="$vesk_ms" -v b="$bare_ms" -v vk="$vesk_kib" -v bk="$bare_kib" -v h="$hand_ms" \
    -v t="$text_ms" -v tk="$text_kib" 'BEGIN {
    printf "against the empty window:      %.3f, %+.2f MiB\n", v / b, (vk - bk) / 1024
    printf "against the one-label window:  %.3f (target <= 1.08), %+.2f MiB (target <= 2)\n",
        v / t, (vk - tk) / 1024
    printf "second copy hand-over:         %.1f ms = %.2f x vesk start-up (target <= 0.8)\n", h, h / v
}'
awk -v v="$vesk_ms" -v s="$same_ms" -v vk="$vesk_kib" -v sk="$same_kib" \
    -v o="$other_ms" -v so="$same_other_ms" -v l="$other" 'BEGIN {
    printf "against the same controls:     %.3f (target <= 1.05), %+.2f MiB (target <= 1)\n",
        v / s, (vk - sk) / 1024
    printf "%-31s%.3f\n", "in " l ", against the same:", o / so
}'
if [ -s "$work/vesk.ir" ]; then
    text_ir=$(median <"$work/text.ir")
    same_ir=$(median <"$work/same.ir")
    vesk_ir=$(median <"$work/vesk.ir")
    other_ir=$(median <"$work/other.ir")
    same_other_ir=$(median <"$work/same_other.ir")
    awk -v t="$text_ir" -v s="$same_ir" -v v="$vesk_ir" -v o="$other_ir" -v l="$other" \
        -v so="$same_other_ir" 'BEGIN {
        printf "instructions to the shown window (median of 3, millions):\n"
        printf "  bare window, one label %8.1f\n  same controls          %8.1f\n  vesk                   %8.1f\n",
            t / 1e6, s / 1e6, v / 1e6
        printf "  %-22s %8.1f\n", "same controls in " l, so / 1e6
        printf "  %-22s %8.1f\n", "vesk in " l, o / 1e6
        printf "  vesk against the same controls: %.3f (target <= 1.02)\n", v / s
        printf "  %-31s %.3f (target <= 1.02)\n", "vesk in " l " against English:", o / v
        printf "  %-31s %.3f (its fonts alone: %.3f)\n", "  ... against same in " l ":", o / so, so / s
    }'
fi
echo "under a 12-process flood:"
echo "  requests answered:           $answered of $runs, in $asked_ms ms (slowest $asked_max; deadline 2000)"
echo "  second copy hand-over:       $flooded_ms ms (slowest $flooded_max), CPU shared with the flood"
echo "vesk --version, start to exit: $version_ms ms"
libs() { sed 's|.*/||' "$1" | sort -u; }
extra_mapped=$(comm -13 <(libs "$work/bare.libs") <(libs "$work/vesk.libs"))
extra_linked=$(comm -13 <(ldd "$bare" | awk '{print $1}' | sort -u) <(ldd "$vesk" | awk '{print $1}' | sort -u))
echo "shared objects mapped:         $(wc -l <"$work/vesk.libs") vesk, $(wc -l <"$work/bare.libs") one-label window"
echo "mapped by vesk only:           ${extra_mapped:-none}"
other_mapped=$(comm -13 <(libs "$work/vesk.libs") <(libs "$work/other.libs"))
printf '%-31s%s\n' "mapped in $other, not English:" "${other_mapped:-none}"
echo "linked (ldd) by vesk only:     ${extra_linked:-none}"
