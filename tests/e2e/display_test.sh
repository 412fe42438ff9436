#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
# SPDX-License-Identifier: MIT
# The real program on a real X display with a real window manager, driven with
# xdotool and read back with xprop, xwininfo, wmctrl and screenshots: one table
# of scenarios, run under the window manager named.
# Usage: display_test.sh openbox|mutter PATH/TO/vesk PATH/TO/xprobe
set -uo pipefail

wm=$1
vesk=$2
xprobe=$3
check_label=$wm
. "$(dirname "$0")/../checks.sh"
pids=()

for tool in Xvfb "$wm" xdotool xprop xwininfo wmctrl import convert dbus-run-session; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

work=$(mktemp -d)
chmod 700 "$work"
export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset WAYLAND_DISPLAY QT_QPA_PLATFORM DESKTOP_STARTUP_ID XDG_ACTIVATION_TOKEN

. "$(dirname "$0")/../x_display.sh"
cleanup() {
    for pid in "${pids[@]}"; do
        kill -CONT "$pid" 2>/dev/null
        kill -KILL "$pid" 2>/dev/null
    done
    stop_display
    rm -rf "$work"
}
trap cleanup EXIT
trap 'echo "FAIL   out of time [$wm]"; exit 1' TERM
(sleep 110 && kill -TERM $$) >/dev/null 2>&1 &
pids+=($!)
start_display --wm "$wm" || exit 1

spawn() { # spawn COMMAND...: runs in the background, remembered for cleanup
    "$@" >>"$work/out.log" 2>>"$work/err.log" &
    last=$!
    disown "$last"
    pids+=("$last")
}

# Visible windows whose title is exactly $1 (xdotool's own search ignores case),
# leaving out the frames that newer mutters draw as windows of their own,
# titled like the window they frame.
windows_named() {
    local id
    for id in $(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null); do
        [ "$(xprop -id "$id" _NET_WM_NAME 2>/dev/null)" = "_NET_WM_NAME(UTF8_STRING) = \"$1\"" ] &&
            ! xprop -id "$id" WM_CLASS 2>/dev/null | grep -q '"mutter-x11-frames"' && echo "$id"
    done
}

wait_window() { # wait_window TITLE: prints its id once it is mapped
    local id
    for _ in $(seq 100); do
        id=$(windows_named "$1" | head -n 1)
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.05
    done
    return 1
}

gone() { ! kill -0 "$1" 2>/dev/null; }

start_vesk() {
    spawn "$vesk"
    vesk_pid=$last
    win=$(wait_window Vesk) || { echo "no window"; return 1; }
    xdotool windowactivate --sync "$win" 2>/dev/null
    soon is_active "$win"
}

stop_vesk() { kill -KILL "$vesk_pid" 2>/dev/null; soon gone "$vesk_pid"; }

# Given an empty window id, xwininfo and xprop would wait for a click instead.
xwininfo() { [ "${1:-}" = -id ] && [ -z "${2:-}" ] && return 1; command xwininfo "$@"; }
xprop() { [ "${1:-}" = -id ] && [ -z "${2:-}" ] && return 1; command xprop "$@"; }
export -f xwininfo xprop

client_size() { [ -n "$1" ] && xwininfo -id "$1" | awk '/Width:/{w=$2} /Height:/{h=$2} END{print w "x" h}'; }
client_origin() { [ -n "$1" ] && xwininfo -id "$1" | awk '/Absolute upper-left X:/{x=$4} /Absolute upper-left Y:/{y=$4} END{print x, y}'; }

frame_origin() {
    local x y l t
    [ -n "$1" ] || return 1
    read -r x y < <(client_origin "$1")
    read -r l _ t _ < <(xprop -id "$1" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')
    echo "$((x - l)),$((y - t))"
}

active_window() { printf '%d\n' "$(xprop -root _NET_ACTIVE_WINDOW | awk '{print $NF}')"; }
is_active() { [ "$(active_window)" = "$1" ]; }
map_state() { [ -n "$1" ] && xwininfo -id "$1" 2>/dev/null | awk '/Map State:/{print $3}'; }
is_unmapped() { [ "$(map_state "$1")" = IsUnMapped ]; }
minimised() { [ -n "$1" ] && xprop -id "$1" _NET_WM_STATE | grep -q HIDDEN; }
viewable() { [ "$(map_state "$1")" = IsViewable ]; }
on_desktop() { [ "$(wmctrl -d | awk '$2 == "*" {print $1}')" = "$1" ]; }
same_corner() { [ "$(frame_origin "$1")" = "$(frame_origin "$2")" ]; }

# A click at a point of a window's client area, as a user would make it.
click_at() { # click_at WINDOW X Y [BUTTON]
    local x y
    [ -n "$1" ] || return 1
    read -r x y < <(client_origin "$1")
    xdotool mousemove --sync $((x + $2)) $((y + $3)) click "${4:-1}"
}

# What a part of a window's client area shows, as a checksum of its pixels.
looks() { # looks WINDOW X Y WIDTH HEIGHT
    [ -n "$1" ] || return 1
    import -window "$1" png:- 2>/dev/null | convert png:- -crop "${4}x${5}+${2}+${3}" +repage rgb:- |
        md5sum | cut -d' ' -f1
}
changed() { [ "$(looks "$@")" != "$was" ]; } # changed WINDOW X Y WIDTH HEIGHT, against $was
unchanged() { ! changed "$@"; }

restored() { # restored WINDOW: shown, normal size, not minimised, active
    [ "$(map_state "$1")" = IsViewable ] && ! minimised "$1" &&
        xprop -id "$1" WM_STATE | grep -q 'Normal' && [ "$(client_size "$1")" = "315x139" ] &&
        is_active "$1"
}

# A later copy, started with the environment given; sets second_rc and
# second_ms, and notes any window ever titled "bye bye" while it runs.
second_args=() # arguments for the later copy
second_copy() { # second_copy [NAME=VALUE...]
    : >"$work/byebye"
    local t0 t1
    t0=$(date +%s%N)
    env "$@" "$vesk" "${second_args[@]}" >"$work/second.out" 2>&1 &
    local pid=$!
    while kill -0 "$pid" 2>/dev/null; do
        xdotool search --name '^bye bye$' >>"$work/byebye" 2>/dev/null
    done
    wait "$pid"
    second_rc=$?
    t1=$(date +%s%N)
    second_ms=$(((t1 - t0) / 1000000))
}

handed_over_silently() {
    [ "$second_rc" = 0 ] && [ "$second_ms" -lt 2000 ] && [ ! -s "$work/second.out" ] &&
        [ ! -s "$work/byebye" ]
}

another_window() { # another_window: a window the user has just clicked and typed into
    spawn "$xprobe" window "another window"
    other_pid=$last
    other=$(wait_window "another window")
    click_at "$other" 10 10
    soon is_active "$other"
    xdotool key --clearmodifiers a
}

## The scenarios

main_window() {
    start_vesk
    check "title is exactly Vesk" [ "$(xprop -id "$win" WM_NAME)" = 'WM_NAME(STRING) = "Vesk"' ]
    check "client area is 315 x 139" [ "$(client_size "$win")" = "315x139" ]
    check "cannot be maximised" bash -c "! xprop -id $win _NET_WM_ALLOWED_ACTIONS | grep -q MAXIMIZE"
    xdotool windowsize "$win" 600 400
    sleep 0.2
    check "cannot be resized" [ "$(client_size "$win")" = "315x139" ]
    stop_vesk
}

keys_and_close_box_end_it() {
    start_vesk
    xdotool key --clearmodifiers alt+x
    check "Alt+X ends the program" soon gone "$vesk_pid"
    start_vesk
    xdotool key --clearmodifiers space
    check "Space on the first-focused Exit ends the program" soon gone "$vesk_pid"
    start_vesk
    wmctrl -i -c "$win"
    check "the close box ends the program" soon gone "$vesk_pid"
    stop_vesk
}

about_window() {
    start_vesk
    xdotool key --clearmodifiers alt+a
    about=$(wait_window About)
    check "Alt+A shows the About window" [ -n "$about" ]
    check "its client area is 281 x 226" [ "$(client_size "$about")" = "281x226" ]
    check "it is modal" bash -c "xprop -id $about _NET_WM_STATE | grep -q _NET_WM_STATE_MODAL"
    # The scroll bar's right arrow stays uncovered; clicking it and pressing
    # Alt+X must do nothing to the main window while the About window shows.
    click_at "$win" 280 24
    xdotool key --clearmodifiers alt+x
    sleep 0.3
    check "the main window takes no input meanwhile" kill -0 "$vesk_pid"
    check "the About window stays up meanwhile" [ "$(map_state "$about")" = IsViewable ]
    xdotool windowactivate --sync "$about" 2>/dev/null
    xdotool key --clearmodifiers space
    check "OK hides it" soon is_unmapped "$about"
    check "hidden, it still exists" xwininfo -id "$about" >/dev/null 2>&1
    xdotool windowactivate --sync "$win" 2>/dev/null
    xdotool key --clearmodifiers alt+a
    check "shown again, it is the same window" [ "$(wait_window About)" = "$about" ]
    xdotool key --clearmodifiers alt+o
    check "Alt+O hides it too" soon is_unmapped "$about"
    xdotool windowactivate --sync "$win" 2>/dev/null
    xdotool key --clearmodifiers alt+a
    about=$(wait_window About)
    wmctrl -i -c "$about"
    check "its close box destroys it" soon bash -c "! xwininfo -id $about >/dev/null 2>&1"
    xdotool windowactivate --sync "$win" 2>/dev/null
    xdotool key --clearmodifiers alt+a
    about2=$(wait_window About)
    check "the next About creates it anew" [ -n "$about2" ] && [ "$about2" != "$about" ]
    check "anew, it looks the same" [ "$(client_size "$about2")" = "281x226" ]
    xdotool key --clearmodifiers Escape
    soon is_unmapped "$about2"
    xdotool windowactivate --sync "$win" 2>/dev/null
    click_at "$win" 144 116
    check "after the About window, Exit still ends at once" soon gone "$vesk_pid"
    stop_vesk
}

about_opens_where_the_main_window_is() {
    start_vesk
    local place about
    for place in "300 200" "100 400" "500 100" close "200 300"; do
        if [ "$place" = close ]; then
            xdotool key --clearmodifiers alt+a
            about=$(wait_window About)
            wmctrl -i -c "$about"
            soon bash -c "! xwininfo -id $about >/dev/null 2>&1"
            xdotool windowactivate --sync "$win" 2>/dev/null
            continue
        fi
        xdotool windowmove --sync "$win" $place
        sleep 0.2
        xdotool key --clearmodifiers alt+a
        about=$(wait_window About)
        check "moved to $place, About opens on the main window's outer corner ($(frame_origin "$win"))" \
            soon same_corner "$about" "$win"
        xdotool key --clearmodifiers Escape
        soon is_unmapped "$about"
        xdotool windowactivate --sync "$win" 2>/dev/null
    done
    stop_vesk
}

handover_from_minimised() {
    start_vesk
    xdotool windowminimize --sync "$win"
    soon minimised "$win"
    second_copy
    check "a second copy ends silently with status 0 (${second_ms} ms)" handed_over_silently
    check "the minimised window is restored and active" soon restored "$win"
    wmctrl -i -r "$win" -b add,maximized_vert,maximized_horz
    xdotool windowminimize --sync "$win"
    soon minimised "$win"
    second_copy
    check "maximise attempted then minimised: restored at normal size" soon restored "$win"
    check "only one Vesk window" [ "$(windows_named Vesk | wc -l)" = 1 ]
    stop_vesk
}

handover_from_another_workspace() {
    start_vesk
    wmctrl -s 2
    soon on_desktop 2
    second_copy
    check "on another workspace: the window comes back, viewable and active" soon restored "$win"
    stop_vesk
}

# Started the way a launcher starts it: with a startup id stamped with the X
# server's time, after the user has just clicked into another window.
handover_from_a_launcher() {
    start_vesk
    another_window
    spawn "$xprobe" startup "$work/startup.log"
    local watcher=$last
    sleep 0.2
    local id
    id=vesk-launch-${RANDOM}_TIME$("$xprobe" time)
    second_copy DESKTOP_STARTUP_ID="$id"
    check "behind a window just used: raised and active" soon restored "$win"
    check "the launcher is told the launch is complete" \
        soon grep -qx "remove: ID=$id" "$work/startup.log"
    kill "$watcher" "$other_pid" 2>/dev/null
    stop_vesk
}

handover_with_about_open() {
    start_vesk
    xdotool key --clearmodifiers alt+a
    about=$(wait_window About)
    xdotool windowminimize --sync "$about" 2>/dev/null
    xdotool windowminimize --sync "$win"
    soon minimised "$win"
    second_copy
    check "with the About window open, the main window comes back" soon viewable "$win"
    check "and the About window over it, taking the input" soon is_active "$about"
    check "the About window shows" viewable "$about"
    xdotool key --clearmodifiers Escape
    stop_vesk
}

# A stand-in holds the lock and answers NOTFOUND, as a first copy would if
# its window were captioned otherwise.
handover_finding_no_window() {
    local base=$XDG_RUNTIME_DIR/vesk-_${DISPLAY#:}
    /usr/bin/python3 - "$base" <<'PY' &
import fcntl, os, socket, sys
base = sys.argv[1]
lock = os.open(base + ".lock", os.O_RDWR | os.O_CREAT, 0o600)
fcntl.flock(lock, fcntl.LOCK_EX)
try: os.unlink(base + ".socket")
except FileNotFoundError: pass
s = socket.socket(socket.AF_UNIX); s.bind(base + ".socket"); s.listen(4)
open(base + ".ready", "w").close()
while True:
    c, _ = s.accept(); c.recv(1100); c.sendall(b"NOTFOUND\n"); c.close()
PY
    local fake=$!
    pids+=("$fake")
    soon test -e "$base.ready"
    second_copy
    check "finding no window, a second copy ends silently with status 0" handed_over_silently
    check "and maps no window" [ -z "$(windows_named Vesk)$(windows_named 'bye bye')" ]
    kill -KILL "$fake"
    soon gone "$fake"
    rm -f "$base.ready"
}

middle_click_jumps_the_thumb() {
    start_vesk
    local text light x y was
    text=$(looks "$win" 64 48 49 19)
    light=$(looks "$win" 208 48 97 17)
    read -r x y < <(client_origin "$win")
    xdotool mousemove --sync $((x + 200)) $((y + 24)) mousedown 2
    was=$text
    check "held down, the text follows the jump" soon changed "$win" 64 48 49 19
    was=$light
    check "held down, the results wait" unchanged "$win" 208 48 97 17
    xdotool mouseup 2
    check "released, the results follow" soon changed "$win" 208 48 97 17
    stop_vesk
}

copies_at_once() {
    local started=() pid running
    for _ in $(seq 20); do
        spawn "$vesk"
        started+=("$last")
    done
    count_running() {
        running=0
        for pid in "${started[@]}"; do kill -0 "$pid" 2>/dev/null && running=$((running + 1)); done
        [ "$running" -le 1 ]
    }
    for _ in $(seq 100); do count_running && break; sleep 0.1; done
    sleep 0.5
    count_running
    check "twenty copies at once: exactly one keeps running ($running)" [ "$running" = 1 ]
    check "exactly one window" [ "$(windows_named Vesk | wc -l)" = 1 ]
    check "the lock is private" [ "$(stat -c %a "$XDG_RUNTIME_DIR/vesk-_${DISPLAY#:}.lock")" = 600 ]
    for pid in "${started[@]}"; do kill -KILL "$pid" 2>/dev/null; done
    for pid in "${started[@]}"; do soon gone "$pid"; done
    start_vesk
    check "after a SIGKILL the next start runs as the first copy" [ -n "$win" ]
    stop_vesk
}

# Started with -display naming this display while DISPLAY names another X
# server: the program names its one-copy channel after, and makes its own
# short connections to, the display it opened; a hand-over without a launch
# time still comes back within moments, and the copy still ends on SIGTERM.
display_option() {
    local other ours=$DISPLAY
    start_display || { check "a second X display starts" false; return; }
    other=$DISPLAY
    DISPLAY=$ours
    spawn env DISPLAY="$other" "$vesk" -display "$DISPLAY.0"
    vesk_pid=$last
    win=$(wait_window Vesk)
    check "with -display, the window opens on the display named" [ -n "$win" ]
    xdotool windowminimize --sync "$win" 2>/dev/null
    soon minimised "$win"
    second_args=(-display "$DISPLAY")
    second_copy DISPLAY="$other"
    second_args=()
    check "a later copy with -display hands over to it ($second_ms ms)" handed_over_silently
    check "and the window comes back" soon restored "$win"
    kill -TERM "$vesk_pid"
    check "the running copy still ends on SIGTERM" soon gone "$vesk_pid"
}

scenarios=(
    main_window
    keys_and_close_box_end_it
    about_window
    about_opens_where_the_main_window_is
    handover_from_minimised
    handover_from_another_workspace
    handover_from_a_launcher
    handover_with_about_open
    handover_finding_no_window
    middle_click_jumps_the_thumb
    copies_at_once
    display_option
)
for scenario in "${scenarios[@]}"; do
    echo "== $scenario [$wm]"
    "$scenario"
done

summary
