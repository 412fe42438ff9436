# Sourced by the scripts that want an X display of their own. Expects $work, a
# private temporary directory; stop_display ends what start_display started.
#   start_display [--wm]   starts Xvfb (and the openbox window manager) and
#                          exports DISPLAY

display_pids=()

start_display() {
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
    display_pids+=($!)
    disown $!
    for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
    DISPLAY=:$(cat "$work/display")
    export DISPLAY
    if [ "${1:-}" = --wm ]; then
        openbox --sm-disable >/dev/null 2>&1 &
        display_pids+=($!)
        disown $!
        for _ in $(seq 100); do wmctrl -m >/dev/null 2>&1 && break; sleep 0.05; done
    fi
}

stop_display() {
    [ "${#display_pids[@]}" -eq 0 ] || kill -KILL "${display_pids[@]}" 2>/dev/null || true
}
