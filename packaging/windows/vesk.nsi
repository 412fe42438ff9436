; SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
; SPDX-License-Identifier: MIT
; The Windows installer: for the user alone, so that it needs no
; administrator. It installs vesk.exe, a Start-menu shortcut named for the
; product and the program's own uninstaller (uninstall.cpp), listed under
; Add/Remove Programs with the product's name, version, publisher, size and
; icon. makensis is given PRODUCT, VERSION, EXE, UNINSTALLER, ICON, APP_ID
; (also the main window's class), OUTFILE, FACTS: what the uninstaller
; knows too (facts.cmake writes it), and TEXTS: its languages and messages
; (make_catalogs writes them from po/ and installer_texts.h), of which NSIS
; shows the user's.
;
; It does not run while the program does, nor replace a program that has
; started meanwhile: it asks the user to close it first (Retry / Cancel), and
; when silent fails with status 2, changing nothing.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user

!include "${FACTS}"
!include /CHARSET=UTF8 "${TEXTS}"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
Icon "${ICON}"
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
InstallDirRegKey HKCU "${UninstallKey}" "${LocationValue}"
ShowInstDetails nevershow

!include "FileFunc.nsh"

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "CompanyName" "${Publisher}"
VIAddVersionKey "FileDescription" "${PRODUCT} installer"
VIAddVersionKey "LegalCopyright" "Copyright (C) 1997 ${Publisher}"

Page directory
Page instfiles
Function .onInit
    retry:
    FindWindow $0 "${APP_ID}"
    StrCmp $0 0 done
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(Running)" /SD IDCANCEL IDRETRY retry
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
        "$R0$\r$\n$\r$\n$(NotReplaced)" \
        /SD IDCANCEL IDRETRY retry
    SetErrorLevel 2
    Quit
    done:
FunctionEnd

Section "Install"
    SetShellVarContext current
    StrCpy $R0 "$INSTDIR\${ProgramFile}"
    Call takeOld
    StrCpy $R0 "$INSTDIR\${UninstallerFile}"
    Call takeOld
    ; The folder that holds the installation's, where this makes it, goes
    ; with it.
    ${GetParent} "$INSTDIR" $R0
    IfFileExists "$R0\*.*" +2
    WriteRegStr HKCU "${UninstallKey}" "${MadeFolderValue}" "$R0"
    SetOutPath "$INSTDIR"
    File "/oname=${ProgramFile}" "${EXE}"
    File "/oname=${UninstallerFile}" "${UNINSTALLER}"
    CreateShortcut "$SMPROGRAMS\${ShortcutFile}" "$INSTDIR\${ProgramFile}" "" "$INSTDIR\${ProgramFile}" 0
    WriteRegStr HKCU "${UninstallKey}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKCU "${UninstallKey}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UninstallKey}" "Publisher" "${Publisher}"
    WriteRegStr HKCU "${UninstallKey}" "DisplayIcon" "$INSTDIR\${ProgramFile},0"
    WriteRegStr HKCU "${UninstallKey}" "${LocationValue}" "$INSTDIR"
    WriteRegStr HKCU "${UninstallKey}" "UninstallString" '"$INSTDIR\${UninstallerFile}"'
    WriteRegStr HKCU "${UninstallKey}" "QuietUninstallString" '"$INSTDIR\${UninstallerFile}" /S'
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    IntFmt $0 "0x%08X" $0
    WriteRegDWORD HKCU "${UninstallKey}" "EstimatedSize" $0
    WriteRegDWORD HKCU "${UninstallKey}" "NoModify" 1
    WriteRegDWORD HKCU "${UninstallKey}" "NoRepair" 1
SectionEnd
