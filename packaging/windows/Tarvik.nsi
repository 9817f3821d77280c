; The Windows setup program: installs the program folder of the zip for all users under
; Program Files, where users may not write, so the program keeps each user's settings and log in
; %LOCALAPPDATA%\Tarvik. scripts/build-windows drives it:
;
;   makensis -INPUTCHARSET UTF8 -DVERSION=3.0 -DFOLDER=<unzipped program folder>
;            -DFILES=<folder of install.nsh and uninstall.nsh> -DICON=Tarvik.ico -DLICENSE=LICENSE
;            -DOUTFILE=Tarvik-3.0-setup.exe Tarvik.nsi
Unicode true
Target amd64-unicode
RequestExecutionLevel admin
ManifestDPIAware true
SetCompressor /SOLID lzma

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
!define MUI_FINISHPAGE_TEXT "${PRODUCT} ${VERSION} 已安装到你的电脑，可以从开始菜单中的“${PRODUCT}”启动。$\r$\n$\r$\n每个用户的设置和日志保存在该用户的 %LOCALAPPDATA%\Tarvik 文件夹中。$\r$\n$\r$\n点击“完成”关闭安装程序。"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${LICENSE}"
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "SimpChinese"

; Asks every running Tarvik.exe of this installation to end, as Windows asks programs at log-off
; (the program saves its window placement then), and waits up to 10 s for each. Sets $R9 to the
; number of windows of this installation still open afterwards.
!macro DEFINE_END_RUNNING prefix
Function ${prefix}EndRunning
    Push $R0
    Push $R1
    Push $R2
    Push $R3
    StrCpy $R9 0
    StrCpy $R0 0
    ${Do}
        System::Call 'user32::FindWindowExW(p 0, p R0, p 0, w "${PRODUCT}") p .R0'
        ${If} $R0 P= 0
            ${Break}
        ${EndIf}
        System::Call 'user32::GetWindowThreadProcessId(p R0, *i .R1)'
        ; SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION
        System::Call 'kernel32::OpenProcess(i 0x101000, i 0, i R1) p .R2'
        ${If} $R2 P<> 0
            StrCpy $R3 ""
            System::Call 'kernel32::QueryFullProcessImageNameW(p R2, i 0, w .R3, *i ${NSIS_MAX_STRLEN})'
            ; The same name in another folder is another copy (the zip's), not ours to end.
            ${If} $R3 == "$INSTDIR\Tarvik.exe"
                DetailPrint "请 ${PRODUCT} 退出……"
                ; WM_QUERYENDSESSION, then WM_ENDSESSION, both with ENDSESSION_CLOSEAPP
                System::Call 'user32::SendMessageTimeoutW(p R0, i 0x11, p 0, p 1, i 2, i 5000, *p .r0)'
                System::Call 'user32::SendMessageTimeoutW(p R0, i 0x16, p 1, p 1, i 2, i 5000, *p .r0)'
                System::Call 'kernel32::WaitForSingleObject(p R2, i 10000) i .r0'
                ${If} $0 != 0
                    IntOp $R9 $R9 + 1
                ${EndIf}
            ${EndIf}
            System::Call 'kernel32::CloseHandle(p R2)'
        ${EndIf}
    ${Loop}
    Pop $R3
    Pop $R2
    Pop $R1
    Pop $R0
FunctionEnd
!macroend
!insertmacro DEFINE_END_RUNNING ""
!insertmacro DEFINE_END_RUNNING "un."

; The log-on value "Tarvik" goes only when it starts this installation's Tarvik.exe: another copy
; (the zip unpacked elsewhere) may own it.
!macro REMOVE_RUN_VALUE root
    ReadRegStr $0 ${root} "${RUN_KEY}" "Tarvik"
    ${If} $0 == "$INSTDIR\Tarvik.exe"
    ${OrIf} $0 == '"$INSTDIR\Tarvik.exe"'
        DeleteRegValue ${root} "${RUN_KEY}" "Tarvik"
    ${EndIf}
!macroend

Section
    SetShellVarContext all
    ${Do}
        Call EndRunning
        ${If} $R9 = 0
            ${Break}
        ${EndIf}
        MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
            "${PRODUCT} 正在运行，它的文件不能替换。$\r$\n$\r$\n请在它的菜单中选择“退出”，然后点“重试”。" \
            /SD IDCANCEL IDRETRY +2
        Abort "${PRODUCT} 正在运行，安装已取消。"
    ${Loop}

    ; The program files are replaced; settings files and a log found in the folder are kept.
    !include "${FILES}\install.nsh"
    WriteUninstaller "$INSTDIR\uninstall.exe"

    SetOutPath "$INSTDIR"
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
    ${Do}
        Call un.EndRunning
        ${If} $R9 = 0
            ${Break}
        ${EndIf}
        MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
            "${PRODUCT} 正在运行，它的文件不能删除。$\r$\n$\r$\n请在它的菜单中选择“退出”，然后点“重试”。" \
            /SD IDCANCEL IDRETRY +2
        Abort "${PRODUCT} 正在运行，卸载已取消。"
    ${Loop}

    ; Only what the setup put there; anything else keeps the folder.
    !include "${FILES}\uninstall.nsh"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    Delete "$SMPROGRAMS\${PRODUCT}.lnk"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
    !insertmacro REMOVE_RUN_VALUE HKLM
    !insertmacro REMOVE_RUN_VALUE HKCU
    ; Each user's %LOCALAPPDATA%\Tarvik (settings and log) stays.
SectionEnd
