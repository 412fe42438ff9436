#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
# SPDX-License-Identifier: MIT
# Runs the screen-reader check on a display and accessibility bus of its own.
# Usage: atspi_test.sh PATH/TO/vesk
set -uo pipefail
vesk=$1
here=$(dirname "$0")
launcher=/usr/libexec/at-spi-bus-launcher
for tool in Xvfb openbox xdotool dbus-run-session "$launcher" /usr/bin/python3; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || { echo "SKIP: no pyatspi"; exit 77; }

if [ -z "${VESK_IN_SESSION:-}" ]; then
    VESK_IN_SESSION=1 exec dbus-run-session -- bash "$0" "$@"
fi

work=$(mktemp -d)
chmod 700 "$work"
pids=()
# The bus launcher starts a bus daemon of its own: both run in a process group
# of their own, ended as a whole.
trap 'for p in "${pids[@]}"; do kill -KILL -- "-$p" "$p" 2>/dev/null; done; stop_display; rm -rf "$work"' EXIT
. "$here/../x_display.sh"
start_display --wm
mkdir -m 700 "$work/runtime"
export XDG_RUNTIME_DIR=$work/runtime
setsid "$launcher" --launch-immediately >/dev/null 2>&1 &
disown $!
pids+=($!)

QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$vesk" &
disown $!
pids+=($!)
xdotool search --sync --onlyvisible --name '^Vesk$' >/dev/null
xdotool windowactivate --sync "$(xdotool search --onlyvisible --name '^Vesk$' | head -n 1)"
/usr/bin/python3 "$here/atspi_check.py"
