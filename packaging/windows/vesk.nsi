; SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
; SPDX-License-Identifier: MIT
; The Windows installer: for the user alone, so that it needs no
; administrator. It installs vesk.exe, a Start-menu shortcut named for the
; product and an uninstaller, listed under Add/Remove Programs with the
; product's name, version, publisher, size and icon. makensis is given
; PRODUCT, VERSION, EXE, ICON, APP_ID (also the main window's class) and
; OUTFILE.
;
; Neither runs while the program does: each asks the user to close it first
; (Retry / Cancel), and when silent fails with status 2, changing nothing.
; The uninstall entry's quiet command runs the uninstaller in place (_?=),
; so that whoever runs it has it back only once it is done, with its status.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user

!define PUBLISHER "Quarvane"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${APP_ID}"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
Icon "${ICON}"
UninstallIcon "${ICON}"
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
ShowInstDetails nevershow
ShowUninstDetails nevershow

!include "FileFunc.nsh"

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "FileDescription" "${PRODUCT} installer"
VIAddVersionKey "LegalCopyright" "Copyright (C) 1997 ${PUBLISHER}"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

!macro CLOSE_RUNNING un
Function ${un}closeRunning
    retry:
    FindWindow $0 "${APP_ID}"
    StrCmp $0 0 done
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
        "${PRODUCT} is running.$\r$\n$\r$\nClose it, then choose Retry." /SD IDCANCEL IDRETRY retry
    SetErrorLevel 2
    Quit
    done:
FunctionEnd
!macroend
!insertmacro CLOSE_RUNNING ""
!insertmacro CLOSE_RUNNING "un."

Function .onInit
    Call closeRunning
FunctionEnd

Function un.onInit
    Call un.closeRunning
FunctionEnd

Section "Install"
    SetShellVarContext current
    ; The folder that holds the installation's, where this makes it, goes
    ; with it.
    ${GetParent} "$INSTDIR" $R0
    IfFileExists "$R0\*.*" +2
    WriteRegStr HKCU "${UNINSTALL_KEY}" "MadeFolder" "$R0"
    SetOutPath "$INSTDIR"
    File "/oname=vesk.exe" "${EXE}"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\vesk.exe" "" "$INSTDIR\vesk.exe" 0
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\vesk.exe,0"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    ; Run in place, so that whoever runs it silently has it back only once it
    ; is done, with its status.
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" \
        '"$INSTDIR\uninstall.exe" /S _?=$INSTDIR'
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    IntFmt $0 "0x%08X" $0
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
    SetShellVarContext current
    ReadRegStr $R0 HKCU "${UNINSTALL_KEY}" "MadeFolder"
    Delete "$SMPROGRAMS\${PRODUCT}.lnk"
    Delete "$INSTDIR\vesk.exe"
    ; Run in place, the uninstaller is a running program, whose file Windows
    ; keeps: it goes, with the folders, when Windows next starts.
    Delete /REBOOTOK "$INSTDIR\uninstall.exe"
    RMDir /REBOOTOK "$INSTDIR"
    StrCmp $R0 "" +2
    RMDir /REBOOTOK $R0
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
