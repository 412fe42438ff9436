#!/usr/bin/env bash
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
trap 'for p in "${pids[@]}"; do kill -KILL "$p" 2>/dev/null; done; rm -rf "$work"' EXIT
Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
disown $!
pids+=($!)
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
export DISPLAY=:$(cat "$work/display")
openbox --sm-disable >/dev/null 2>&1 &
disown $!
pids+=($!)
"$launcher" --launch-immediately >/dev/null 2>&1 &
disown $!
pids+=($!)
for _ in $(seq 100); do wmctrl -m >/dev/null 2>&1 && break; sleep 0.05; done

mkdir -m 700 "$work/runtime"
XDG_RUNTIME_DIR=$work/runtime QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$vesk" &
disown $!
pids+=($!)
xdotool search --sync --onlyvisible --name '^Vesk$' >/dev/null
xdotool windowactivate --sync "$(xdotool search --onlyvisible --name '^Vesk$' | head -n 1)"
/usr/bin/python3 "$here/atspi_check.py"
