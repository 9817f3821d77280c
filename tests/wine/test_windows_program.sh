#!/usr/bin/env bash
# The Windows program as a user gets it: the zip unpacked into a fresh Wine prefix and Tarvik.exe
# started on a private X desktop (Xvfb and icewm, whose tray takes Wine's tray icons). Only what a
# user or another program could see is checked: windows and their pixels, the tray icon, the
# files of the program folder and the registry.
#
#   test_windows_program.sh Tarvik-3.0-windows-x64.zip DATA_FOLDER
#
# With TARVIK_SHOTS set to a folder, the monitor window, the popup menu and the main window are
# photographed into it.
source "$(dirname "$0")/../desktop/lib.sh"
source "$(dirname "$0")/lib.sh"

desktop_start
wine_zip_start

# What Explorer shows of the executable: the program's icon at its sizes and the version 3.0; and
# the manifest that keeps it a standard user's program.
if command -v wrestool >/dev/null; then
    wrestool -x -t 14 "$PROG/Tarvik.exe" >"$WORK/icon.ico"
    [ "$(icotool -l "$WORK/icon.ico" | grep -c -- '--bit-depth=32')" -ge 6 ] || fail "Tarvik.exe carries no icon"
    wrestool -x --raw -t 24 "$PROG/Tarvik.exe" >"$WORK/manifest.xml"
    grep -q 'level="asInvoker"' "$WORK/manifest.xml" || fail "Tarvik.exe carries no manifest"
    grep -Eq '<([[:alnum:]]+:)?longPathAware>true</' "$WORK/manifest.xml" || fail "the manifest is not longPathAware"
fi
strings -n 3 -el "$PROG/Tarvik.exe" | grep -qx '3\.0' || fail "Tarvik.exe carries no version 3.0"

# Every DLL that the program and its plugins load is in the folder or is part of Windows.
check_dlls "$PROG"

# Qt's plugins come from the program folder only (qt.conf), even below a Qt installation, whose
# own platform plugin is then laid above the program folder.
mkdir -p "$WINEPREFIX/drive_c/lib" "$WINEPREFIX/drive_c/plugins/platforms"
touch "$WINEPREFIX/drive_c/lib/libQt6Core.a"
cp "$PROG"/platforms/*.dll "$WINEPREFIX/drive_c/plugins/platforms/"

# --- Start: the monitor window at the place and size of wtl.dxl, and the tray icon.
printf '%s\r\n' '1500,9000,240' >"$PROG/wtl.dxl" # top 100, left 600 pixels; the bar chart is 120 × 16
begin=$(now)
WINEDEBUG=-all,+loaddll wine_start
wait_long 'MONITOR=$(window_of 塔维内存整理 120x16)' ||
    fail "the monitor window did not appear at the bar chart's size"
first_start=$(seconds_since "$begin")
! grep -i 'Loaded L"C:\\\\plugins' "$WORK/program.log" || fail "Qt loaded a plugin from outside the program folder"
read -r x y < <(top_left_of "$MONITOR")
[ "$x $y" = "600 100" ] || fail "the monitor window is at $x,$y, not at wtl.dxl's 600,100"
wait_long 'ICON=$(tray_icon explorer.exe)' || fail "no tray icon in the panel's tray"
sleep 1
[ "$(pixels_of 120x16+600+100 255,255,192)" -gt 500 ] || fail "the monitor window does not show its bar panel"
shot_of_screen windows-monitor 140 36 590 90

# The tray icon: a double-click hides the monitor window and the next shows it again; a
# right-click opens the popup menu.
read -r ix iy < <(centre_of "$ICON")
xdotool mousemove "$ix" "$iy" click --repeat 2 --delay 80 1
wait_for '! is_viewable "$MONITOR"' || fail "a double-click on the tray icon did not hide the monitor window"
sleep 0.5
xdotool mousemove "$ix" "$iy" click --repeat 2 --delay 80 1
wait_for 'is_viewable "$MONITOR"' || fail "a double-click on the tray icon did not show the monitor window"
sleep 0.5
xdotool mousemove "$ix" "$iy" click 3
wait_for '[ "$(open_menus)" -ge 1 ]' || fail "a right-click on the tray icon opened no menu"
xdotool key Escape
wait_for '[ "$(open_menus)" -eq 0 ]' || fail "the tray menu did not close"

# --- "整理内存" from the monitor window's menu (a normal user, the factory level) logs its line,
# in code page 936 with CR LF.
before=$(log_text | grep -c '整理内存。')
wine_monitor_menu windows-popup-menu Down Down Return
wait_for '[ "$(log_text | grep -c "整理内存。")" -gt "$before" ]' || fail "整理内存 wrote no log line"
log_text | tail -n 1 | grep -Eq '^[0-9]{4}-[0-9]{1,2}-[0-9]{1,2} [0-9]{1,2}:[0-9]{2}:[0-9]{2} 整理内存。'$'\r''?$' ||
    fail "the log's last line is '$(log_text | tail -n 1)'"
[ "$(tail -c 2 "$PROG/Tarvik.log" | od -An -tx1 | tr -d ' ')" = 0d0a ] || fail "the log line does not end in CR LF"
grep -q $'\xd5\xfb\xc0\xed\xc4\xda\xb4\xe6\xa1\xa3' "$PROG/Tarvik.log" || fail "整理内存。 is not in code page 936"

# --- "主窗口": the main window at its fixed size, its page strip showing five page buttons.
wine_monitor_menu "" Down Down Down Down Return
wait_for 'MAIN=$(window_of 塔维内存整理 462x334)' || fail "主窗口 did not show the main window"
read -r MX MY < <(top_left_of "$MAIN")
sleep 1
shot_of_screen windows-main-window 480 370 $((MX - 9)) $((MY - 27)) # with the frame
for i in 0 1 2 3 4; do
    icon=$(( (80 + 120 + 960 * i) / 15 ))
    [ "$(pixels_of "32x32+$((MX + 24))+$((MY + icon))" 255,255,255)" -lt 900 ] ||
        fail "page button $i is not drawn in the page strip"
done

# Stays on top: the main window moved over the monitor window and raised does not cover it.
xdotool windowmove "$MAIN" 500 50
sleep 0.5
read -r MX MY < <(top_left_of "$MAIN")
xdotool mousemove $((MX + 300)) $((MY + 320)) click 1 # the status line
sleep 0.7
[ "$(pixels_of 120x16+600+100 255,255,192)" -gt 500 ] || fail "the main window covers the monitor window"

# "软件设置" with "开机时自动运行本程序" ticked and saved: the Run value of the machine holds the
# program's path; cleared and saved, it is gone from the machine's and the user's Run keys.
CLICK_PAUSE=0.5
run_value() {
    "${WINE[@]}" reg query "$1\\Software\\Microsoft\\Windows\\CurrentVersion\\Run" /v Tarvik 2>/dev/null |
        tr -d '\r' | awk '$1 == "Tarvik" && $2 == "REG_SZ" { sub(/^[^R]*REG_SZ[ \t]*/, ""); print }'
}
click_at 40 157 # 软件设置
click_at 150 176
click_at 400 276 # 保存设置
wait_for '[ -n "$(run_value HKLM)" ]' || fail "ticking 开机时自动运行本程序 wrote no Run value"
[ "$(run_value HKLM)" = "$WINPROG\\Tarvik.exe" ] || fail "the Run value holds '$(run_value HKLM)'"
click_at 150 176
click_at 400 276
wait_for '[ -z "$(run_value HKLM)" ]' || fail "clearing 开机时自动运行本程序 left the Run value"
[ -z "$(run_value HKCU)" ] || fail "the user's Run key holds '$(run_value HKCU)'"
log_text | grep -q '保存软件设置。' || fail "the software settings save was not logged"

# --- A second start shows "该程序已运行。" (title "运行") and writes nothing.
FIRST_PID=$PROGRAM_PID
digest=$(files_digest)
wine_start
wait_long 'BOX=$(message_box 运行)' || fail "a second start showed no 运行 message"
answer_box "$BOX"
wait_for ended || fail "the second start did not end after its message"
[ "$(files_digest)" = "$digest" ] || fail "the second start changed the program's files"
PROGRAM_PID=$FIRST_PID
# The working set as Windows counts it: every resident page, Wine's own DLLs and the Qt DLLs
# included; the private part is what the program itself holds.
memory=$(awk '/VmRSS/ {r=$2} /RssAnon/ {a=$2} END {printf "%.1f MB, of which %.1f MB private", r/1024, a/1024}' \
    "/proc/$PROGRAM_PID/status")

# --- "退出" ends the process and leaves the placement with ", ".
wine_monitor_menu "" Up Return
wait_for ended || fail "the program did not end on 退出"
exit_placement "$PROG/wtl.dxl" >/dev/null || exit 1

# --- Damaged settings: a broken set.dxl falls back to info.dxl silently and is rebuilt from it.
printf '%s\r\n' '3,True,25,False,Alarm.wav,False,720,False,False,False,True,False,10' >"$PROG/set.dxl"
begin=$(now)
wine_start
wait_long 'MONITOR=$(window_of 塔维内存整理 120x16)' || fail "a broken set.dxl stopped the start"
second_start=$(seconds_since "$begin")
cmp -s "$PROG/set.dxl" "$PROG/info.dxl" || fail "set.dxl was not rebuilt from info.dxl"
wine_monitor_menu "" Up Return
wait_for ended || fail "the program did not end on 退出"

# A broken info.dxl as well: the configuration message under the program's title, its log line,
# and the end of the process.
printf '%s\r\n' 'broken' >"$PROG/set.dxl"
printf '%s\r\n' 'broken' >"$PROG/info.dxl"
wine_start
wait_long 'BOX=$(message_box 塔维内存整理)' || fail "broken settings files showed no message"
[ -z "$(window_of 塔维内存整理 120x16)" ] || fail "broken settings files started the program"
shot_of_screen windows-config-message 420 200 302 284
answer_box "$BOX"
wait_for ended || fail "the program did not end after the configuration message"
[ "$(log_text | tail -n 1 | tr -d '\r' | sed 's/^[^ ]* [^ ]* //')" = "打开配置文件失败！" ] ||
    fail "the log's last line is '$(log_text | tail -n 1)'"

echo "first start to the monitor window ${first_start} s (fresh prefix), later start ${second_start} s;" \
    "working set $memory"
echo "PASS: the Windows program under Wine: monitor window, tray icon, menu, release, main window, Run value," \
    "second start, exit and damaged settings"
