#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
# SPDX-License-Identifier: MIT
# The Windows installer under Wine, silently, as the user: the files, the
# Start-menu shortcut, the Add/Remove Programs entry, a start from the
# shortcut; the uninstaller refused while the program runs, and so are both
# while a copy of it is starting; then, the program closed, the uninstaller
# run by the entry's quiet command and, after a second install, directly:
# each returns once it is done and leaves nothing behind, with nothing left
# for Wine's next start to do.
# Usage: installer_test.sh WINE_SESSION_DIR PATH/TO/setup.exe PATH/TO/zip
#                          PATH/TO/start_suspended.exe
set -uo pipefail
session=$1
setup=$2
zip=$3
start_suspended=$4
. "$session/env" || exit 1
. "$(dirname "$0")/../checks.sh"

key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\org.veskcalculator.Vesk'
user_dir=$WINEPREFIX/drive_c/users/$(id -un)
app_dir="$user_dir/AppData/Local/Programs/Vesk Calculator"
shortcut="$user_dir/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Vesk Calculator.lnk"
value() { wine reg query "$key" /v "$1" 2>/dev/null | tr -d '\r' | awk -v n="$1" '$1 == n {$1 = ""; $2 = ""; sub(/^ +/, ""); print}'; }

# What the user's folders hold, to compare with what is left in the end.
contents() { find "$user_dir" "$WINEPREFIX/drive_c/windows/temp" | sort; }
contents >"$session/before-install"
# The quiet command as a script runs it, and its status: a batch file waits
# for the programs it starts.
quiet_uninstall() {
    printf '@%s\r\n@exit /b %%errorlevel%%\r\n' "$(value QuietUninstallString)" >"$session/uninstall.bat"
    wine cmd /c "$(winepath -w "$session/uninstall.bat")"
}
direct_uninstall() { wine "$(value UninstallString | tr -d '"')" /S; }
installed() { test -f "$app_dir/vesk.exe" -a -f "$app_dir/uninstall.exe" -a -f "$shortcut" && wine reg query "$key" >/dev/null 2>&1; }
program='Programs.Vesk Calculator.vesk.exe'
running() { pgrep -f "$program" >/dev/null; }
end_program() {
    pkill -KILL -f "$program"
    soon bash -c "! pgrep -f '$program' >/dev/null"
}
removed() { ! test -e "$app_dir" -o -e "$shortcut" && ! wine reg query "$key" >/dev/null 2>&1; }
# Gone from the user's folders, the temporary one included, with nothing
# left for the next start.
nothing_left() {
    [ -z "$(contents | comm -13 "$session/before-install" -)" ] &&
        ! wine reg query 'HKLM\System\CurrentControlSet\Control\Session Manager' \
            /v PendingFileRenameOperations >/dev/null 2>&1
}

check "the zip holds vesk.exe alone" [ "$(unzip -Z1 "$zip")" = vesk.exe ]

wine "$setup" /S
check "installed silently: vesk.exe and the uninstaller" \
    test -f "$app_dir/vesk.exe" -a -f "$app_dir/uninstall.exe"
check "the Start-menu shortcut \"Vesk Calculator\"" test -f "$shortcut"
check "Add/Remove Programs: the name" [ "$(value DisplayName)" = "Vesk Calculator" ]
check "the version 1.01" [ "$(value DisplayVersion)" = 1.01 ]
check "the publisher" [ "$(value Publisher)" = Quarvane ]
check "the icon" bash -c "[[ '$(value DisplayIcon)' == *'vesk.exe,0' ]]"
check "the size, in KiB" [ "$(($(value EstimatedSize)))" = "$((($(stat -c %s "$app_dir"/* | paste -sd+)) / 1024))" ]

wine start /unix "$shortcut" >/dev/null 2>&1
check "started from the shortcut, the window shows" \
    soon bash -c "xdotool search --onlyvisible --name '^Vesk\$' >/dev/null"
direct_uninstall
status=$?
refused() { [ "$status" = 2 ] && installed && running; }
check "while it runs, uninstall.exe /S fails ($status), keeping every file; the program runs on" refused
end_program

# A copy that is starting holds its file before it has a window to find.
wine "$start_suspended" "$(value InstallLocation)\\vesk.exe"
soon running
wine "$setup" /S
status=$?
check "while a copy starts, the installer fails ($status), keeping every file" refused
quiet_uninstall
status=$?
check "and so does the quiet uninstall ($status)" refused
end_program

quiet_uninstall
status=$?
check "closed, the quiet uninstall succeeds" [ "$status" = 0 ]
check "and has removed, when it returns, the folder, the shortcut and the entry" removed
check "nothing left in the user's folders, nor scheduled" soon nothing_left

wine "$setup" /S
direct_uninstall
status=$?
check "installed again, uninstall.exe /S succeeds" [ "$status" = 0 ]
check "and has removed, when it returns, the folder, the shortcut and the entry" removed
check "nothing left in the user's folders, nor scheduled" soon nothing_left
summary
