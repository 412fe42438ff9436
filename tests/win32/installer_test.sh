#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
# SPDX-License-Identifier: MIT
# The Windows installer under Wine, silently, as the user: the files, the
# Start-menu shortcut, the Add/Remove Programs entry, a start from the
# shortcut; the uninstaller refused while the program runs, and so are both
# while a copy of it is starting; then, the program closed, the uninstaller
# run by the entry's quiet command and, after a second install, directly:
# each returns once it is done and leaves nothing behind, with nothing left
# for Wine's next start to do. Then what is not theirs: folders that hold
# other files, folders that existed before, another installation, a second
# uninstaller, libraries planted beside them, and paths Windows cannot start
# the uninstaller from.
# Usage: installer_test.sh WINE_SESSION_DIR PATH/TO/setup.exe PATH/TO/zip
#                          PATH/TO/start_suspended.exe PATH/TO/run_together.exe
#                          PATH/TO/planted.dll
set -uo pipefail
session=$1
setup=$2
zip=$3
start_suspended=$4
run_together=$5
planted=$6
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

# Folders of the user's own, as C:\NAME: made afresh for each row. What the
# drive's top folder holds is watched too.
drive_c=$WINEPREFIX/drive_c
contents() {
    { find "$user_dir" "$drive_c/windows/temp" "$drive_c"/Row*; find "$drive_c" -maxdepth 1; } 2>/dev/null | sort
}
rm -rf "$drive_c"/Row*
contents >"$session/before-install"
install_to() { wine "$setup" /S "/D=$1"; }
absent() { ! test -e "$1"; }
no_entry() { ! wine reg query "$key" >/dev/null 2>&1; }
entries() { wine reg query "${key%\\*}" 2>/dev/null | tr -d '\r' | grep -c 'org.veskcalculator.Vesk$'; }

# Refused, silently: status 2, no entry, and every folder as it was.
untouched_by() {
    local before status
    before=$(contents)
    install_to "$1"
    status=$?
    echo "       status $status"
    [ "$status" = 2 ] && no_entry && [ "$(contents)" = "$before" ]
}
mkdir -p "$drive_c/RowTools"
printf 'not ours\r\n' >"$drive_c/RowTools/vesk.exe"
cp "$start_suspended" "$drive_c/RowTools/uninstall.exe"
cp "$drive_c/RowTools/vesk.exe" "$drive_c/RowTools/uninstall.exe" "$session/"
long='C:\RowLong'$(printf '\\folder%03d' $(seq 30))
while IFS='|' read -r what folder; do
    check "$what: refused, nothing written" untouched_by "$folder"
done <<ROWS
a folder with another program's vesk.exe and uninstall.exe|C:\RowTools
a whole drive, /D=C:\\|C:\\
a path too long to start the uninstaller from|$long
ROWS
unchanged() { for f in vesk.exe uninstall.exe; do cmp -s "$session/$f" "$drive_c/RowTools/$f" || return 1; done; }
check "  another program's files byte for byte as they were" unchanged
rm -rf "$drive_c/RowTools"

# Installed and uninstalled: the folders the installer made go, and only
# those. FOLDER | the outermost one | made before (kept, empty) or not (gone).
mkdir -p "$drive_c/RowEmpty"
left_as() { # OUTERMOST kept|gone
    if [ "$2" = kept ]; then [ -d "$1" ] && [ -z "$(ls -A "$1")" ]; else absent "$1"; fi
}
while IFS='|' read -r folder outermost expected; do
    install_to "$folder" && quiet_uninstall
    status=$?
    check "$folder: installed and uninstalled ($status)" [ "$status" = 0 ]
    check "  $outermost $expected" left_as "$drive_c/$outermost" "$expected"
done <<'ROWS'
C:\RowEmpty|RowEmpty|kept
C:\RowN1\N2\N3\Vesk|RowN1|gone
ROWS
rm -rf "$drive_c/RowEmpty"

# An uninstaller at its question holds its file, as a copy starting does.
wine "$setup" /S
wine "$start_suspended" "$(value InstallLocation)\\uninstall.exe"
soon pgrep -f 'Programs.Vesk Calculator.uninstall.exe' >/dev/null
wine "$setup" /S
status=$?
pkill -KILL -f 'Programs.Vesk Calculator.uninstall.exe'
check "uninstall.exe held: the installer refuses ($status)" [ "$status" = 2 ]
check "and the earlier installation is whole" installed
wine start /unix "$shortcut" >/dev/null 2>&1
check "  and starts" soon bash -c "xdotool search --onlyvisible --name '^Vesk\$' >/dev/null"
end_program
quiet_uninstall
status=$?
check "  and uninstalls ($status)" bash -c "[ $status = 0 ] && ! test -e '$app_dir'"

wine "$setup" /S && install_to 'C:\RowSecond'
status=$?
check "installed again in a second folder ($status)" [ "$status" = 0 ]
check "one entry, for the second folder" \
    bash -c "[ '$(entries)' = 1 ] && [ '$(value InstallLocation)' = 'C:\\RowSecond' ]"
check "and nothing left of the first" absent "$app_dir"
# The installation in use cannot go, so none is made in another folder.
wine "$start_suspended" 'C:\RowSecond\vesk.exe'
soon pgrep -f 'RowSecond.vesk.exe' >/dev/null
install_to 'C:\RowThird'
status=$?
pkill -KILL -f 'RowSecond.vesk.exe'
check "another folder while the installed program is in use: refused ($status)" \
    bash -c "[ $status = 2 ] && [ '$(value InstallLocation)' = 'C:\\RowSecond' ] && ! test -e '$drive_c/RowThird'"
check "  the installed one whole" \
    bash -c "test -f '$drive_c/RowSecond/vesk.exe' -a -f '$drive_c/RowSecond/uninstall.exe'"
mapfile -t statuses < <(wine "$run_together" 2 'C:\RowSecond\uninstall.exe' /S | tr -d '\r')
check "two silent uninstallers at once: ${statuses[*]}" \
    bash -c "[[ '${statuses[*]}' =~ ^(0\ 0|0\ 3|3\ 0)$ ]]"
check "the second folder removed with its entry" eval 'absent "$drive_c/RowSecond" && no_entry'
check "nothing left in the user's folders, the temporary one included" soon nothing_left

# Installed, and the uninstaller started as from the entry, at its question;
# $asking is the one started.
asked() { xdotool search --onlyvisible --name '^Vesk Calculator Uninstall$' "$@"; }
at_question() {
    wine "$setup" /S
    wine "$(value UninstallString | tr -d '"')" &
    asking=$!
    soon asked >/dev/null
}

# The copy ended at its question, as a crash would end it: a failure, not
# the user's choice, and the installation as it was.
at_question
copy=$(pgrep -af 'Temp.vsk' | sed -nE 's/^[0-9]+ (.*) \/from=.*/\1/p' | head -1)
wine cmd /c move "$copy" "$copy.moved" >/dev/null 2>&1
check "the running copy cannot be renamed" \
    bash -c "[ -n '$copy' ] && test -e \"\$(winepath -u '$copy')\" && ! test -e \"\$(winepath -u '$copy.moved')\""
pkill -KILL -f 'Temp.vsk'
wait $asking
status=$?
check "the uninstaller's copy ended at its question: status 2 ($status)" [ "$status" = 2 ]
check "and the installation is whole" installed
quiet_uninstall
status=$?
check "  and uninstalls ($status), leaving nothing" bash -c "[ $status = 0 ] && ! test -e '$app_dir'"
check "  nothing left in the temporary folder either" soon nothing_left

# Answered, the uninstaller returns; its copy, ended at its last message,
# leaves nothing.
at_question
asked windowactivate --sync key --clearmodifiers Return
wait $asking
status=$?
check "OK at the question: the uninstaller returns 0 ($status)" [ "$status" = 0 ]
check "  and its copy tells that it is removed" soon asked
pkill -KILL -f 'Temp.vsk'
check "  ended there, it leaves nothing" soon nothing_left

# Libraries under Windows' own names, where a program might look for them:
# the temporary folder, where the uninstaller's copy once ran, and beside the
# installer. Wine says which it loads, and a loaded one leaves its mark.
# Beside a program, Wine's own loader takes shcore.dll, for shell32, before
# the program's first instruction runs (Windows takes it from System32
# alone), so it is not planted there.
planted_names="version uxtheme dwmapi cryptbase userenv propsys profapi"
temp_dir=$(winepath -u "$(wine cmd /c echo %TEMP% | tr -d '\r')")
mkdir -p "$drive_c/RowSetup"
cp "$setup" "$drive_c/RowSetup/setup.exe"
for name in $planted_names; do cp "$planted" "$drive_c/RowSetup/$name.dll"; done
for name in shcore $planted_names; do cp "$planted" "$temp_dir/$name.dll"; done
took() { grep -iE "Loaded L\"$1.*: native" "$2" | grep -v '\.exe"'; }
(cd "$drive_c/RowSetup" && WINEDEBUG=+loaddll wine setup.exe /S 2>"$session/setup-loaddll.log")
check "beside the installer, no planted library loaded" \
    eval '! took "C:..RowSetup" "$session/setup-loaddll.log" && absent "$drive_c/RowSetup/planted.txt"'
WINEDEBUG=+loaddll direct_uninstall 2>"$session/uninstall-loaddll.log"
status=$?
check "in the temporary folder, none loaded into the uninstaller's copy ($status)" \
    eval '[ $status = 0 ] && ! took ".*Temp" "$session/uninstall-loaddll.log" && absent "$temp_dir/planted.txt"'
for name in shcore $planted_names; do rm -f "$temp_dir/$name.dll"; done
rm -rf "$drive_c/RowSetup"

check "nothing left in the user's folders, nor scheduled" soon nothing_left
summary
