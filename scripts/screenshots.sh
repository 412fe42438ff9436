#!/usr/bin/env bash
# Remakes docs/main-window.png and docs/about-window.png: the program on an X
# display of its own (Xvfb + openbox), with a factor entered.
# Usage: scripts/screenshots.sh [PATH/TO/vesk]
set -euo pipefail
cd "$(dirname "$0")/.."
vesk=${1:-build/app/vesk}

work=$(mktemp -d)
chmod 700 "$work"
export XDG_RUNTIME_DIR=$work
unset WAYLAND_DISPLAY QT_QPA_PLATFORM
Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
export DISPLAY=:$(cat "$work/display")
openbox --sm-disable >/dev/null 2>&1 &
ob=$!
"$vesk" &
app=$!
trap 'kill $app $ob $xvfb 2>/dev/null; rm -rf "$work"' EXIT

win=$(xdotool search --sync --onlyvisible --name '^Vesk$' | head -n 1)
xdotool windowactivate --sync "$win"
xdotool key Tab Tab ctrl+a
xdotool type --delay 20 '9.5'
xdotool key Return
sleep 0.5
mkdir -p docs
import -frame -window "$win" docs/main-window.png
xdotool key alt+a
about=$(xdotool search --sync --onlyvisible --name '^About$' | head -n 1)
sleep 0.5
import -frame -window "$about" docs/about-window.png
echo "wrote docs/main-window.png and docs/about-window.png"
