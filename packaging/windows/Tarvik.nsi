; The Windows setup program: installs the program folder of the zip for all users under
; Program Files, where users may not write, so the program keeps each user's settings and log in
; %LOCALAPPDATA%\Tarvik. scripts/build-windows drives it:
;
;   makensis -INPUTCHARSET UTF8 -DVERSION=3.0 -DFOLDER=<unzipped program folder>
;            -DFILES=<folder of the file lists> -DICON=Tarvik.ico -DLICENSE=LICENSE
;            -DOUTFILE=Tarvik-3.0-setup.exe Tarvik.nsi
;
; The file lists, made from the program folder by scripts/build-windows-setup: install.nsh (the
; files to install), factory.nsh (the factory settings and log, which the setup and the
; uninstaller carry to compare with), remove.nsh (the macro REMOVE_PROGRAM) and uninstall.lst
; (what the setup installs, recorded in the installed folder for the next setup).
Unicode true
Target amd64-unicode
RequestExecutionLevel admin
ManifestDPIAware true
SetCompressor /SOLID lzma
; A file that cannot be replaced fails the setup; skipped, it would leave the old program behind.
AllowSkipFiles off

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh

!define PRODUCT "塔维内存整理"
!define PUBLISHER "The Tarvik developers"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tarvik"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Tarvik"
; An upgrade goes where the installed copy is.
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION}.0.0"
VIFileVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=2052 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=2052 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=2052 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=2052 "FileDescription" "${PRODUCT} ${VERSION} 安装程序"
VIAddVersionKey /LANG=2052 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=2052 "LegalCopyright" "Copyright (c) 2026 ${PUBLISHER}, MIT License"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_TEXT "${PRODUCT} ${VERSION} 已安装到你的电脑，可以从开始菜单中的“${PRODUCT}”启动。$\r$\n$\r$\n每个用户的设置和日志保存在该用户的 %LOCALAPPDATA%\Tarvik 文件夹中，卸载时保留。$\r$\n$\r$\n点击“完成”关闭安装程序。"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${LICENSE}"
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "SimpChinese"

; Asks every running copy of one Tarvik.exe to end, as Windows asks programs at log-off (the
; program saves its window placement then), and waits up to 10 s for each. Copies are found by
; their processes, so that one whose window is hidden, or that has none yet, is not missed; the
; same file name in another folder (the zip's) is another copy, not ours to end. Takes the
; executable's full path from the stack; sets $R9 to the number of copies still running.
!macro DEFINE_END_RUNNING prefix
Function ${prefix}AskToEnd
    ; The process id on the stack. Every top-level window of the process, shown or not, gets
    ; WM_QUERYENDSESSION, then every one WM_ENDSESSION, both with ENDSESSION_CLOSEAPP.
    Exch $R0
    Push $R1
    Push $R2
    Push $R3
    Push $R4
    ${For} $R3 0 1
        ${If} $R3 = 0
            StrCpy $R4 0x11
        ${Else}
            StrCpy $R4 0x16
        ${EndIf}
        StrCpy $R1 0
        ${Do}
            System::Call 'user32::FindWindowExW(p 0, p R1, p 0, p 0) p .R1'
            ${If} $R1 P= 0
                ${Break}
            ${EndIf}
            System::Call 'user32::GetWindowThreadProcessId(p R1, *i .R2)'
            ${If} $R2 = $R0
                System::Call 'user32::SendMessageTimeoutW(p R1, i R4, p R3, p 1, i 2, i 5000, *p .r0)'
            ${EndIf}
        ${Loop}
    ${Next}
    Pop $R4
    Pop $R3
    Pop $R2
    Pop $R1
    Pop $R0
FunctionEnd

Function ${prefix}EndRunning
    Exch $R8
    Push $R0
    Push $R1
    Push $R2
    Push $R3
    Push $R4
    Push $R5
    StrCpy $R9 0
    ; As the system names a running image: in long names.
    System::Call 'kernel32::GetLongPathNameW(w R8, w .R0, i ${NSIS_MAX_STRLEN}) i .r0'
    ${If} $0 <> 0
        StrCpy $R8 $R0
    ${EndIf}
    ; TH32CS_SNAPPROCESS; a PROCESSENTRY32W of 568 bytes, whose third field is the process id.
    System::Call 'kernel32::CreateToolhelp32Snapshot(i 2, i 0) p .R1'
    System::Alloc 568
    Pop $R2
    System::Call '*$R2(i 568)'
    System::Call 'kernel32::Process32FirstW(p R1, p R2) i .R3'
    ${DoWhile} $R3 <> 0
        System::Call '*$R2(i, i, i .R4)'
        ; SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION
        System::Call 'kernel32::OpenProcess(i 0x101000, i 0, i R4) p .R5'
        ${If} $R5 P<> 0
            StrCpy $R0 ""
            System::Call 'kernel32::QueryFullProcessImageNameW(p R5, i 0, w .R0, *i ${NSIS_MAX_STRLEN})'
            ${If} $R0 == $R8
                DetailPrint "请 ${PRODUCT} 退出……"
                Push $R4
                Call ${prefix}AskToEnd
                System::Call 'kernel32::WaitForSingleObject(p R5, i 10000) i .r0'
                ${If} $0 != 0
                    IntOp $R9 $R9 + 1
                ${EndIf}
            ${EndIf}
            System::Call 'kernel32::CloseHandle(p R5)'
        ${EndIf}
        System::Call 'kernel32::Process32NextW(p R1, p R2) i .R3'
    ${Loop}
    System::Free $R2
    System::Call 'kernel32::CloseHandle(p R1)'
    Pop $R5
    Pop $R4
    Pop $R3
    Pop $R2
    Pop $R1
    Pop $R0
    Pop $R8
FunctionEnd
!macroend
!insertmacro DEFINE_END_RUNNING ""
!insertmacro DEFINE_END_RUNNING "un."

; Ends every copy of `exe` or gives up: the user is asked to end it and retry; a silent run ends
; with exit code 2 and changes nothing.
!macro END_RUNNING_OR_ABORT prefix exe cannot cancelled
    ${Do}
        Push "${exe}"
        Call ${prefix}EndRunning
        ${If} $R9 = 0
            ${Break}
        ${EndIf}
        MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
            "${PRODUCT} 正在运行，它的文件不能${cannot}。$\r$\n$\r$\n请在它的菜单中选择“退出”，然后点“重试”。" \
            /SD IDCANCEL IDRETRY +3
        SetErrorLevel 2
        Abort "${PRODUCT} 正在运行，${cancelled}已取消。"
    ${Loop}
!macroend

; Pushes 1 when two files hold the same bytes, else 0 (also when either cannot be read). Takes the
; file, then the one to compare with, from the stack.
!macro DEFINE_SAME_FILE prefix
Function ${prefix}SameFile
    Exch $R1
    Exch
    Exch $R0
    Push $R2
    Push $R3
    Push $R4
    Push $R5
    Push $R6
    StrCpy $R6 0
    ClearErrors
    FileOpen $R2 $R0 r
    ${IfNot} ${Errors}
        FileOpen $R3 $R1 r
        ${IfNot} ${Errors}
            FileSeek $R2 0 END $R4
            FileSeek $R3 0 END $R5
            ${If} $R4 = $R5
                FileSeek $R2 0 SET
                FileSeek $R3 0 SET
                StrCpy $R6 1
                ${Do}
                    ClearErrors
                    FileReadByte $R2 $R4
                    ${If} ${Errors}
                        ${Break}
                    ${EndIf}
                    FileReadByte $R3 $R5
                    ${If} $R4 <> $R5
                        StrCpy $R6 0
                        ${Break}
                    ${EndIf}
                ${Loop}
            ${EndIf}
            FileClose $R3
        ${EndIf}
        FileClose $R2
    ${EndIf}
    StrCpy $R0 $R6
    Pop $R6
    Pop $R5
    Pop $R4
    Pop $R3
    Pop $R2
    Exch
    Pop $R1
    Exch $R0
FunctionEnd
!macroend
!insertmacro DEFINE_SAME_FILE ""
!insertmacro DEFINE_SAME_FILE "un."

; A settings file or the log of a folder where users may write is theirs; it goes only while it
; is still the factory file. Used by remove.nsh.
!macro DELETE_IF_FACTORY prefix dir name
    Push "${dir}\${name}"
    Push "$PLUGINSDIR\factory\${name}"
    Call ${prefix}SameFile
    Pop $0
    ${If} $0 = 1
        Delete "${dir}\${name}"
    ${EndIf}
!macroend
!include "${FILES}\remove.nsh"

; Deletes the program files that the setup of an earlier installation recorded in the folder on
; the stack (uninstall.lst: a file or, ending in "\", an emptied folder a line). Only names inside
; the folder are taken, and never a settings file or the log.
Function RemoveListed
    Exch $R0
    Push $R1
    Push $R2
    Push $R3
    ClearErrors
    FileOpen $R1 "$R0\uninstall.lst" r
    ${IfNot} ${Errors}
        ${Do}
            ClearErrors
            FileRead $R1 $R2
            ${If} ${Errors}
                ${Break}
            ${EndIf}
            ${Do}
                StrCpy $R3 $R2 1 -1
                ${If} $R3 != "$\n"
                ${AndIf} $R3 != "$\r"
                    ${Break}
                ${EndIf}
                StrCpy $R2 $R2 -1
            ${Loop}
            Push $R2
            Call IsInsideName
            Pop $R3
            ${If} $R3 = 1
                StrCpy $R3 $R2 1 -1
                ${If} $R3 == "\"
                    RMDir "$R0\$R2"
                ${Else}
                    Delete "$R0\$R2"
                ${EndIf}
            ${EndIf}
        ${Loop}
        FileClose $R1
    ${EndIf}
    Pop $R3
    Pop $R2
    Pop $R1
    Pop $R0
FunctionEnd

; Pushes 1 for a relative name that stays inside its folder and is no settings file or log.
Function IsInsideName
    Exch $R0
    Push $R1
    Push $R2
    StrCpy $R1 $R0 "" -4
    StrCpy $R2 $R0 "" -10
    ${If} $R0 == ""
    ${OrIf} $R1 == ".dxl"
    ${OrIf} $R2 == "Tarvik.log"
        StrCpy $R0 0
    ${Else}
        StrCpy $R1 $R0 1
        ${If} $R1 == "\"
        ${OrIf} $R1 == "/"
            StrCpy $R0 0
        ${Else}
            StrCpy $R1 0
            ${Do}
                StrCpy $R2 $R0 2 $R1
                ${If} $R2 == ""
                    StrCpy $R0 1
                    ${Break}
                ${EndIf}
                StrCpy $R2 $R2 1
                ${If} $R2 == ":"
                    StrCpy $R0 0
                    ${Break}
                ${EndIf}
                StrCpy $R2 $R0 2 $R1
                ${If} $R2 == ".."
                    StrCpy $R0 0
                    ${Break}
                ${EndIf}
                IntOp $R1 $R1 + 1
            ${Loop}
        ${EndIf}
    ${EndIf}
    Pop $R2
    Pop $R1
    Exch $R0
FunctionEnd

; A log-on value "Tarvik" that starts this installation's Tarvik.exe or, with `to`, is moved to it.
!macro RUN_VALUE root folder to
    ReadRegStr $0 ${root} "${RUN_KEY}" "Tarvik"
    ${If} $0 == "${folder}\Tarvik.exe"
    ${OrIf} $0 == '"${folder}\Tarvik.exe"'
        !if "${to}" == ""
            DeleteRegValue ${root} "${RUN_KEY}" "Tarvik"
        !else
            WriteRegStr ${root} "${RUN_KEY}" "Tarvik" '"${to}\Tarvik.exe"'
        !endif
    ${EndIf}
!macroend

; The folder of this program's installation elsewhere, which this one replaces; empty if none.
Var Previous

Section
    SetShellVarContext all
    ; Without its uninstaller the folder is no installation (perhaps the zip unpacked there since).
    ReadRegStr $Previous HKLM "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $Previous == $INSTDIR
    ${OrIf} $Previous == ""
    ${OrIfNot} ${FileExists} "$Previous\uninstall.exe"
        StrCpy $Previous ""
    ${EndIf}
    !insertmacro END_RUNNING_OR_ABORT "" "$INSTDIR\Tarvik.exe" 替换 安装
    ${If} $Previous != ""
        !insertmacro END_RUNNING_OR_ABORT "" "$Previous\Tarvik.exe" 删除 安装
    ${EndIf}

    InitPluginsDir
    SetOutPath "$PLUGINSDIR\factory"
    !include "${FILES}\factory.nsh"
    ; Installed in another folder before: that copy goes (the user's files in it stay), and a
    ; log-on value that started it starts this one.
    ${If} $Previous != ""
        DetailPrint "删除 $Previous 中的旧版本……"
        Push $Previous
        Call RemoveListed
        !insertmacro REMOVE_PROGRAM $Previous ""
        !insertmacro RUN_VALUE HKLM $Previous $INSTDIR
        !insertmacro RUN_VALUE HKCU $Previous $INSTDIR
    ${EndIf}
    ; The previous installation's program files here; those that this version ships come back
    ; at once, the others (a plugin renamed by a later Qt) stay away.
    Push $INSTDIR
    Call RemoveListed

    ; The program files are replaced; settings files and a log found in the folder are kept.
    !include "${FILES}\install.nsh"
    SetOutPath "$INSTDIR"
    File "${FILES}\uninstall.lst"
    WriteUninstaller "$INSTDIR\uninstall.exe"

    CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\Tarvik.exe" "" "$INSTDIR\Tarvik.exe" 0

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Tarvik.exe,0"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section Uninstall
    SetShellVarContext all
    !insertmacro END_RUNNING_OR_ABORT "un." "$INSTDIR\Tarvik.exe" 删除 卸载

    InitPluginsDir
    SetOutPath "$PLUGINSDIR\factory"
    !include "${FILES}\factory.nsh"
    SetOutPath "$PLUGINSDIR"
    ; Only what the setup put there and the user left as it was; anything else keeps the folder.
    !insertmacro REMOVE_PROGRAM $INSTDIR "un."
    ; The entry and the shortcut belong to the installation that the entry names: after a
    ; reinstall into another folder, an old copy's uninstaller leaves them to the new one.
    ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $0 == $INSTDIR
        Delete "$SMPROGRAMS\${PRODUCT}.lnk"
        DeleteRegKey HKLM "${UNINSTALL_KEY}"
    ${EndIf}
    !insertmacro RUN_VALUE HKLM $INSTDIR ""
    !insertmacro RUN_VALUE HKCU $INSTDIR ""
    ; Each user's %LOCALAPPDATA%\Tarvik (settings and log) stays.
SectionEnd
