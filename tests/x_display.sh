# SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
# SPDX-License-Identifier: MIT
# Every X display of the tests, and of the scripts that want one of their
# own, is started here, one way: Xvfb chooses a free display number itself
# (-displayfd) and says which once it listens. A number chosen by looking for
# lock files could be taken already by an X server that those files do not
# show, such as one outside a chroot that shares this one's network and so
# its abstract sockets.
#
# Sourced, with $work a private temporary directory; stop_display ends what
# start_display started:
#   start_display [--wm [openbox|mutter]]
#       starts Xvfb and exports DISPLAY; with --wm, also a window manager:
#       openbox (the default), or mutter as on GNOME, in X11 mode, with a
#       session bus of its own
# Run, to give one command a display, ended with it:
#   x_display.sh [--wm [openbox|mutter]] COMMAND...

display_pids=()

start_display() {
    : >"$work/display"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
    display_pids+=($!)
    disown $!
    for _ in $(seq 200); do [ -s "$work/display" ] && break; sleep 0.05; done
    [ -s "$work/display" ] || { echo "Xvfb did not start: $(tail -c 300 "$work/xvfb.log")" >&2; return 1; }
    DISPLAY=:$(cat "$work/display")
    export DISPLAY
    [ "${1:-}" = --wm ] && { start_window_manager "${2:-openbox}" || return 1; }
    return 0
}

# Each window manager runs in a session of its own, ended as a whole with
# whatever it started.
start_window_manager() {
    case $1 in
    openbox) setsid openbox --sm-disable >"$work/wm.log" 2>&1 & ;;
    mutter) setsid dbus-run-session -- mutter --x11 --replace --sm-disable >"$work/wm.log" 2>&1 & ;;
    *) echo "unknown window manager: $1" >&2; return 1 ;;
    esac
    display_pids+=("-$!")
    disown $!
    for _ in $(seq 200); do wmctrl -m >/dev/null 2>&1 && return 0; sleep 0.05; done
    echo "the window manager $1 did not start" >&2
    return 1
}

stop_display() {
    end_display_pids "${display_pids[@]}"
    display_pids=()
    return 0
}

# end_display_pids PID...: a process group (-PGID) is killed at once; the X
# server is asked to end, so that it takes its lock file and socket with it
# (another X server would otherwise find them), and killed if it has not
# within a second.
end_display_pids() {
    local pid
    for pid in "$@"; do
        if [ "${pid#-}" != "$pid" ]; then
            kill -KILL -- "$pid" 2>/dev/null
            continue
        fi
        kill -TERM "$pid" 2>/dev/null || continue
        for _ in $(seq 20); do kill -0 "$pid" 2>/dev/null || break; sleep 0.05; done
        kill -KILL "$pid" 2>/dev/null
    done
    return 0
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
    work=$(mktemp -d)
    trap 'stop_display; rm -rf "$work"' EXIT
    with=()
    if [ "${1:-}" = --wm ]; then
        with=(--wm "$2")
        shift 2
    fi
    start_display "${with[@]}" || exit 1
    "$@"
    exit
fi
