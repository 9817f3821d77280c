#!/usr/bin/env bash
# The Windows setup program as a user and an administrator meet it, in a fresh Wine prefix on a
# private X desktop: a silent install, the installed program started from Program Files, an
# install over the running copy, and a silent uninstall. Only what a user or another program
# could see is checked: files, shortcut, registry, windows and the tray icon.
#
#   test_windows_setup.sh Tarvik-3.0-setup.exe DATA_FOLDER Tarvik-3.0-windows-x64.zip
#
# With TARVIK_SHOTS set to a folder, the first install and the uninstall go through their pages
# instead, which are photographed into it.
source "$(dirname "$0")/../desktop/lib.sh"
source "$(dirname "$0")/lib.sh"

SETUP=$EXE
ZIP=${3:?the program zip}
command -v unzip >/dev/null || skip "unzip is not installed"
wine_setup
trap 'chattr -i "$INST" 2>/dev/null; "$WINESERVER" -k 2>/dev/null; cleanup' EXIT

INST="$WINEPREFIX/drive_c/Program Files/Tarvik"
WININST='C:\Program Files\Tarvik'
LINK="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/塔维内存整理.lnk"
UNINSTALL_KEY='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tarvik'
# What Explorer and the elevation prompt show of the setup and of its uninstaller: the program's
# icon at its sizes, version 3.0 and, for the setup, a manifest that asks for elevation.
resources_of() {
    if command -v wrestool >/dev/null; then
        wrestool -x -t 14 "$1" >"$WORK/icon.ico"
        [ "$(icotool -l "$WORK/icon.ico" | grep -c -- '--bit-depth=32')" -ge 6 ] || fail "$2 carries no program icon"
    fi
    strings -n 3 -el "$1" | grep -qx '3\.0' || fail "$2 carries no version 3.0"
}
resources_of "$SETUP" "the setup"
if command -v wrestool >/dev/null; then
    wrestool -x --raw -t 24 "$SETUP" | grep -q 'level="requireAdministrator"' || fail "the setup does not ask for elevation"
fi

desktop_start
wine_prefix_start

# A setup run to its end; with TARVIK_SHOTS, through its pages.
# Its pages add their names to the title: "塔维内存整理 3.0 安装: 许可证协议".
setup_window() { framed_window '^塔维内存整理 3\.0 安装'; }
uninstaller_window() { framed_window '^塔维内存整理 3\.0 卸载'; }
page_shot() {
    local w x y width height
    w=$("$2") || fail "no window of the setup"
    sleep 1
    read -r x y < <(top_left_of "$w")
    IFS=x read -r width height < <(size_of "$w")
    shot_of_screen "$1" "$width" "$height" "$x" "$y"
}
# The default button of a setup's page (下一步, 我接受, 完成, 卸载), where NSIS puts it: the second
# from the right at the window's bottom. Clicked, as a window of a process that has no other does
# not get the keyboard by itself.
press_default() {
    local w x y width height
    w=$("$1") || fail "no window of the setup"
    read -r x y < <(top_left_of "$w")
    IFS=x read -r width height < <(size_of "$w")
    xdotool mousemove $((x + width - 157)) $((y + height - 29)) click 1
    sleep 1
}
install() {
    local begin status=0
    begin=$(now)
    if [ -n "${TARVIK_SHOTS:-}" ] && [ "${1:-}" = pages ]; then
        "${WINE[@]}" "$SETUP" >"$WORK/setup.log" 2>&1 &
        PIDS+=($!)
        wait_long 'setup_window >/dev/null' || fail "the setup shows no window"
        page_shot windows-setup-welcome setup_window
        press_default setup_window # 下一步
        page_shot windows-setup-licence setup_window
        press_default setup_window # 我接受
        wait_long '[ -f "$INST/uninstall.exe" ] && "${WINE[@]}" reg query "$UNINSTALL_KEY" >/dev/null 2>&1' ||
            fail "the setup did not install"
        sleep 2
        page_shot windows-setup-finish setup_window
        press_default setup_window # 完成
        wait_long '! setup_window >/dev/null' || fail "the setup's last page did not close"
    else
        "${WINE[@]}" "$SETUP" /S >"$WORK/setup.log" 2>&1 || status=$?
        [ "$status" = 0 ] || fail "the silent install ended with $status"
    fi
    echo "install in $(seconds_since "$begin") s"
}
uninstall_entry() {
    # reg prints in the console's code page, 936 here.
    "${WINE[@]}" reg query "$UNINSTALL_KEY" /v "$1" 2>/dev/null | iconv -f CP936 -t UTF-8 | tr -d '\r' |
        awk -v n="$1" '$1 == n { sub(/^[ \t]*[^ \t]+[ \t]+[^ \t]+[ \t]+/, ""); print }'
}
# The installed folder holds exactly the zip's program folder and the uninstaller.
installed_as_zipped() {
    rm -rf "$WORK/zip"
    unzip -q "$ZIP" -d "$WORK/zip"
    (cd "$WORK"/zip/Tarvik-*-windows-x64 && find . -type f -exec md5sum {} + | sort -k 2) >"$WORK/zipped.md5"
    (cd "$INST" && find . -type f ! -name uninstall.exe -exec md5sum {} + | sort -k 2) >"$WORK/installed.md5"
    diff "$WORK/zipped.md5" "$WORK/installed.md5" >"$WORK/installed.diff" ||
        fail "the installed folder is not the zip's: $(head -c 600 "$WORK/installed.diff")"
    [ -f "$INST/uninstall.exe" ] || fail "no uninstaller in the installed folder"
}
# Program Files as Windows keeps it: users may not write there, the elevated setup may.
protect() {
    if [ "$(id -u)" = 0 ]; then chattr +i "$INST" 2>/dev/null; else chmod a-w "$INST"; fi
    if touch "$INST/probe" 2>/dev/null; then
        rm -f "$INST/probe"
        skip "the installed folder cannot be kept from being written here"
    fi
}
unprotect() {
    if [ "$(id -u)" = 0 ]; then chattr -i "$INST"; else chmod u+w "$INST"; fi
}
# Starts the installed Tarvik.exe from another folder, as its shortcut or the Run key would; waits
# for its monitor window at the bar chart's size and its tray icon.
start_installed() {
    wine_start "$WININST"
    wait_long 'MONITOR=$(window_of 塔维内存整理 120x16)' || fail "the installed program showed no monitor window"
    wait_long 'tray_icon explorer.exe >/dev/null' || fail "the installed program put no icon in the tray"
}
log_text() {
    iconv -f CP936 -t UTF-8 "$USERDIR/Tarvik.log"
}
# The user's files, the window placement aside (the program rewrites it when it is asked to end).
user_digest() {
    (cd "$USERDIR" && find . -type f ! -name wtl.dxl -exec md5sum {} + | sort -k 2)
}

# --- Silent install: the program folder, the uninstaller, the Start-menu shortcut to Tarvik.exe
# and the entry of "Programs and Features".
install pages
installed_as_zipped
resources_of "$INST/uninstall.exe" "the uninstaller"
check_dlls "$INST"
[ -f "$LINK" ] || fail "no Start-menu shortcut 塔维内存整理"
strings -n 4 "$LINK" | grep -qxF "$WININST\\Tarvik.exe" || fail "the shortcut does not start $WININST\\Tarvik.exe"
expect_entry() {
    [ "$(uninstall_entry "$1")" = "$2" ] || fail "the uninstall entry's $1 is '$(uninstall_entry "$1")', not '$2'"
}
expect_entry DisplayName 塔维内存整理
expect_entry DisplayVersion 3.0
expect_entry Publisher "The Tarvik developers"
expect_entry DisplayIcon "$WININST\\Tarvik.exe,0"
expect_entry InstallLocation "$WININST"
expect_entry UninstallString "\"$WININST\\uninstall.exe\""
expect_entry QuietUninstallString "\"$WININST\\uninstall.exe\" /S"
expect_entry NoModify 0x1
expect_entry NoRepair 0x1
size=$(($(uninstall_entry EstimatedSize)))
actual=$(du -sk --apparent-size "$INST" | cut -f1)
[ "$size" -gt $((actual * 9 / 10)) ] && [ "$size" -lt $((actual * 11 / 10)) ] ||
    fail "the uninstall entry's EstimatedSize is $size KB, the folder holds $actual KB"

# --- The installed program keeps the user's files in %LOCALAPPDATA%\Tarvik, filled with the
# factory files at its first start.
protect
USERDIR=$("${WINE[@]}" winepath -u "$("${WINE[@]}" cmd /c echo %LOCALAPPDATA%\\Tarvik | tr -d '\r')")
[ ! -e "$USERDIR" ] || fail "$USERDIR is there before the first start"
start_installed
for f in info.dxl set.dxl AqSet.dxl wtl.dxl afn.dxl Tarvik.log; do
    [ -f "$USERDIR/$f" ] || fail "the first start did not put $f into $USERDIR"
done
cmp -s "$USERDIR/info.dxl" "$DATA/info.dxl" || fail "$USERDIR/info.dxl is not the factory file"

# Start at log-on saved from the software page: a Run value that starts exactly this executable.
menu "" Down Down Down Down Return # 主窗口
wait_for 'MAIN=$(window_of 塔维内存整理 462x334)' || fail "主窗口 did not show the main window"
read -r MX MY < <(top_left_of "$MAIN")
sleep 1
CLICK_PAUSE=0.5
click_at 40 157  # 软件设置
click_at 150 176 # 开机时自动运行本程序
click_at 400 276 # 保存设置
wait_for '[ -n "$(run_value HKLM)" ]' || fail "ticking 开机时自动运行本程序 wrote no Run value"
value=$(run_value HKLM)
# Quoted, as its path holds a blank: unquoted, Windows would try C:\Program.exe first.
[ "$value" = "\"$WININST\\Tarvik.exe\"" ] || fail "the Run value holds '$value'"
log_text | grep -q '保存软件设置。' || fail "the software settings save was not logged"

# --- Installed again over the running copy, whose main window is shown: the program is asked to
# end as at log-off and ends, its files are replaced, and the user's settings, log and log-on
# value stay.
before=$(user_digest)
unprotect
install
wait_for ended 100 || fail "the setup left the running program running"
installed_as_zipped
[ "$(user_digest)" = "$before" ] || fail "installing again changed the user's files"
[ "$(run_value HKLM)" = "$value" ] || fail "installing again changed the Run value to '$(run_value HKLM)'"
expect_entry DisplayVersion 3.0
protect

# --- Uninstalled, while the upgraded program runs: no program file, shortcut, uninstall entry or
# Run value of this installation; another copy's log-on value and the user's files stay.
start_installed
"${WINE[@]}" reg add 'HKCU\Software\Microsoft\Windows\CurrentVersion\Run' /v Tarvik \
    /d 'C:\Tarvik-3.0-windows-x64\Tarvik.exe' /f >/dev/null 2>&1
before=$(user_digest)
unprotect
begin=$(now)
if [ -n "${TARVIK_SHOTS:-}" ]; then
    "${WINE[@]}" "$INST/uninstall.exe" >"$WORK/uninstall.log" 2>&1 &
    wait_long 'uninstaller_window >/dev/null' || fail "the uninstaller shows no window"
    page_shot windows-uninstall uninstaller_window
    press_default uninstaller_window # 卸载
    wait_long '[ ! -e "$INST" ]' || fail "the uninstaller left $INST"
    press_default uninstaller_window # 关闭
else
    # As a deployment tool runs it: the quiet command line, "uninstaller" /S, which hands the work
    # to a copy of the uninstaller outside the folder and returns.
    quiet=$(uninstall_entry QuietUninstallString)
    uninstaller=${quiet#\"}
    uninstaller=${uninstaller%%\"*}
    "${WINE[@]}" "$uninstaller" ${quiet##*\" } >"$WORK/uninstall.log" 2>&1 || fail "the silent uninstall failed"
fi
wait_long '[ ! -e "$INST" ] && [ -z "$(run_value HKLM)" ] && ! "${WINE[@]}" reg query "$UNINSTALL_KEY" >/dev/null 2>&1' ||
    fail "the uninstaller left $(ls "$INST" 2>/dev/null | head -n 5 | tr '\n' ' ') run value '$(run_value HKLM)'"
echo "uninstall in $(seconds_since "$begin") s"
wait_for ended 100 || fail "the uninstaller left the running program running"
[ ! -e "$LINK" ] || fail "the uninstaller left the Start-menu shortcut"
[ "$(run_value HKCU)" = 'C:\Tarvik-3.0-windows-x64\Tarvik.exe' ] ||
    fail "the uninstaller changed another copy's log-on value to '$(run_value HKCU)'"
[ "$(user_digest)" = "$before" ] || fail "the uninstaller changed the user's files in $USERDIR"
[ -f "$USERDIR/wtl.dxl" ] || fail "the uninstaller removed the user's wtl.dxl"

echo "PASS: the Windows setup under Wine: silent install, shortcut and uninstall entry, the installed program" \
    "with the user's folder and its Run value, install over the running copy, silent uninstall"
