#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
# SPDX-License-Identifier: MIT
# The Windows tests' world: an X display with a window manager (Xvfb and
# openbox) and a Wine prefix of this run's own, with Wine's bitmap fonts in it
# and its server kept running between the tests.
#   wine_session.sh start DIR KEEPER
#                                 makes them, noting what the tests need in DIR/env,
#                                 and starts KEEPER (keep_desktop.exe) to hold the
#                                 desktop for the run
#   wine_session.sh stop DIR      ends them and removes DIR
#   wine_session.sh run DIR PROGRAM [ARGUMENTS...]
#                                 runs a Windows program there; its own exit status
#                                 (modulo 256); with WINE_DPI set, at that many
#                                 dots per inch
set -uo pipefail
what=$1
dir=$2
shift 2

wine_environment() {
    export WINEPREFIX=$dir/prefix WINEDEBUG=-all WINEARCH=win64
    export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
}

case $what in
start)
    for tool in wine wineserver Xvfb openbox wmctrl; do
        command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
    done
    rm -rf "$dir"
    mkdir -p "$dir"
    chmod 700 "$dir"
    work=$dir
    . "$(dirname "$0")/../x_display.sh"
    start_display --wm openbox >/dev/null 2>&1 </dev/null || exit 1
    printf '%s\n' "${display_pids[@]}" >"$dir/pids"
    wine_environment
    {
        echo "export DISPLAY=$DISPLAY"
        echo "export WINEPREFIX=$WINEPREFIX WINEDEBUG=-all WINEARCH=win64"
        echo "export WINEDLLOVERRIDES='$WINEDLLOVERRIDES'"
    } >"$dir/env"
    # A server that stays between the programs, so that each starts warm,
    # with the prefix's own services kept running (a server that ends when
    # its last program does takes them with it, and the next program waits
    # seconds for them anew); and those services, started here with nothing
    # of a test's output to hold on to. The server needs the prefix's folder.
    mkdir -p "$WINEPREFIX"
    setsid wineserver -p >"$dir/wineserver.log" 2>&1 </dev/null ||
        { echo "wineserver did not start: $(cat "$dir/wineserver.log")"; exit 1; }
    setsid wineboot -i >"$dir/wineboot.log" 2>&1 </dev/null
    # Debian's Wine does not find its own bitmap fonts: without them "MS Sans
    # Serif" would quietly be another face.
    cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"
    [ -d "$WINEPREFIX/drive_c/windows/system32" ] || { echo "the prefix was not made"; cat "$dir/wineboot.log"; exit 1; }
    setsid wine "$1" >/dev/null 2>&1 </dev/null &
    echo "Wine $(wine --version) on display $DISPLAY, prefix $WINEPREFIX"
    ;;
stop)
    [ -f "$dir/env" ] && . "$dir/env" && wineserver -k 2>/dev/null
    if [ -f "$dir/pids" ]; then
        . "$(dirname "$0")/../x_display.sh"
        mapfile -t pids <"$dir/pids"
        end_display_pids "${pids[@]}"
    fi
    rm -rf "$dir"
    ;;
run)
    . "$dir/env" || { echo "no Wine session in $dir"; exit 1; }
    if [ -n "${WINE_DPI:-}" ]; then
        # Put back however the run ends; a set-up that cannot be made fails
        # the run rather than letting it test something else.
        trap "wine reg delete 'HKCU\\Control Panel\\Desktop' /v LogPixels /f >/dev/null 2>&1" EXIT
        wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$WINE_DPI" /f >"$dir/dpi.log" 2>&1 ||
            { echo "LogPixels $WINE_DPI could not be set: $(tail -c 300 "$dir/dpi.log")"; exit 1; }
    fi
    wine "$@"
    ;;
*)
    echo "usage: $0 start|stop|run DIR ..." >&2
    exit 2
    ;;
esac
