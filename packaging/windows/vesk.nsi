; SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
; SPDX-License-Identifier: MIT
; The Windows installer: for the user alone, so that it needs no
; administrator. It installs vesk.exe, a Start-menu shortcut named for the
; product and the program's own uninstaller (uninstall.cpp), listed under
; Add/Remove Programs with the product's name, version, publisher, size and
; icon. makensis is given PRODUCT, VERSION, EXE, UNINSTALLER, ICON, APP_ID
; (also the main window's class) and OUTFILE.
;
; It does not run while the program does, nor replace a program that has
; started meanwhile: it asks the user to close it first (Retry / Cancel), and
; when silent fails with status 2, changing nothing.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user

!define PUBLISHER "Quarvane"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${APP_ID}"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
Icon "${ICON}"
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
ShowInstDetails nevershow

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
Function .onInit
    retry:
    FindWindow $0 "${APP_ID}"
    StrCmp $0 0 done
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
        "${PRODUCT} is running.$\r$\n$\r$\nClose it, then choose Retry." /SD IDCANCEL IDRETRY retry
    SetErrorLevel 2
    Quit
    done:
FunctionEnd

; Deletes the file $R0 before its new copy is written: a copy of the program
; that started after the look for its window holds its file, and then the
; installation stops with nothing replaced.
Function takeOld
    retry:
    ClearErrors
    Delete "$R0"
    IfErrors 0 done
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
        "$R0$\r$\n$\r$\ncould not be replaced: it is in use. Close what uses it, then choose Retry." \
        /SD IDCANCEL IDRETRY retry
    SetErrorLevel 2
    Quit
    done:
FunctionEnd

Section "Install"
    SetShellVarContext current
    StrCpy $R0 "$INSTDIR\vesk.exe"
    Call takeOld
    StrCpy $R0 "$INSTDIR\uninstall.exe"
    Call takeOld
    ; The folder that holds the installation's, where this makes it, goes
    ; with it.
    ${GetParent} "$INSTDIR" $R0
    IfFileExists "$R0\*.*" +2
    WriteRegStr HKCU "${UNINSTALL_KEY}" "MadeFolder" "$R0"
    SetOutPath "$INSTDIR"
    File "/oname=vesk.exe" "${EXE}"
    File "/oname=uninstall.exe" "${UNINSTALLER}"
    CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\vesk.exe" "" "$INSTDIR\vesk.exe" 0
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\vesk.exe,0"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    IntFmt $0 "0x%08X" $0
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd
