#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
# SPDX-License-Identifier: MIT
# The program as a native Wayland client of a headless compositor (mutter, as
# on GNOME), read back from the Wayland protocol log: its window, and the
# launch token a later copy passes on.
# Usage: wayland_test.sh PATH/TO/vesk
set -uo pipefail
vesk=$1
. "$(dirname "$0")/../checks.sh"

command -v mutter >/dev/null || { echo "SKIP: mutter is not installed"; exit 77; }
command -v dbus-run-session >/dev/null || { echo "SKIP: dbus-run-session is not installed"; exit 77; }
ls /usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so >/dev/null 2>&1 ||
    { echo "SKIP: the toolkit's Wayland platform (qt6-wayland) is not installed"; exit 77; }

work=$(mktemp -d)
chmod 700 "$work"
export XDG_RUNTIME_DIR=$work
unset DISPLAY DESKTOP_STARTUP_ID XDG_ACTIVATION_TOKEN
export WAYLAND_DISPLAY=vesk-test QT_QPA_PLATFORM=wayland
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill -KILL -- "$pid" 2>/dev/null; done
    rm -rf "$work"
}
trap cleanup EXIT

logged() { grep -qF -- "$1" "$work/first.log"; }

# The compositor in a session of its own, ended as a whole.
setsid dbus-run-session -- mutter --headless --virtual-monitor 1024x768 \
    --wayland-display "$WAYLAND_DISPLAY" >"$work/mutter.log" 2>&1 &
pids+=("-$!")
soon test -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" || { echo "the compositor did not start"; exit 1; }

WAYLAND_DEBUG=1 "$vesk" >"$work/first.log" 2>&1 &
first=$!
pids+=("$first")
check "a native toplevel titled Vesk" soon logged '.set_title("Vesk")'
check "its app id is org.veskcalculator.Vesk" logged '.set_app_id("org.veskcalculator.Vesk")'
check "its minimum size is 315 x 139" logged '.set_min_size(315, 139)'
check "its maximum size is 315 x 139" logged '.set_max_size(315, 139)'

token=vesk-token-$RANDOM
start=$(date +%s%N)
XDG_ACTIVATION_TOKEN=$token timeout 5 "$vesk" >"$work/second.out" 2>&1
rc=$?
ms=$((($(date +%s%N) - start) / 1000000))
check "a later copy with a launch token ends with status 0 within 2 s ($ms ms)" \
    [ "$rc" = 0 ] && [ "$ms" -lt 2000 ]
check "and prints nothing" [ ! -s "$work/second.out" ]
check "the running copy passes the token to the compositor" \
    soon grep -qE "xdg_activation_v1[@#][0-9]+\.activate\(\"$token\", wl_surface[@#][0-9]+\)" "$work/first.log"
check "the running copy keeps running" kill -0 "$first"

summary
