#!/usr/bin/env bash
# The real program under Xvfb and icewm: tray icon double-click hides and shows the monitor
# window, a right-click on the icon opens the popup menu on the release, the borderless window drags, and
# "退出" ends the program with the placement saved as three numbers separated by ", "; Qt
# Multimedia is not loaded at start.
source "$(dirname "$0")/lib.sh"

desktop_start
program_folder
program_start


wait_for 'ICON=$(tray_icon)' || fail "no tray icon"
is_viewable "$MONITOR" || fail "monitor window not shown at start"
# Qt Multimedia comes with the alarm's sound module on the alarm's first command, not at start.
[ -f "$PROG/libtarvik-sound.so" ] || fail "the sound module is not beside the program"
! grep -q libQt6Multimedia "/proc/$PROGRAM_PID/maps" || fail "Qt Multimedia was loaded at start"

# Double-click the tray icon: the window hides, then shows again.
read -r ix iy < <(centre_of "$ICON")
xdotool mousemove "$ix" "$iy" click --repeat 2 --delay 60 1
wait_for '! is_viewable "$MONITOR"' || fail "double-click on the tray icon did not hide the monitor"
sleep 0.5
xdotool mousemove "$ix" "$iy" click --repeat 2 --delay 60 1
wait_for 'is_viewable "$MONITOR"' || fail "double-click on the tray icon did not show the monitor"

# A single click does nothing.
xdotool click 1
sleep 0.6
is_viewable "$MONITOR" || fail "a single click on the tray icon changed the monitor"

# Right-click on the tray icon opens the menu when the button is released, not on the press;
# Escape closes it.
xdotool mousemove "$ix" "$iy" mousedown 3
sleep 0.6
[ "$(open_menus)" -eq 0 ] || fail "the tray menu opened while the right button was still down"
xdotool mouseup 3
wait_for '[ "$(open_menus)" -ge 1 ]' || fail "right-click on the tray icon opened no menu"
xdotool key Escape
wait_for '[ "$(open_menus)" -eq 0 ]' || fail "the menu did not close"

# Drag the borderless monitor window by its bar.
read -r mx my < <(top_left_of "$MONITOR")
xdotool mousemove $((mx + 40)) $((my + 8)) mousedown 1
for step in 1 2 3 4 5 6 7 8 9 10; do
    xdotool mousemove $((mx + 40 - step * 20)) $((my + 8 + step * 15))
    sleep 0.05
done
xdotool mouseup 1
sleep 0.5
read -r nx ny < <(top_left_of "$MONITOR")
[ "$nx" -le $((mx - 150)) ] && [ "$ny" -ge $((my + 100)) ] || fail "drag moved the window from $mx,$my to $nx,$ny"

# Right-click the monitor window, choose "退出" (the last item: Up from the top wraps to it).
read -r cx cy < <(centre_of "$MONITOR")
xdotool mousemove "$cx" "$cy" click 3
wait_for '[ "$(open_menus)" -ge 1 ]' || fail "right-click on the monitor window opened no menu"
xdotool key Up Return
wait_for '! kill -0 $PROGRAM_PID 2>/dev/null' || fail "the program did not end on 退出"

placement=$(exit_placement "$PROG/wtl.dxl") || exit 1
[ "$placement" = "$((ny * 15)), $((nx * 15)), 240" ] || fail "wtl.dxl holds '$placement', expected the dragged place $ny/$nx"
echo "PASS: tray, menu, drag and exit ($placement)"
