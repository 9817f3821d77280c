#!/usr/bin/env bash
# The real program with a StatusNotifierItem tray (gtk-sni-tray-standalone: watcher and host on a
# private session bus, as KDE's, Xfce's and GNOME's AppIndicator trays are): the icon is there and
# not in icewm's tray, a click hides the monitor window and a second click shows it, a right-click
# shows the host's menu, drawn from MNU's items, a host's context request opens MNU itself, a drag
# of the monitor window holds the pressed spot under the pointer, and "退出" from the host's menu
# ends the program.
if [ -z "${TARVIK_OWN_BUS:-}" ]; then
    command -v dbus-run-session >/dev/null || { echo "SKIP: dbus-run-session is not installed"; exit 77; }
    TARVIK_OWN_BUS=1 exec dbus-run-session -- bash "$0" "$@"
fi
source "$(dirname "$0")/lib.sh"
command -v gtk-sni-tray-standalone >/dev/null || skip "gtk-sni-tray-standalone is not installed"

# A property of the watcher, or of our icon's item with a second argument "item".
sni_property() {
    local dest=org.kde.StatusNotifierWatcher path=/StatusNotifierWatcher iface=org.kde.StatusNotifierWatcher
    if [ "${2:-}" = item ]; then
        dest=$ITEM path=/StatusNotifierItem iface=org.kde.StatusNotifierItem
    fi
    dbus-send --session --print-reply --dest="$dest" "$path" org.freedesktop.DBus.Properties.Get \
        string:"$iface" string:"$1" 2>/dev/null
}

# The captions of the icon's exported menu, depth first, one a line.
exported_captions() {
    local menu
    menu=$(sni_property Menu item | awk '/object path/ {gsub(/"/, "", $NF); print $NF}')
    dbus-send --session --print-reply --dest="$ITEM" "$menu" com.canonical.dbusmenu.GetLayout \
        int32:0 int32:-1 array:string: 2>/dev/null |
        awk '/string "label"/ {getline; sub(/.*string "/, ""); sub(/"[[:space:]]*$/, ""); if ($0 != "") print}'
}

# The bus name of the first item the watcher knows (it may add the item's object path).
registered_item() {
    sni_property RegisteredStatusNotifierItems | awk -F'"' '/string/ {sub(/\/.*/, "", $2); print $2; exit}'
}

# Visible menus of the tray host.
host_menus() {
    local w n=0
    for w in $(xdotool search --onlyvisible --classname gtk-sni-tray-standalone 2>/dev/null); do
        xwininfo -id "$w" | grep -q 'Override Redirect State: yes' && n=$((n + 1))
    done
    echo "$n"
}

desktop_start
gtk-sni-tray-standalone --watcher --top --beginning >"$WORK/sni-tray.log" 2>&1 &
PIDS+=($!)
wait_for 'sni_property IsStatusNotifierHostRegistered | grep -q "boolean true"' 200 ||
    fail "the StatusNotifierItem host did not come up"
program_folder
program_start
wait_for 'ITEM=$(registered_item) && [ -n "$ITEM" ]' || fail "the tray icon was not registered with the watcher"
sleep 1
! tray_icon >/dev/null || fail "the icon is in icewm's tray as well"

# The host's bar runs along the top; our icon, its only one, is the first square in it.
BAR=$(for w in $(xdotool search --onlyvisible --classname gtk-sni-tray-standalone); do
    xwininfo -id "$w" | grep -q 'Width: 1024$' && echo "$w"; done | head -n 1)
[ -n "$BAR" ] || fail "the tray host shows no bar"
bar_height=$(xwininfo -id "$BAR" | awk '/Height:/ {print $2}')
ix=$((bar_height / 2)) iy=$((bar_height / 2))
colours=$(import -window root -crop "${bar_height}x${bar_height}+0+0" -format %k info:)
[ "$colours" -gt 4 ] || fail "no icon drawn at the start of the tray ($colours colours)"

xdotool mousemove "$ix" "$iy" click 1
wait_for '! is_viewable "$MONITOR"' || fail "a click on the icon did not hide the monitor window"
sleep 0.5
xdotool mousemove "$ix" "$iy" click 1
wait_for 'is_viewable "$MONITOR"' || fail "a second click on the icon did not show the monitor window"

# A drag by the bar holds the pressed spot under the pointer on this desktop too.
read -r mx my < <(top_left_of "$MONITOR")
drag_holds_on "$MONITOR" $((mx + 40)) $((my + 8)) -160 120 8

expected=$'隐藏\n整理内存\n操作\n清空剪贴板\n查看日志\n主窗口\n设置...\n帮助\n退出'
[ "$(exported_captions)" = "$expected" ] || fail "the icon's menu holds: $(exported_captions | tr '\n' ' ')"
xdotool mousemove "$ix" "$iy" click 3
wait_for '[ "$(host_menus)" -ge 1 ]' || fail "a right-click on the icon showed no menu"
shot_file=${TARVIK_SHOTS:+$TARVIK_SHOTS/sni-tray-menu.png}
[ -z "$shot_file" ] || { mkdir -p "$TARVIK_SHOTS" && shot "$shot_file"; }
xdotool key Escape
wait_for '[ "$(host_menus)" -eq 0 ]' || fail "the host's menu did not close"

# A host that asks for a context menu instead gets MNU at the mouse.
xdotool mousemove 400 300
dbus-send --session --type=method_call --dest="$ITEM" /StatusNotifierItem org.kde.StatusNotifierItem.ContextMenu \
    int32:400 int32:300
wait_for '[ "$(open_menus)" -ge 1 ]' || fail "a context request opened no menu"
xdotool key Escape
wait_for '[ "$(open_menus)" -eq 0 ]' || fail "MNU did not close"

# "退出", the last item of the host's menu (Up from none selected reaches it).
xdotool mousemove "$ix" "$iy" click 3
wait_for '[ "$(host_menus)" -ge 1 ]' || fail "a right-click on the icon showed no menu"
xdotool key Up Return
wait_for '! kill -0 $PROGRAM_PID 2>/dev/null' || fail "退出 from the host's menu did not end the program"
exit_placement "$PROG/wtl.dxl" >/dev/null || exit 1
echo "PASS: StatusNotifierItem tray: click toggles, drag (worst miss $DRAG_WORST px), host menu from MNU, context request, exit"
