#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
# SPDX-License-Identifier: MIT
# The Windows installer under Wine, silently, as the user: the files, the
# Start-menu shortcut, the Add/Remove Programs entry, a start from the
# shortcut; then the uninstaller, which leaves nothing behind.
# Usage: installer_test.sh WINE_SESSION_DIR PATH/TO/setup.exe PATH/TO/zip
set -uo pipefail
session=$1
setup=$2
zip=$3
. "$session/env" || exit 1
. "$(dirname "$0")/../checks.sh"

key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\org.veskcalculator.Vesk'
user_dir=$WINEPREFIX/drive_c/users/$(id -un)
app_dir="$user_dir/AppData/Local/Programs/Vesk Calculator"
shortcut="$user_dir/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Vesk Calculator.lnk"
value() { wine reg query "$key" /v "$1" 2>/dev/null | tr -d '\r' | awk -v n="$1" '$1 == n {$1 = ""; $2 = ""; sub(/^ +/, ""); print}'; }

check "the zip holds vesk.exe alone" [ "$(unzip -Z1 "$zip")" = vesk.exe ]

wine "$setup" /S
check "installed silently: vesk.exe and the uninstaller" \
    test -f "$app_dir/vesk.exe" -a -f "$app_dir/uninstall.exe"
check "the Start-menu shortcut \"Vesk Calculator\"" test -f "$shortcut"
check "Add/Remove Programs: the name" [ "$(value DisplayName)" = "Vesk Calculator" ]
check "the version 1.01" [ "$(value DisplayVersion)" = 1.01 ]
check "the publisher" [ "$(value Publisher)" = Quarvane ]
check "the icon" bash -c "[[ '$(value DisplayIcon)' == *'vesk.exe,0' ]]"

wine start /unix "$shortcut" >/dev/null 2>&1
check "started from the shortcut, the window shows" \
    soon bash -c "xdotool search --onlyvisible --name '^Vesk\$' >/dev/null"
for pid in $(pgrep -f 'Programs.Vesk Calculator.vesk.exe'); do kill -KILL "$pid"; done
soon bash -c "! xdotool search --onlyvisible --name '^Vesk\$' >/dev/null"

# The uninstaller runs on from a copy of itself, so that it can remove its
# own file: its work is waited for.
wine "$app_dir/uninstall.exe" /S
gone() { ! test -e "$app_dir"; }
check "uninstalled: no folder left" soon gone
check "no shortcut left" bash -c "! test -e '$shortcut'"
check "no Add/Remove Programs entry left" bash -c "! wine reg query '$key' >/dev/null 2>&1"
summary
