#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
# SPDX-License-Identifier: MIT
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
. tests/x_display.sh
start_display --wm
"$vesk" &
app=$!
trap 'kill $app 2>/dev/null; stop_display; rm -rf "$work"' EXIT

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
