#!/usr/bin/env bash
# A StatusNotifierItem tray (watcher and host on a private session bus) that comes a few seconds
# after the program, on an X server without any other tray: with "启动时隐藏内存监控窗体" set, the
# monitor window, shown for want of a tray, goes when the host comes; the icon is registered with
# the watcher and drawn in the host's bar, and a click on it shows the window again.
if [ -z "${TARVIK_OWN_BUS:-}" ]; then
    command -v dbus-run-session >/dev/null || { echo "SKIP: dbus-run-session is not installed"; exit 77; }
    TARVIK_OWN_BUS=1 exec dbus-run-session -- bash "$0" "$@"
fi
source "$(dirname "$0")/lib.sh"
command -v gtk-sni-tray-standalone >/dev/null || skip "gtk-sni-tray-standalone is not installed"

registered_items() {
    dbus-send --session --print-reply --dest=org.kde.StatusNotifierWatcher /StatusNotifierWatcher \
        org.freedesktop.DBus.Properties.Get string:org.kde.StatusNotifierWatcher \
        string:RegisteredStatusNotifierItems 2>/dev/null | grep -c 'string "'
}

start_hidden_without_tray
sleep 3

gtk-sni-tray-standalone --watcher --top --beginning >"$WORK/sni-tray.log" 2>&1 &
PIDS+=($!)
wait_for '! is_viewable "$MONITOR"' 150 || fail "the monitor window stayed when the tray came"
wait_for '[ "$(registered_items)" -ge 1 ]' || fail "the tray icon was not registered with the watcher"
BAR=""
wait_for 'BAR=$(xdotool search --onlyvisible --classname gtk-sni-tray-standalone | head -n 1) && [ -n "$BAR" ]' ||
    fail "the tray host shows no bar"
sleep 1
bar_height=$(xwininfo -id "$BAR" | awk '/Height:/ {print $2}')
colours=$(import -window root -crop "${bar_height}x${bar_height}+0+0" -format %k info:)
[ "$colours" -gt 4 ] || fail "no icon drawn at the start of the tray ($colours colours)"
xdotool mousemove $((bar_height / 2)) $((bar_height / 2)) click 1
wait_for 'is_viewable "$MONITOR"' || fail "a click on the tray icon did not show the monitor window"
echo "PASS: a late StatusNotifierItem tray hides the untouched monitor window and takes the icon"
