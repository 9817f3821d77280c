#!/usr/bin/env bash
# A tray that comes a few seconds after the program, as at log-on when the panel starts with it:
# with "启动时隐藏内存监控窗体" set, the monitor window, shown for want of a tray, goes when the
# tray comes; the icon is in the tray and a double-click on it shows the window again.
source "$(dirname "$0")/lib.sh"

start_hidden_without_tray
sleep 3

icewm_start || fail "the window manager did not start"
wait_for '! is_viewable "$MONITOR"' 100 || fail "the monitor window stayed when the tray came"
wait_for 'ICON=$(tray_icon)' 100 || fail "the tray icon did not appear in the tray that came later"
read -r ix iy < <(centre_of "$ICON")
xdotool mousemove "$ix" "$iy" click --repeat 2 --delay 80 1
wait_for 'is_viewable "$MONITOR"' || fail "a double-click on the tray icon did not show the monitor window"
echo "PASS: a late tray hides the untouched monitor window and takes the icon"
