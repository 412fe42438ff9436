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
; It writes only into a folder that is new, empty, or this program's own
; installation as its entry records it, and records the outermost folder it
; made, so that the uninstaller removes exactly the folders made for it. An
; installation in another folder is first removed by its own uninstaller. It
; does not run while the program does, nor replace a program that has
; started meanwhile: it asks the user to close it first (Retry / Cancel). Each
; refusal, silent (status 2) or not, leaves everything as it was.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user
; A drive's top folder is refused with a message of ours rather than
; silently replaced by the default.
AllowRootDirInstall true
; Windows starts no program whose path is this long or longer.
!define MaxPath 260

!include "${FACTS}"
!include /CHARSET=UTF8 "${TEXTS}"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
Icon "${ICON}"
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
InstallDirRegKey HKCU "${UninstallKey}" "${LocationValue}"
ShowInstDetails nevershow

!include "FileFunc.nsh"
!include "LogicLib.nsh"

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "CompanyName" "${Publisher}"
VIAddVersionKey "FileDescription" "${PRODUCT} installer"
VIAddVersionKey "LegalCopyright" "Copyright (C) 1997 ${Publisher}"

Page directory "" "" leaveFolder
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

; Why $INSTDIR cannot take the installation, in $R9; empty when it can: it
; is not a drive's top folder, short enough for Windows to start the
; uninstaller from, and new, empty or the installation recorded.
Function judgeFolder
    StrCpy $R9 ""
    ${GetRoot} "$INSTDIR" $R0
    StrLen $R1 "$INSTDIR\${UninstallerFile}"
    ReadRegStr $R2 HKCU "${UninstallKey}" "${LocationValue}"
    ; 1 for a folder that holds anything, -1 for none or a file of that name.
    ${DirState} "$INSTDIR" $R3
    ${If} "$INSTDIR" == "$R0"
    ${OrIf} "$INSTDIR" == "$R0\"
        StrCpy $R9 "$(DriveRoot)"
    ${ElseIf} $R1 >= ${MaxPath}
        StrCpy $R9 "$(TooLong)"
    ${ElseIf} $R2 != "$INSTDIR"
    ${AndIf} ${FileExists} "$INSTDIR"
    ${AndIf} $R3 != 0
        StrCpy $R9 "$(NotOurs)"
    ${EndIf}
    ${If} $R9 != ""
        StrCpy $R9 "$INSTDIR$\r$\n$\r$\n$R9"
    ${EndIf}
FunctionEnd

Function leaveFolder
    Call judgeFolder
    ${If} $R9 != ""
        MessageBox MB_OK|MB_ICONEXCLAMATION "$R9"
        Abort
    ${EndIf}
FunctionEnd

Function refuse
    MessageBox MB_OK|MB_ICONSTOP "$R9" /SD IDOK
    SetErrorLevel 2
    Quit
FunctionEnd

; An installation in another folder goes first, by its own uninstaller,
; waited for; one that cannot go keeps this one from being made. An entry
; whose folder holds no program and no uninstaller is a leftover, and goes.
Function removeOtherCopy
    ReadRegStr $R0 HKCU "${UninstallKey}" "${LocationValue}"
    ${If} $R0 == ""
    ${OrIf} $R0 == "$INSTDIR"
        Return
    ${EndIf}
    ${IfNot} ${FileExists} "$R0\${UninstallerFile}"
        ${IfNot} ${FileExists} "$R0\${ProgramFile}"
            DeleteRegKey HKCU "${UninstallKey}"
            Return
        ${EndIf}
    ${Else}
        StrCpy $R2 ""
        ${IfThen} ${Silent} ${|} StrCpy $R2 " /S" ${|}
        ClearErrors
        ExecWait '"$R0\${UninstallerFile}"$R2' $R1
        ${IfNot} ${Errors}
        ${AndIf} $R1 == 0
            Return
        ${EndIf}
    ${EndIf}
    StrCpy $R9 "$R0$\r$\n$\r$\n$(OtherCopy)"
    Call refuse
FunctionEnd

; The earlier installation's files are copied aside, then deleted, and all
; of them put back if any one cannot be (a copy of the program that started
; after the look for its window holds its file, an uninstaller at its
; question holds its own): the installation stops with nothing replaced.
Function takeOne
    ${If} ${FileExists} "$INSTDIR\$R1"
        ClearErrors
        CopyFiles /SILENT "$INSTDIR\$R1" "$PLUGINSDIR\old"
        ${IfNot} ${Errors}
            Delete "$INSTDIR\$R1"
        ${EndIf}
    ${EndIf}
FunctionEnd

Function putBack
    ${IfNot} ${FileExists} "$INSTDIR\$R1"
    ${AndIf} ${FileExists} "$PLUGINSDIR\old\$R1"
        CopyFiles /SILENT "$PLUGINSDIR\old\$R1" "$INSTDIR"
    ${EndIf}
FunctionEnd

Function takeOld
    retry:
    ClearErrors
    InitPluginsDir
    CreateDirectory "$PLUGINSDIR\old"
    StrCpy $R1 "${ProgramFile}"
    Call takeOne
    ${IfNot} ${Errors}
        StrCpy $R1 "${UninstallerFile}"
        Call takeOne
        ${IfNot} ${Errors}
            Return
        ${EndIf}
    ${EndIf}
    StrCpy $R2 "$INSTDIR\$R1"
    StrCpy $R1 "${ProgramFile}"
    Call putBack
    StrCpy $R1 "${UninstallerFile}"
    Call putBack
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
        "$R2$\r$\n$\r$\n$(NotReplaced)" \
        /SD IDCANCEL IDRETRY retry
    SetErrorLevel 2
    Quit
FunctionEnd

; The size of a file in KiB, rounded down, added to $R3.
Function addSize
    FileOpen $0 "$INSTDIR\$R1" r
    FileSeek $0 0 END $1
    FileClose $0
    IntOp $R3 $R3 + $1
FunctionEnd

Section "Install"
    SetShellVarContext current
    Call judgeFolder
    ${If} $R9 != ""
        Call refuse
    ${EndIf}
    Call removeOtherCopy
    Call takeOld
    ; The outermost folder made for the installation, if any: it and every
    ; folder inside it down to $INSTDIR are the uninstaller's to remove.
    ; Reinstalled in place, the entry keeps what the first install made.
    StrCpy $R0 "$INSTDIR"
    StrCpy $R4 ""
    ${DoUntil} ${FileExists} "$R0\*.*"
        StrCpy $R4 "$R0"
        ${GetParent} "$R0" $R0
        ${IfThen} $R0 == "" ${|} ${ExitDo} ${|}
    ${Loop}
    SetOutPath "$INSTDIR"
    File "/oname=${ProgramFile}" "${EXE}"
    File "/oname=${UninstallerFile}" "${UNINSTALLER}"
    ${If} $R4 != ""
        WriteRegStr HKCU "${UninstallKey}" "${MadeFolderValue}" "$R4"
    ${EndIf}
    CreateShortcut "$SMPROGRAMS\${ShortcutFile}" "$INSTDIR\${ProgramFile}" "" "$INSTDIR\${ProgramFile}" 0
    WriteRegStr HKCU "${UninstallKey}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKCU "${UninstallKey}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UninstallKey}" "Publisher" "${Publisher}"
    WriteRegStr HKCU "${UninstallKey}" "DisplayIcon" "$INSTDIR\${ProgramFile},0"
    WriteRegStr HKCU "${UninstallKey}" "${LocationValue}" "$INSTDIR"
    WriteRegStr HKCU "${UninstallKey}" "UninstallString" '"$INSTDIR\${UninstallerFile}"'
    WriteRegStr HKCU "${UninstallKey}" "QuietUninstallString" '"$INSTDIR\${UninstallerFile}" /S'
    ; The installed files alone, not what else the folder holds.
    StrCpy $R3 0
    StrCpy $R1 "${ProgramFile}"
    Call addSize
    StrCpy $R1 "${UninstallerFile}"
    Call addSize
    IntOp $R3 $R3 / 1024
    WriteRegDWORD HKCU "${UninstallKey}" "EstimatedSize" $R3
    WriteRegDWORD HKCU "${UninstallKey}" "NoModify" 1
    WriteRegDWORD HKCU "${UninstallKey}" "NoRepair" 1
SectionEnd
