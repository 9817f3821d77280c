#!/usr/bin/env bash
# A desktop without any tray (an X server with neither window manager nor tray): the program
# starts, the monitor window shows although "启动时隐藏内存监控窗体" is set (which stays set),
# and its right-click menu works; a tray that comes later gets the icon but leaves the window,
# which the user has used meanwhile, and "退出" still ends the program.
source "$(dirname "$0")/lib.sh"

start_hidden_without_tray

monitor_menu Down Down Down Down Return # 主窗口
wait_for 'MAIN=$(main_window) && is_viewable "$MAIN"' || fail "主窗口 from the menu did not show the main window"

icewm_start
wait_for 'ICON=$(tray_icon)' 100 || fail "the tray icon did not appear in the tray that came later"
is_viewable "$MONITOR" || fail "the monitor window went away when the tray came"

monitor_menu Up Return # 退出
wait_for '! kill -0 $PROGRAM_PID 2>/dev/null' || fail "the program did not end on 退出"
for f in info.dxl set.dxl; do
    [ "$(tr -d '\r\n' <"$PROG/$f")" = "$HIDDEN_AT_START" ] || fail "$f no longer holds the hidden start: $(cat "$PROG/$f")"
done
echo "PASS: no tray: monitor window and menu work; the icon comes with the tray"
