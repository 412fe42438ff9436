#!/usr/bin/env bash
# The real program on a real X display with a window manager (Xvfb + openbox),
# driven with xdotool and read back with xprop, xwininfo and wmctrl.
# Usage: display_test.sh PATH/TO/vesk
set -uo pipefail

vesk=$1
passes=0
failures=0
pids=()

work=$(mktemp -d)
chmod 700 "$work"
export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset WAYLAND_DISPLAY QT_QPA_PLATFORM

cleanup() {
    stop_display
    for pid in "${pids[@]}"; do
        kill -CONT "$pid" 2>/dev/null
        kill -KILL "$pid" 2>/dev/null
    done
    rm -rf "$work"
}
trap cleanup EXIT

spawn() { # spawn COMMAND...: runs in the background, remembered for cleanup
    "$@" >>"$work/out.log" 2>>"$work/err.log" &
    last=$!
    disown "$last"
    pids+=("$last")
}

for tool in Xvfb openbox xdotool xprop xwininfo wmctrl xmessage; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

. "$(dirname "$0")/../../scripts/x_display.sh"
start_display --wm

check() { # check NAME COMMAND...
    local name=$1
    shift
    if "$@"; then
        echo "PASS   $name"
        passes=$((passes + 1))
    else
        echo "FAIL   $name"
        failures=$((failures + 1))
    fi
}

# Visible windows whose title is exactly $1 (xdotool's own search ignores case).
windows_named() {
    local id
    for id in $(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null); do
        [ "$(xprop -id "$id" _NET_WM_NAME 2>/dev/null)" = "_NET_WM_NAME(UTF8_STRING) = \"$1\"" ] &&
            echo "$id"
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

wait_gone() { # wait_gone PID [TENTHS]: true once the process has ended
    for _ in $(seq "${2:-20}"); do
        kill -0 "$1" 2>/dev/null || return 0
        sleep 0.1
    done
    return 1
}

start_vesk() {
    spawn "$vesk"
    vesk_pid=$last
    win=$(wait_window Vesk) || { echo "no window"; return 1; }
    xdotool windowactivate --sync "$win" 2>/dev/null
}

stop_vesk() { kill -KILL "$vesk_pid" 2>/dev/null; wait_gone "$vesk_pid"; }

client_size() { xwininfo -id "$1" | awk '/Width:/{w=$2} /Height:/{h=$2} END{print w "x" h}'; }

frame_origin() {
    local x y l t
    x=$(xwininfo -id "$1" | awk '/Absolute upper-left X:/{print $4}')
    y=$(xwininfo -id "$1" | awk '/Absolute upper-left Y:/{print $4}')
    read -r l _ t _ < <(xprop -id "$1" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')
    echo "$((x - l)),$((y - t))"
}

active_window() { printf '%d\n' "$(xprop -root _NET_ACTIVE_WINDOW | awk '{print $NF}')"; }
map_state() { xwininfo -id "$1" 2>/dev/null | awk '/Map State:/{print $3}'; }
net_state() { xprop -id "$1" _NET_WM_STATE; }

# A click at a point of a window's client area, as a user would make it.
click_at() { # click_at WINDOW X Y
    local ox oy
    ox=$(xwininfo -id "$1" | awk '/Absolute upper-left X:/{print $4}')
    oy=$(xwininfo -id "$1" | awk '/Absolute upper-left Y:/{print $4}')
    xdotool mousemove --sync $((ox + $2)) $((oy + $3)) click 1
}

echo "== main window"
start_vesk
check "title is exactly Vesk" [ "$(xprop -id "$win" WM_NAME)" = 'WM_NAME(STRING) = "Vesk"' ]
check "client area is 315 x 139" [ "$(client_size "$win")" = "315x139" ]
check "cannot be maximised" bash -c "! xprop -id $win _NET_WM_ALLOWED_ACTIONS | grep -q MAXIMIZE"
xdotool windowsize "$win" 600 400
sleep 0.2
check "cannot be resized" [ "$(client_size "$win")" = "315x139" ]
xdotool key --clearmodifiers alt+x
check "Alt+X ends the program" wait_gone "$vesk_pid"
stop_vesk

start_vesk
xdotool key --clearmodifiers space
check "Space on the first-focused Exit ends the program" wait_gone "$vesk_pid"
stop_vesk

start_vesk
wmctrl -i -c "$win"
check "the close box ends the program" wait_gone "$vesk_pid"
stop_vesk

echo "== About window"
start_vesk
xdotool windowmove --sync "$win" 300 200
sleep 0.2
main_origin=$(frame_origin "$win")
xdotool key --clearmodifiers alt+a
about=$(wait_window About)
check "Alt+A shows the About window" [ -n "$about" ]
sleep 0.2
check "it opens on the main window's outer corner ($main_origin)" \
    [ "$(frame_origin "$about")" = "$main_origin" ]
check "its client area is 281 x 226" [ "$(client_size "$about")" = "281x226" ]
check "it is modal" bash -c "xprop -id $about _NET_WM_STATE | grep -q _NET_WM_STATE_MODAL"
# The scroll bar's right arrow stays uncovered; clicking it and pressing Alt+X
# must do nothing to the main window while the About window shows.
click_at "$win" 280 24
xdotool key --clearmodifiers alt+x
sleep 0.3
check "the main window takes no input meanwhile" kill -0 "$vesk_pid"
check "the About window stays up meanwhile" [ "$(map_state "$about")" = IsViewable ]
xdotool windowactivate --sync "$about" 2>/dev/null
xdotool key --clearmodifiers space
sleep 0.3
check "OK hides it" [ "$(map_state "$about")" = IsUnMapped ]
check "hidden, it still exists" xwininfo -id "$about" >/dev/null 2>&1

xdotool windowactivate --sync "$win" 2>/dev/null
xdotool key --clearmodifiers alt+a
about2=$(wait_window About)
check "shown again, it is the same window" [ "$about2" = "$about" ]
xdotool key --clearmodifiers alt+o
sleep 0.3
check "Alt+O hides it too" [ "$(map_state "$about")" = IsUnMapped ]
xdotool windowactivate --sync "$win" 2>/dev/null
xdotool key --clearmodifiers alt+a
about2=$(wait_window About)
wmctrl -i -c "$about2"
sleep 0.3
check "its close box destroys it" bash -c "! xwininfo -id $about2 >/dev/null 2>&1"
xdotool windowactivate --sync "$win" 2>/dev/null
xdotool key --clearmodifiers alt+a
about3=$(wait_window About)
check "the next About creates it anew" [ -n "$about3" ] && [ "$about3" != "$about2" ]
check "anew, it looks the same" [ "$(client_size "$about3")" = "281x226" ]
xdotool key --clearmodifiers Escape
sleep 0.2
xdotool windowactivate --sync "$win" 2>/dev/null
click_at "$win" 144 116
check "after the About window, Exit still ends at once" wait_gone "$vesk_pid"
stop_vesk

echo "== a second copy hands over"
watch_bye_bye() { # records any window ever titled "bye bye" while $1 runs
    while kill -0 "$1" 2>/dev/null; do
        xdotool search --name '^bye bye$' >>"$work/byebye" 2>/dev/null
    done
}

second_copy() { # runs a second copy; sets second_rc and second_ms
    : >"$work/byebye"
    local t0 t1
    t0=$(date +%s%N)
    "$vesk" >"$work/second.out" 2>&1 &
    local pid=$!
    watch_bye_bye "$pid" &
    local watcher=$!
    wait "$pid"
    second_rc=$?
    t1=$(date +%s%N)
    wait "$watcher"
    second_ms=$(((t1 - t0) / 1000000))
}

restored() { # restored WINDOW: shown, normal size, not minimised, active
    [ "$(map_state "$1")" = IsViewable ] && ! net_state "$1" | grep -q HIDDEN &&
        xprop -id "$1" WM_STATE | grep -q 'Normal' && [ "$(client_size "$1")" = "315x139" ] &&
        [ "$(active_window)" = "$1" ]
}

start_vesk
spawn xmessage -geometry +600+500 "another window"
other=$last
sleep 0.5

xdotool windowminimize --sync "$win"
check "minimised before the hand-over" bash -c "xprop -id $win _NET_WM_STATE | grep -q HIDDEN"
second_copy
check "second copy ends with status 0" [ "$second_rc" = 0 ]
check "second copy ends in well under a second (${second_ms} ms)" [ "$second_ms" -lt 1000 ]
check "second copy prints nothing" [ ! -s "$work/second.out" ]
check "no 'bye bye' window ever appears" [ ! -s "$work/byebye" ]
sleep 0.3
check "the minimised window is restored and active" restored "$win"

wmctrl -i -r "$win" -b add,maximized_vert,maximized_horz
xdotool windowminimize --sync "$win"
second_copy
sleep 0.3
check "maximise attempted then minimised: restored at normal size" restored "$win"

xdotool windowactivate --sync "$(xdotool search --onlyvisible --class Xmessage | head -n 1)"
sleep 0.2
second_copy
sleep 0.3
check "behind another window: raised and active" restored "$win"
check "only one Vesk window" [ "$(windows_named Vesk | wc -l)" = 1 ]
kill "$other" 2>/dev/null

xdotool key --clearmodifiers alt+a
about=$(wait_window About)
xdotool windowminimize --sync "$about"
xdotool windowminimize --sync "$win"
second_copy
sleep 0.3
check "with the About window open, the main window comes back" \
    [ "$(map_state "$win")" = IsViewable ]
check "and the About window over it, taking the input" \
    [ "$(map_state "$about")" = IsViewable ] && [ "$(active_window)" = "$about" ]
xdotool key --clearmodifiers Escape
sleep 0.2

stop_vesk
start_vesk
check "after a SIGKILL the next start runs as the first copy" [ -n "$win" ]
stop_vesk

echo "== a running copy without a window captioned Vesk"
# A stand-in holds the lock and answers NOTFOUND, as a first copy would if its
# window were captioned otherwise.
display_name=vesk-_${DISPLAY#:}
/usr/bin/python3 - "$XDG_RUNTIME_DIR/$display_name" <<'PY' &
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
fake=$!
pids+=("$fake")
for _ in $(seq 100); do [ -e "$XDG_RUNTIME_DIR/$display_name.ready" ] && break; sleep 0.05; done
second_copy
check "finding no window, the second copy ends silently with status 0" \
    bash -c "[ $second_rc = 0 ] && [ ! -s $work/second.out ] && [ $second_ms -lt 1000 ]"
check "and maps no window" [ -z "$(windows_named Vesk)$(windows_named 'bye bye')" ]
kill -KILL "$fake"
wait_gone "$fake"

echo "== twenty copies at once"
started=()
for _ in $(seq 20); do
    "$vesk" >/dev/null 2>&1 &
    disown $!
    started+=($!)
    pids+=($!)
done
sleep 3
running=0
for pid in "${started[@]}"; do kill -0 "$pid" 2>/dev/null && running=$((running + 1)); done
check "exactly one copy keeps running ($running)" [ "$running" = 1 ]
check "exactly one window" [ "$(windows_named Vesk | wc -l)" = 1 ]
check "the runtime directory is private" [ "$(stat -c %a "$XDG_RUNTIME_DIR")" = 700 ]
check "the lock is private" [ "$(stat -c %a "$XDG_RUNTIME_DIR/$display_name.lock")" = 600 ]
for pid in "${started[@]}"; do kill -KILL "$pid" 2>/dev/null; done

echo "$passes passed, $failures failed"
[ "$failures" = 0 ]
