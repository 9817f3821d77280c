#!/usr/bin/env bash
# The Windows setup program as a user and an administrator meet it, in a fresh Wine prefix on a
# private X desktop: a silent install, the installed program started from Program Files, installs
# over a running copy (shown, and started hidden at log-on), silent and through the pages, a
# reinstall into another folder, a folder where users may write, and uninstalls both ways. Only
# what a user or another program could see is checked: files, shortcut, registry, windows and the
# tray icon.
#
#   test_windows_setup.sh Tarvik-3.0-setup.exe DATA_FOLDER Tarvik-3.0-windows-x64.zip
#
# With TARVIK_SHOTS set to a folder, the first install goes through its pages too, and every
# page run is photographed into it.
source "$(dirname "$0")/../desktop/lib.sh"
source "$(dirname "$0")/lib.sh"

SETUP=$EXE
ZIP=${3:?the program zip}
command -v unzip >/dev/null || skip "unzip is not installed"
wine_setup
trap 'chattr -i "$INST" 2>/dev/null; "$WINESERVER" -k 2>/dev/null; cleanup' EXIT
# Log-off as Windows does it, and one that another program refuses.
x86_64-w64-mingw32-gcc-posix -municode -O2 -o "$WORK/session_end.exe" "$(dirname "$0")/session_end.c" ||
    fail "the log-off helper does not build"

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
# A setup run, silent or through its pages ("pages"), with the further arguments given (/D=...),
# into the folder $INTO.
INTO=$INST
install() {
    local begin status=0 how=$1
    shift
    begin=$(now)
    touch "$WORK/install-begins"
    if [ "$how" = pages ]; then
        "${WINE[@]}" "$SETUP" "$@" >"$WORK/setup.log" 2>&1 &
        PIDS+=($!)
        wait_long 'setup_window >/dev/null' || fail "the setup shows no window"
        page_shot windows-setup-welcome setup_window
        press_default setup_window # 下一步
        page_shot windows-setup-licence setup_window
        press_default setup_window # 我接受
        # The uninstaller is written after the files, and the shortcut and the entry right after it.
        wait_long '[ "$INTO/uninstall.exe" -nt "$WORK/install-begins" ]' || fail "the setup did not install"
        sleep 2
        page_shot windows-setup-finish setup_window
        press_default setup_window # 完成
        wait_long '! setup_window >/dev/null' || fail "the setup's last page did not close"
    else
        "${WINE[@]}" "$SETUP" /S "$@" >"$WORK/setup.log" 2>&1 || status=$?
        [ "$status" = 0 ] || fail "the silent install ended with $status"
    fi
    echo "install ($how) in $(seconds_since "$begin") s"
}
uninstall_entry() {
    # reg prints in the console's code page, 936 here.
    "${WINE[@]}" reg query "$UNINSTALL_KEY" /v "$1" 2>/dev/null | iconv -f CP936 -t UTF-8 | tr -d '\r' |
        awk -v n="$1" '$1 == n { sub(/^[ \t]*[^ \t]+[ \t]+[^ \t]+[ \t]+/, ""); print }'
}
# The installed folder ($INST or the one given) holds exactly the zip's program folder, the
# uninstaller and the list of what was installed.
installed_as_zipped() {
    local folder=${1:-$INST}
    rm -rf "$WORK/zip"
    unzip -q "$ZIP" -d "$WORK/zip"
    (cd "$WORK"/zip/Tarvik-*-windows-x64 && find . -type f -exec md5sum {} + | sort -k 2) >"$WORK/zipped.md5"
    (cd "$folder" && find . -type f ! -name uninstall.exe ! -name uninstall.lst -exec md5sum {} + | sort -k 2) \
        >"$WORK/installed.md5"
    diff "$WORK/zipped.md5" "$WORK/installed.md5" >"$WORK/installed.diff" ||
        fail "the installed folder is not the zip's: $(head -c 600 "$WORK/installed.diff")"
    [ -f "$folder/uninstall.exe" ] || fail "no uninstaller in the installed folder"
}
# Every program file of the zip was written into a folder since the setup began: none was skipped
# as busy. (After installed_as_zipped, which unzips it.)
all_replaced() {
    local file stale=""
    while read -r file; do
        [ -n "$(find "$1/$file" -cnewer "$WORK/install-begins")" ] || stale="$stale $file"
    done < <(cd "$WORK"/zip/Tarvik-*-windows-x64 && find . -type f ! -name '*.dxl' ! -name Tarvik.log)
    [ -z "$stale" ] || fail "the setup left the old$stale in $1"
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
# "启动时隐藏内存监控窗体" and "开机时自动运行本程序" ticked in a folder's set.dxl, and no automatic
# release, whose log lines would change the user's files while the test compares them.
hide_at_start() {
    printf '%s\r\n' '3,False,25,False,Alarm.wav,False,720,False,True,True,True,False,10,0' >"$1/set.dxl"
}
# The placement file as the program reads it but never writes it, with blanks after the commas:
# the program's next save, at its 15-second tick or at its end, puts its own line there.
mark() {
    sed -i 's/,\([^ ]\)/, \1/g' "$1/wtl.dxl"
}
marked() {
    grep -q ', ' "$1/wtl.dxl"
}
# Starts Tarvik.exe of a Windows folder with the monitor hidden, as at log-on, and leaves it alone:
# until its first placement save (in $USERDIR or its own folder, whichever it uses: PLACED) no
# monitor window may show.
start_hidden() {
    local folder folders=()
    for folder in "$USERDIR" "$("${WINE[@]}" winepath -u "$1")"; do
        [ -f "$folder/wtl.dxl" ] && mark "$folder" 2>/dev/null && folders+=("$folder")
    done
    wine_start "$1"
    for _ in $(seq 300); do
        ! window_of 塔维内存整理 120x16 >/dev/null || fail "the monitor window showed although it starts hidden"
        for PLACED in "${folders[@]}"; do
            marked "$PLACED" || return 0
        done
        sleep 0.1
    done
    fail "the program started hidden from $1 saved no placement"
}
# Right after the program's 15-second save, the placement file is marked; asked to end, the
# program must save over the mark.
mark_placement() {
    mark "$USERDIR"
    wait_for '! marked "$USERDIR"' 200 || fail "the program saved no placement within 20 s"
    mark "$USERDIR"
}
placement_saved() {
    ! marked "$USERDIR" && grep -Eq '^-?[0-9]+,-?[0-9]+,[0-9]+'$'\r''$' "$USERDIR/wtl.dxl" ||
        fail "$1 left the placement file holding '$(tr -d '\r' <"$USERDIR/wtl.dxl")'"
}
session_end() {
    "${WINE[@]}" "$WORK/session_end.exe" "$1\\Tarvik.exe" "$2" || fail "the log-off reached no window of $1\\Tarvik.exe"
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
install "$([ -n "${TARVIK_SHOTS:-}" ] && echo pages || echo silent)"
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
wine_monitor_menu "" Down Down Down Down Return # 主窗口
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
install silent
wait_for ended 100 || fail "the setup left the running program running"
installed_as_zipped
all_replaced "$INST"
[ "$(user_digest)" = "$before" ] || fail "installing again changed the user's files"
[ "$(run_value HKLM)" = "$value" ] || fail "installing again changed the Run value to '$(run_value HKLM)'"
expect_entry DisplayVersion 3.0

# --- Upgrades over a copy started hidden at log-on and never touched, through the pages and
# silently: it ends, saving its placement, and every program file is replaced. Before, a log-off
# that another program refuses: the setup's request to end after it still saves the placement of
# that moment. A copy that cannot be ended (a hung one) fails a silent setup, which then changes
# nothing.
hide_at_start "$USERDIR"
protect
start_hidden "$WININST"
session_end "$WININST" cancel
sleep 1
ended && fail "a cancelled log-off ended the program"
mark_placement
unprotect
install pages
wait_for ended 100 || fail "the setup through its pages left the hidden program running"
placement_saved "the setup's request to end the hidden program after a cancelled log-off"
installed_as_zipped
all_replaced "$INST"
# A copy that has stopped answering (here: stopped) cannot be asked to end.
protect
start_hidden "$WININST"
kill -STOP "$PROGRAM_PID"
sleep 6 # Windows counts a program as hung after 5 s without reading its messages
unprotect
touch "$WORK/install-begins"
status=0
"${WINE[@]}" "$SETUP" /S >"$WORK/setup.log" 2>&1 || status=$?
kill -CONT "$PROGRAM_PID"
[ "$status" != 0 ] || fail "the silent setup ended with 0 while a copy it could not end still ran"
[ -z "$(find "$INST" -newer "$WORK/install-begins")" ] || fail "the silent setup that gave up changed files"
ended && fail "the hung copy ended"
# Answering again, the same copy is ended by the next silent setup.
sleep 2
install silent
wait_for ended 100 || fail "the silent setup left the hidden program running"
installed_as_zipped
all_replaced "$INST"

# --- Reinstalled into another folder while the hidden copy runs: that copy ends and its folder
# goes, and the entry, the shortcut and the log-on value follow the new one.
TOOLS=$WINEPREFIX/drive_c/Tools/Tarvik
WINTOOLS='C:\Tools\Tarvik'
protect
start_hidden "$WININST"
unprotect
INTO=$TOOLS
install silent "/D=$WINTOOLS"
wait_for ended 100 || fail "installing into another folder left the old copy running"
[ ! -e "$INST" ] || fail "installing into another folder left $(ls "$INST" | head -n 5 | tr '\n' ' ') in $INST"
installed_as_zipped "$TOOLS"
expect_entry InstallLocation "$WINTOOLS"
strings -n 4 "$LINK" | grep -qxF "$WINTOOLS\\Tarvik.exe" || fail "the shortcut does not start $WINTOOLS\\Tarvik.exe"
[ "$(run_value HKLM)" = "\"$WINTOOLS\\Tarvik.exe\"" ] || fail "the Run value was left at '$(run_value HKLM)'"
# An old copy's uninstaller, run from elsewhere, leaves the new installation's entry and shortcut.
mkdir -p "$WINEPREFIX/drive_c/Old"
cp "$TOOLS/uninstall.exe" "$WINEPREFIX/drive_c/Old/"
"${WINE[@]}" 'C:\Old\uninstall.exe' /S >"$WORK/uninstall.log" 2>&1 || fail "the old copy's uninstaller failed"
wait_long '[ ! -e "$WINEPREFIX/drive_c/Old" ]' || fail "the old copy's uninstaller did not finish"
expect_entry InstallLocation "$WINTOOLS"
[ -f "$LINK" ] || fail "an old copy's uninstaller removed the new installation's shortcut"

# --- A folder where users may write, which the program may take as its own: an upgrade removes
# what the previous installation shipped and this one does not, and keeps the user's files; the
# uninstaller (through its pages, over a hidden copy) removes the program and the factory files
# nobody changed, and keeps the changed settings and log, and so the folder.
hide_at_start "$TOOLS"
printf '%s\r\n' '2006-12-6 22:24:44 整理内存。' | iconv -f UTF-8 -t CP936 >>"$TOOLS/Tarvik.log"
echo "the user's own" >"$TOOLS/notes.txt"
mkdir -p "$TOOLS/styles"
echo old >"$TOOLS/styles/qoldstyle.dll"
printf 'styles\\qoldstyle.dll\r\n' >>"$TOOLS/uninstall.lst"
start_hidden "$WINTOOLS"
install silent
wait_for ended 100 || fail "the silent setup left the hidden program in $WINTOOLS running"
[ ! -e "$TOOLS/styles/qoldstyle.dll" ] || fail "the upgrade left a file that only the previous installation shipped"
all_replaced "$TOOLS"
kept=$(cd "$TOOLS" && md5sum set.dxl Tarvik.log notes.txt) || fail "the upgrade removed the user's files"
start_hidden "$WINTOOLS"
"${WINE[@]}" "$WINTOOLS\\uninstall.exe" >"$WORK/uninstall.log" 2>&1 &
wait_long 'uninstaller_window >/dev/null' || fail "the uninstaller shows no window"
page_shot windows-uninstall uninstaller_window
press_default uninstaller_window # 卸载
wait_long '[ ! -e "$TOOLS/Tarvik.exe" ] && [ ! -e "$TOOLS/uninstall.exe" ]' || fail "the uninstaller left the program in $TOOLS"
press_default uninstaller_window # 关闭
wait_for ended 100 || fail "the uninstaller left the hidden program running"
[ "$(cd "$TOOLS" && md5sum set.dxl Tarvik.log notes.txt)" = "$kept" ] || fail "the uninstaller changed the user's files"
for f in info.dxl AqSet.dxl afn.dxl; do
    [ ! -e "$TOOLS/$f" ] || fail "the uninstaller kept the unchanged factory file $f"
done
left=$(cd "$TOOLS" && find . -type f ! -name '*.dxl' ! -name Tarvik.log ! -name notes.txt)
[ -z "$left" ] || fail "the uninstaller left $left in $TOOLS"
! "${WINE[@]}" reg query "$UNINSTALL_KEY" >/dev/null 2>&1 || fail "the uninstaller left its entry"
[ ! -e "$LINK" ] || fail "the uninstaller left the Start-menu shortcut"
[ -z "$(run_value HKLM)" ] || fail "the uninstaller left the Run value '$(run_value HKLM)'"

# --- Installed into Program Files again and uninstalled silently over the hidden copy: no
# program file, shortcut, uninstall entry or Run value of this installation; another copy's
# log-on value and the user's files stay.
INTO=$INST
install silent
installed_as_zipped
protect
start_hidden "$WININST"
"${WINE[@]}" reg add 'HKCU\Software\Microsoft\Windows\CurrentVersion\Run' /v Tarvik \
    /d 'C:\Tarvik-3.0-windows-x64\Tarvik.exe' /f >/dev/null 2>&1
before=$(user_digest)
unprotect
begin=$(now)
# As a deployment tool runs it: the quiet command line, "uninstaller" /S, which hands the work to
# a copy of the uninstaller outside the folder and returns.
quiet=$(uninstall_entry QuietUninstallString)
uninstaller=${quiet#\"}
uninstaller=${uninstaller%%\"*}
"${WINE[@]}" "$uninstaller" ${quiet##*\" } >"$WORK/uninstall.log" 2>&1 || fail "the silent uninstall failed"
wait_long '[ ! -e "$INST" ] && ! "${WINE[@]}" reg query "$UNINSTALL_KEY" >/dev/null 2>&1' ||
    fail "the uninstaller left $(ls "$INST" 2>/dev/null | head -n 5 | tr '\n' ' ')"
echo "uninstall in $(seconds_since "$begin") s"
wait_for ended 100 || fail "the uninstaller left the running program running"
[ ! -e "$LINK" ] || fail "the uninstaller left the Start-menu shortcut"
[ "$(run_value HKCU)" = 'C:\Tarvik-3.0-windows-x64\Tarvik.exe' ] ||
    fail "the uninstaller changed another copy's log-on value to '$(run_value HKCU)'"
[ "$(user_digest)" = "$before" ] || fail "the uninstaller changed the user's files in $USERDIR"
[ -f "$USERDIR/wtl.dxl" ] || fail "the uninstaller removed the user's wtl.dxl"

echo "PASS: the Windows setup under Wine: silent install, shortcut and uninstall entry, the installed program" \
    "with the user's folder and its Run value, a cancelled log-off, installs over a shown and a hidden copy" \
    "silently and through the pages, a reinstall into another folder, a writable folder's user files kept," \
    "uninstalls through the pages and silently"
